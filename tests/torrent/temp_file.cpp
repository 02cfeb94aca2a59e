#include "tests/torrent/temp_file.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

TempFile::TempFile(std::string_view bytes)
{
    std::string pattern = "/tmp/btmagnet-test.XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    path_ = folder_ + "/file.torrent";
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path_);
}

TempFile::~TempFile()
{
    std::remove(path_.c_str());
    rmdir(folder_.c_str());
}

std::string FixturePath(std::string_view name)
{
    return std::string(BTMAGNET_TEST_DATA) + "/" + std::string(name);
}
