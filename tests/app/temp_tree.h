#pragma once
// A temporary folder tree for one test, removed with everything in it at the end.

#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>

class TempTree final {
public:
    TempTree()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "btmagnet-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        chmod(root_.c_str(), 0755);  // reachable by a process that dropped its privileges
    }
    ~TempTree()
    {
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
            if (!it->is_symlink())
                chmod(it->path().c_str(), 0755);  // so that a locked folder can be removed
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The tree's root, without a trailing "/".
    const std::string& Root() const { return root_; }
    std::string Path(std::string_view relative) const { return root_ + "/" + std::string(relative); }

    void Folder(std::string_view relative) const { std::filesystem::create_directories(Path(relative)); }
    void File(std::string_view relative, std::string_view bytes) const
    {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        std::ofstream(Path(relative), std::ios::binary) << bytes;
    }
    void Link(std::string_view relative, std::string_view target) const
    {
        std::filesystem::create_symlink(std::string(target), Path(relative));
    }
    void Fifo(std::string_view relative) const { mkfifo(Path(relative).c_str(), 0644); }

private:
    std::string root_;
};

// A minimal single-file metainfo file; the info dictionary is the last key. Its info hash is
// the SHA-1 of the bytes from "d6:length" to the second-last byte.
inline std::string TorrentBytes(std::string_view name)
{
    return "d4:infod6:lengthi1e4:name" + std::to_string(name.size()) + ":" + std::string(name) +
           "12:piece lengthi16384e6:pieces20:" + std::string(20, 'x') + "ee";
}

// Runs `check` where a folder with mode 000 cannot be read: as it is for an ordinary user, and
// in a child process that drops to the user "nobody" for root, who reads every folder.
// 0 when `check` returned true, 1 when false, 77 when privileges could not be dropped.
inline int RunWithoutPrivileges(const std::function<bool()>& check)
{
    if (geteuid() != 0)
        return check() ? 0 : 1;
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(77);
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
