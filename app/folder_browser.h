#pragma once
// The folder browser: shows folders only, with an edit box for the path, while the tool's
// other windows are disabled.

#include <QString>

// Returns the chosen folder's path, or the empty text when the user cancels.
QString BrowseForFolder(const QString& title);

namespace FolderBrowser {
// Test seam: the next BrowseForFolder() shows nothing and returns `path` (empty: cancelled).
void SetNextAnswer(const QString& path);
// The title of the last browser opened, pre-answered ones included.
QString LastTitle();
}  // namespace FolderBrowser
