#pragma once
// The system clipboard, plain text.

#include <QString>

// Replaces the clipboard's content with the text and returns true once the clipboard holds it.
// False when the clipboard could not be written; its content is then unchanged. An empty text
// is placed as an empty string.
[[nodiscard]] bool SetClipboardText(const QString& text);

// Test seam: while busy, the clipboard behaves as if another program held it open, so
// SetClipboardText changes nothing and returns false.
void SetClipboardBusyForTest(bool busy);
