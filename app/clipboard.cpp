#include "app/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

bool g_busy = false;

}  // namespace

bool SetClipboardText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || g_busy)
        return false;
    clipboard->setText(text, QClipboard::Clipboard);
    // Qt's setText gives no result; where the window system refused us the clipboard, it still
    // holds someone else's content.
    return clipboard->text(QClipboard::Clipboard) == text;
}

void SetClipboardBusyForTest(bool busy)
{
    g_busy = busy;
}
