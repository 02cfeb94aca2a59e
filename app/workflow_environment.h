#pragma once
// What the conversion workflow needs from the window: the two result lists, the two status
// labels, the message box, the two dialogs, and a way to keep the window alive during a batch.
// The Qt window implements it; tests implement it with plain containers.
//
// Texts are byte strings: the tool's own texts are UTF-8, paths are file-system bytes, torrent
// names are the bytes of the metainfo file (UTF-8 or a legacy Chinese code page). Each text
// says which it is, so that the implementation decodes it the right way.

#include <string>
#include <string_view>

enum class ResultList {
    Files,  // 超级列表框1: column 0 the path of each metainfo file
    Links,  // 超级列表框2: the path, the torrent's name, the magnet link
};

// What the bytes of a text are.
enum class TextOrigin {
    Path,  // a file-system path
    Text,  // the tool's own text (UTF-8), or a text read from a torrent (a name, a link)
};

enum class StatusLabel {
    Folder,  // 透明标签2: the folder being searched
    File,    // 透明标签3: the file being converted
};

class WorkflowEnvironment {
public:
    virtual ~WorkflowEnvironment() = default;

    // The list is empty and no row is selected.
    virtual void DeleteAllRows(ResultList list) = 0;
    // Adds a row of empty cells after the last one: its 0-based index, -1 when none was added.
    virtual int AppendRow(ResultList list) = 0;
    // Nothing happens for a row that does not exist.
    virtual void SetCell(ResultList list, int row, int column, std::string_view text, TextOrigin origin) = 0;
    // Shows the tool's text followed by a path (which may be empty).
    virtual void SetLabelText(StatusLabel label, std::string_view text, std::string_view path) = 0;

    // The message box (caption "信息：", OK only, modal); returns when the user closes it.
    virtual void ShowMessageBox(std::string_view text) = 0;
    // The folder browser with its title: the chosen folder's path, empty when cancelled.
    virtual std::string BrowseForFolder(std::string_view title) = 0;
    // The open-file dialog (通用对话框1) set to open a file with the filter
    // "description|pattern"; it offers the path confirmed last time as the file name. True and
    // the chosen path when the user confirmed.
    virtual bool ShowOpenFileDialog(std::string_view filter, std::string& chosenPath) = 0;

    // Called between the files and folders of a batch: lets the window repaint and answer the
    // window system (not the user). False when the window has been closed: the batch ends.
    [[nodiscard]] virtual bool KeepWindowAlive() = 0;
};
