#include "app/super_btn.h"

#include <QPainter>

SuperBtn::SuperBtn(const QString& text, QWidget* parent) : QAbstractButton(parent)
{
    setText(text);
    setFocusPolicy(Qt::StrongFocus);
    const QColor face = palette().color(QPalette::Button);
    m_bkOut = m_bkIn = m_bkFocus = face;
}

void SuperBtn::Set(QColor& slot, const QColor& color)
{
    slot = color;
    update();
}

QColor SuperBtn::CurrentBkColor() const
{
    if (m_pointerIn)
        return m_bkIn;
    return hasFocus() ? m_bkFocus : m_bkOut;
}

QColor SuperBtn::CurrentFgColor() const
{
    if (m_pointerIn)
        return m_fgIn;
    return hasFocus() ? m_fgFocus : m_fgOut;
}

QSize SuperBtn::sizeHint() const
{
    return fontMetrics().size(Qt::TextSingleLine, text()) + QSize(12, 8);
}

void SuperBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor fg = CurrentFgColor();
    painter.fillRect(rect(), CurrentBkColor());
    painter.setPen(fg);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));  // the flat button's border
    const int shift = isDown() ? 1 : 0;               // a pressed button's text sinks a pixel
    painter.drawText(rect().translated(shift, shift), Qt::AlignCenter,
                     text());
}

void SuperBtn::enterEvent(QEnterEvent* event)
{
    m_pointerIn = true;
    update();
    QAbstractButton::enterEvent(event);
}

void SuperBtn::leaveEvent(QEvent* event)
{
    m_pointerIn = false;
    update();
    QAbstractButton::leaveEvent(event);
}
