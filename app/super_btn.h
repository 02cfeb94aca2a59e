#pragma once
// SuperBtn: a flat colour button with a one-pixel border and separate colours for the pointer
// outside, the pointer over it, and the focus. No focus rectangle, no pictures. Its click is
// QAbstractButton::clicked.

#include <QAbstractButton>
#include <QColor>

class SuperBtn final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SuperBtn)

public:
    SuperBtn(const QString& text, QWidget* parent);

    // Each setter repaints the button in the new colours.
    void SetBkColorOut(const QColor& color) { Set(m_bkOut, color); }
    void SetBkColorIn(const QColor& color) { Set(m_bkIn, color); }
    void SetBkColorFocus(const QColor& color) { Set(m_bkFocus, color); }
    void SetFgColorOut(const QColor& color) { Set(m_fgOut, color); }
    void SetFgColorIn(const QColor& color) { Set(m_fgIn, color); }
    void SetFgColorFocus(const QColor& color) { Set(m_fgFocus, color); }

    // The colours the button shows now: pointer over it wins, then the focus.
    QColor CurrentBkColor() const;
    QColor CurrentFgColor() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Set(QColor& slot, const QColor& color);

    bool m_pointerIn = false;
    QColor m_bkOut, m_bkIn, m_bkFocus;
    QColor m_fgOut{Qt::black}, m_fgIn{Qt::black}, m_fgFocus{Qt::black};
};
