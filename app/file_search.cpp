#include "app/file_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace {

// Upper case, as the listing order of the file systems this tool came from folds letters.
unsigned char FoldCase(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool IsDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

// Whether the entry `name` of the open folder `folderFd` is of the kind asked for; for a
// folder, also where it lives, so that the walk can tell a folder it has entered.
bool IsOfKind(int folderFd, const dirent& entry, SearchKind kind, dev_t& device, ino_t& inode)
{
    const unsigned char type = entry.d_type;
    if (kind == SearchKind::Files) {
        if (type == DT_REG)
            return true;
        if (type != DT_LNK && type != DT_UNKNOWN)
            return false;
    } else if (type != DT_DIR && type != DT_LNK && type != DT_UNKNOWN) {
        return false;
    }
    struct stat target {};
    if (fstatat(folderFd, entry.d_name, &target, 0) != 0)  // follows symbolic links
        return false;
    if (kind == SearchKind::Files)
        return S_ISREG(target.st_mode);
    device = target.st_dev;
    inode = target.st_ino;
    return S_ISDIR(target.st_mode);
}

}  // namespace

bool WildcardMatches(std::string_view wildcard, std::string_view name)
{
    if (wildcard == "*.*")
        return true;
    // Greedy match with backtracking to the last '*': linear in practice, no recursion.
    size_t w = 0, n = 0;
    size_t starW = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && wildcard[w] == '*') {
            starW = w++;
            starN = n;
        } else if (w < wildcard.size() &&
                   (wildcard[w] == '?' || FoldCase(static_cast<unsigned char>(wildcard[w])) ==
                                              FoldCase(static_cast<unsigned char>(name[n])))) {
            ++w;
            ++n;
        } else if (starW != std::string_view::npos) {
            w = starW + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == '*')
        ++w;
    return w == wildcard.size();
}

bool NameOrderLess(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char fa = FoldCase(static_cast<unsigned char>(a[i]));
        const unsigned char fb = FoldCase(static_cast<unsigned char>(b[i]));
        if (fa != fb)
            return fa < fb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;  // same letters but for case: the bytes decide ("A" before "a")
}

std::string SearchHandle::FindFirst(std::string_view pattern, SearchKind kind)
{
    Close();
    const size_t slash = pattern.rfind('/');
    const std::string folder =
        slash == std::string_view::npos ? std::string(".") : std::string(pattern.substr(0, slash + 1));
    const std::string_view wildcard =
        slash == std::string_view::npos ? pattern : pattern.substr(slash + 1);

    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return {};
    DIR* listing = fdopendir(folderFd);  // owns folderFd from here
    if (listing == nullptr) {
        close(folderFd);
        return {};
    }
    struct stat self {};
    if (fstat(folderFd, &self) == 0)
        walk_.Enter(self.st_dev, self.st_ino);

    std::vector<Entry> dots;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (!WildcardMatches(wildcard, name))
            continue;
        if (kind == SearchKind::Folders && IsDotEntry(name)) {
            dots.push_back({std::string(name)});
            continue;
        }
        Entry found{std::string(name)};
        if (IsOfKind(folderFd, *entry, kind, found.device, found.inode))
            entries_.push_back(std::move(found));
    }
    closedir(listing);

    std::sort(entries_.begin(), entries_.end(),
              [](const Entry& a, const Entry& b) { return NameOrderLess(a.name, b.name); });
    std::sort(dots.begin(), dots.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    entries_.insert(entries_.begin(), std::make_move_iterator(dots.begin()),
                    std::make_move_iterator(dots.end()));
    kind_ = kind;
    open_ = true;
    return FindNext();
}

std::string SearchHandle::FindNext()
{
    while (open_ && next_ < entries_.size()) {
        Entry& entry = entries_[next_++];
        // A folder entered since the listing was read (through another link) is passed over
        // here, when it is offered, not when the listing was read.
        if (kind_ == SearchKind::Folders && !IsDotEntry(entry.name) &&
            walk_.WasEntered(entry.device, entry.inode))
            continue;
        return std::move(entry.name);
    }
    Close();
    return {};
}

void SearchHandle::Close()
{
    entries_.clear();
    entries_.shrink_to_fit();
    next_ = 0;
    open_ = false;
}
