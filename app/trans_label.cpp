#include "app/trans_label.h"

#include "app/colour.h"

TransLabel::TransLabel(const QString& text, Lines lines, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, ColorFromBgr(0x00000000));
    setPalette(colours);
    if (lines == Lines::One) {
        setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWordWrap(true);
    }
    setText(text);
}

void TransLabel::SetText(const QString& text)
{
    setText(text);
    repaint();
}
