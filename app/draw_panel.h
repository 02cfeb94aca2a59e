#pragma once
// DrawPanel: a panel that is drawn on by its handlers, with drawing settings that persist.
//
// The panel keeps what was drawn on it in a picture of its own, which stands for its pixels on
// the screen: drawing from a handler outside a paint event (a pointer move) lands in that
// picture and reaches the screen at the next flush, which is requested at once. Whenever the
// window system asks for a part of the panel to be repainted, that part is filled with the
// background colour and the paint handler runs, its drawing clipped to that part.

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

class QPainter;

class DrawPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrawPanel)

public:
    explicit DrawPanel(QWidget* parent);
    ~DrawPanel() override;

    // Repaints the whole panel in the colour (which runs the paint handler).
    void SetBackColor(const QColor& color);
    QColor BackColor() const { return m_backColor; }

    // Drawing settings: each holds for every later drawing until it is set again.
    void SetPenColor(const QColor& color) { m_penColor = color; }
    void SetBrushStyle(Qt::BrushStyle style) { m_brushStyle = style; }
    void SetBrushColor(const QColor& color) { m_brushColor = color; }
    void SetTextColor(const QColor& color) { m_textColor = color; }

    // Outline in the pen colour, interior filled with the brush. Right and bottom are excluded
    // edges: the outline covers columns left .. right - 1 and rows top .. bottom - 1.
    void DrawRect(int left, int top, int right, int bottom);
    // Writes the text with its top-left corner at (x, y), in the text colour, leaving the
    // background as it was. Text is drawn without antialiasing, so that drawing a text again
    // over itself leaves its look unchanged.
    void WriteText(int x, int y, const QString& text);

    // What the panel shows, as a picture of its client area in the screen's pixels (for tests).
    QImage Picture() const { return m_picture; }

signals:
    // The paint event: (left, top, right, bottom) is the area to repaint, right and bottom
    // excluded. Drawing done in a handler of this signal goes to that area.
    void Paint(int left, int top, int right, int bottom);
    // The pointer moved over the panel (no button needed); x, y relative to the panel.
    void MouseMove(int x, int y, int keys);
    // The left button was pressed on the panel, not on one of its child buttons.
    void LeftDown(int x, int y, int keys);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Sets a painter on the picture up for a drawing operation: the clip of the running paint
    // handler, if any, and the panel's font.
    void Prepare(QPainter& painter) const;
    // After a drawing outside a paint event: puts the drawn area on the screen.
    void Flush(const QRect& drawn);

    QColor m_backColor;
    QColor m_penColor{Qt::black};
    Qt::BrushStyle m_brushStyle = Qt::SolidPattern;
    QColor m_brushColor{Qt::white};
    QColor m_textColor{Qt::black};

    QImage m_picture;
    QRegion m_pendingFlush;           // drawn outside a paint event, not yet on the screen
    const QRegion* m_paintClip = nullptr;  // set while the paint handler runs
};
