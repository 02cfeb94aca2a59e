#pragma once
// The message box: a text, an OK button only, the caption "信息：", modal to the whole
// application and without an owner window.

#include <QString>
#include <QStringList>

namespace MessageBox {

// Shows the text and returns when the user has closed the box. "\r\n" in the text breaks the
// line, as it did on the original platform.
void Show(const QString& text);

// Test seam: the next Show() shows nothing and returns at once, as if OK had been pressed;
// each call answers one more box.
void SetNextAnswer();
// The texts of the boxes answered through SetNextAnswer, oldest first; the list is emptied.
QStringList TakeAnsweredTexts();

}  // namespace MessageBox
