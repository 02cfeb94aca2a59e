#include "app/conversion_workflow.h"

#include <cstring>

#include "app/file_search.h"
#include "torrent/host_heap.h"
#include "torrent/torrent_file_info.h"

namespace {

// The record a conversion holds: starts in the empty state in a zero-filled block of the shared
// heap, is replaced by each record read, and is freed and released at the end of the scope.
class HeldRecord final {
public:
    HeldRecord()
        : record_(static_cast<TorrentFileInfo*>(RegisteredHostHeap().allocate(sizeof(TorrentFileInfo))))
    {
        std::memset(static_cast<void*>(record_), 0, sizeof(TorrentFileInfo));
        InitTorrentFileInfo(*record_);
    }
    ~HeldRecord() { Release(); }
    HeldRecord(const HeldRecord&) = delete;
    HeldRecord& operator=(const HeldRecord&) = delete;

    // Takes ownership of `fresh` (a block from GetTorrentFileInfo) after releasing the one held.
    void Replace(TorrentFileInfo* fresh)
    {
        Release();
        record_ = fresh;
    }
    const TorrentFileInfo& operator*() const { return *record_; }

private:
    void Release()
    {
        FreeTorrentFileInfo(*record_);
        RegisteredHostHeap().release(record_);
    }

    TorrentFileInfo* record_;
};

std::string Joined(std::string_view head, std::string_view tail)
{
    std::string text;
    text.reserve(head.size() + tail.size());
    text.append(head).append(tail);
    return text;
}

const char* TextOrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

// One row in each list: the path above; the path, the name and the link below.
void AppendRows(WorkflowEnvironment& environment, const std::string& path, const TorrentFileInfo& record)
{
    const int fileRow = environment.AppendRow(ResultList::Files);
    environment.SetCell(ResultList::Files, fileRow, 0, path, TextOrigin::Path);
    const int linkRow = environment.AppendRow(ResultList::Links);
    environment.SetCell(ResultList::Links, linkRow, 0, path, TextOrigin::Path);
    environment.SetCell(ResultList::Links, linkRow, 2, MagnetLink(record.infoHash), TextOrigin::Text);
    environment.SetCell(ResultList::Links, linkRow, 1, TextOrEmpty(record.name), TextOrigin::Text);
}

}  // namespace

std::string MagnetLink(const char* infoHash)
{
    return Joined(kMagnetLinkPrefix, TextOrEmpty(infoHash));
}

void ConversionWorkflow::OnSingleConversionClick()
{
    HeldRecord record;
    environment_.DeleteAllRows(ResultList::Files);
    environment_.DeleteAllRows(ResultList::Links);
    std::string path;
    if (!environment_.ShowOpenFileDialog(kTorrentFileFilter, path) || path.empty())
        return;
    record.Replace(GetTorrentFileInfo(path.c_str()));
    AppendRows(environment_, path, *record);
}

void ConversionWorkflow::OnBatchConversionClick()
{
    environment_.DeleteAllRows(ResultList::Links);
    environment_.DeleteAllRows(ResultList::Files);
    environment_.ShowMessageBox(kBatchWarning);
    std::string folder = environment_.BrowseForFolder(kFolderBrowserTitle);
    if (folder.empty())
        return;
    FolderWalk walk;
    (void)ScanFolder(folder, walk);  // a walk ended by closing the window leaves nothing to do
}

bool ConversionWorkflow::ScanFolder(std::string& folder, FolderWalk& walk)
{
    if (folder.empty())
        return true;
    if (folder.back() != '/')
        folder.push_back('/');  // the root, "/", keeps its one separator

    SearchHandle search(walk);
    std::string fileName = search.FindFirst(Joined(folder, "*.torrent"), SearchKind::Files);
    environment_.SetLabelText(StatusLabel::Folder, kSearchingFolderLabel, folder);
    if (!environment_.KeepWindowAlive())
        return false;
    while (!fileName.empty()) {
        const std::string path = Joined(folder, fileName);
        environment_.SetLabelText(StatusLabel::File, kConvertingFileLabel, path);
        ConvertTorrentFile(path);
        if (!environment_.KeepWindowAlive())
            return false;
        fileName = search.FindNext();
    }

    // The folder search of a readable folder begins with ".": the files here are done.
    std::string folderName = search.FindFirst(Joined(folder, "*.*"), SearchKind::Folders);
    if (folderName == ".") {
        environment_.SetLabelText(StatusLabel::Folder, kFinishedLabel, {});
        environment_.SetLabelText(StatusLabel::File, kFinishedLabel, {});
    }
    while (!folderName.empty()) {
        if (folderName.front() != '.') {  // ".", ".." and hidden folders are not entered
            std::string subfolder = Joined(folder, folderName);
            if (!ScanFolder(subfolder, walk))
                return false;
        }
        folderName = search.FindNext();
    }
    search.Close();
    return true;
}

void ConversionWorkflow::ConvertTorrentFile(const std::string& path)
{
    HeldRecord record;
    if (path.empty())
        return;
    record.Replace(GetTorrentFileInfo(path.c_str()));
    AppendRows(environment_, path, *record);
}
