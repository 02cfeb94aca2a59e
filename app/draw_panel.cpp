#include "app/draw_panel.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

DrawPanel::DrawPanel(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);  // pointer moves arrive without a button held
    setAttribute(Qt::WA_OpaquePaintEvent);  // the panel paints every pixel itself
    QFont plain = font();
    plain.setStyleStrategy(QFont::NoAntialias);
    setFont(plain);
}

DrawPanel::~DrawPanel() = default;

void DrawPanel::SetBackColor(const QColor& color)
{
    m_backColor = color;
    update();
}

void DrawPanel::Prepare(QPainter& painter) const
{
    if (m_paintClip)
        painter.setClipRegion(*m_paintClip);
    painter.setFont(font());
}

void DrawPanel::Flush(const QRect& drawn)
{
    if (m_paintClip)
        return;  // the running paint event puts it on the screen
    m_pendingFlush += drawn;
    update(drawn);
}

void DrawPanel::DrawRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    QPainter painter(&m_picture);
    Prepare(painter);
    painter.setPen(QPen(m_penColor, 0, Qt::SolidLine));
    painter.setBrush(QBrush(m_brushColor, m_brushStyle));
    // Qt's outline covers width + 1 columns; the panel's rectangle excludes right and bottom.
    painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    Flush(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
}

void DrawPanel::WriteText(int x, int y, const QString& text)
{
    QPainter painter(&m_picture);
    Prepare(painter);
    painter.setPen(m_textColor);
    // A rectangle anchored at (x, y) puts the text's top-left corner there (a point would
    // place the baseline).
    const QRect anchor(x, y, width() + 1, height() + 1);
    QRect drawn;
    painter.drawText(anchor, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text, &drawn);
    Flush(drawn);
}

void DrawPanel::resizeEvent(QResizeEvent*)
{
    // The picture has the screen's pixels, so that text stays sharp on a high-density screen;
    // drawing on it still uses the panel's coordinates.
    const qreal ratio = devicePixelRatioF();
    QImage grown(size() * ratio, QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(m_backColor);
    if (!m_picture.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(0, 0, m_picture);
    }
    m_picture = grown;
}

void DrawPanel::paintEvent(QPaintEvent* event)
{
    // What the window system asks for beyond our own flushes is repainted the panel's way:
    // filled with the background, then drawn by the paint handler.
    const QRegion repaint = event->region() - m_pendingFlush;
    m_pendingFlush = QRegion();
    if (!repaint.isEmpty()) {
        {
            QPainter fill(&m_picture);
            fill.setClipRegion(repaint);
            fill.fillRect(rect(), m_backColor);
        }
        const QRect area = repaint.boundingRect();
        m_paintClip = &repaint;
        emit Paint(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
        m_paintClip = nullptr;
    }
    QPainter screen(this);
    const qreal ratio = m_picture.devicePixelRatio();
    for (const QRect& part : event->region()) {
        const QRectF source(part.x() * ratio, part.y() * ratio, part.width() * ratio,
                            part.height() * ratio);
        screen.drawImage(QRectF(part), m_picture, source);
    }
}

void DrawPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit MouseMove(at.x(), at.y(), int(event->modifiers()));
}

void DrawPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    emit LeftDown(at.x(), at.y(), int(event->modifiers()));
}
