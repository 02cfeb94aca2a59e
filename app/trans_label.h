#pragma once
// TransLabel: a label with a transparent background (its parent shows through), black text,
// left-aligned, shown as it is (an ampersand stays an ampersand).

#include <QLabel>

class TransLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransLabel)

public:
    enum class Lines {
        One,      // one line, vertically centred in the box
        Several,  // broken at line breaks, wrapped at word boundaries, from the top
    };
    TransLabel(const QString& text, Lines lines, QWidget* parent);

    // Shows the text and repaints at once, also while a click handler is still running.
    void SetText(const QString& text);
};
