#pragma once
// The file search a batch conversion walks with: find first / find next / close search over the
// entries of one folder, either its files or its subfolders. No Qt; POSIX underneath.
//
// The rules, chosen so that a walk behaves the same on every Linux file system:
// - The wildcard (the pattern's last component) matches names without regard to ASCII letter
//   case, so "*.torrent" finds "a.TORRENT"; "*.*" matches every name, with or without a dot.
// - Files kind: regular files, symbolic links to regular files included. FIFOs, sockets and
//   devices are never offered: opening a FIFO would block the tool.
// - Folders kind: directories, symbolic links to directories included, with "." and ".." first.
//   A folder already entered in the same walk (same device and inode) is not offered again, so
//   a symbolic-link loop ends.
// - The other entries come in name order: ASCII letters compared without case, ties by bytes.
// - A folder that cannot be read yields no entries.

#include <sys/types.h>

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class SearchKind {
    Files,
    Folders,
};

// The folders entered during one walk, by device and inode. A search that starts in a folder
// enters it; a folder search skips subfolders entered before. The batch conversion owns one
// for the whole walk; it must outlive every SearchHandle that refers to it.
class FolderWalk final {
public:
    void Enter(dev_t device, ino_t inode) { entered_.emplace(device, inode); }
    [[nodiscard]] bool WasEntered(dev_t device, ino_t inode) const
    {
        return entered_.count({device, inode}) != 0;
    }

private:
    std::set<std::pair<dev_t, ino_t>> entered_;
};

// One search at a time. Names are file-system bytes, without the folder part; the empty
// string means there is no (further) entry. A search that runs out closes itself.
class SearchHandle final {
public:
    explicit SearchHandle(FolderWalk& walk) : walk_(walk) {}
    SearchHandle(const SearchHandle&) = delete;
    SearchHandle& operator=(const SearchHandle&) = delete;

    // `pattern` is a folder path followed by a wildcard, e.g. "/data/*.torrent"; without a "/"
    // the folder is the working directory. Closes a search still open in this handle first.
    [[nodiscard]] std::string FindFirst(std::string_view pattern, SearchKind kind);
    // The next entry of the open search; empty (and the search closed) when none is left, or
    // when no search is open.
    [[nodiscard]] std::string FindNext();
    // Nothing happens for a closed search.
    void Close();
    [[nodiscard]] bool IsOpen() const { return open_; }

private:
    struct Entry {
        std::string name;
        dev_t device = 0;  // folders only: checked against the walk when offered
        ino_t inode = 0;
    };

    FolderWalk& walk_;
    SearchKind kind_ = SearchKind::Files;
    std::vector<Entry> entries_;
    size_t next_ = 0;
    bool open_ = false;
};

// Wildcard match of a bare name: '*' any run of bytes, '?' one byte, ASCII letters without case;
// "*.*" matches every name.
[[nodiscard]] bool WildcardMatches(std::string_view wildcard, std::string_view name);
// The listing order of names: ASCII letters compared without case, then the bytes decide.
[[nodiscard]] bool NameOrderLess(std::string_view a, std::string_view b);
