#pragma once
// A file with given bytes in a fresh temporary folder, removed with the object.

#include <string>
#include <string_view>

class TempFile {
public:
    explicit TempFile(std::string_view bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

// The path of a committed fixture of tests/torrent/data.
std::string FixturePath(std::string_view name);
