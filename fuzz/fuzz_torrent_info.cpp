// GetTorrentFileInfo on fuzzed files: whatever the bytes, the record is well formed and every
// block of the host heap is released exactly once after FreeTorrentFileInfo and the block's
// release. The input goes through a memory file, so no disk is touched.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/torrent/counting_heap.h"
#include "torrent/torrent_file_info.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A memory file holding the input, and a path that opens it afresh.
const std::string& InputPath(int& fd)
{
    static int memoryFile = memfd_create("fuzz_torrent_info", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(memoryFile);
    Check(memoryFile >= 0);
    fd = memoryFile;
    return path;
}

void CheckText(Text text)
{
    Check(text == nullptr || text[0] != '\0');  // never an allocated empty text
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int fd = -1;
    const std::string& path = InputPath(fd);
    Check(ftruncate(fd, 0) == 0);
    Check(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));

    InstallCountingHeap();
    TorrentFileInfo* info = GetTorrentFileInfo(path.c_str());
    for (Text text : {info->announceList, info->comment, info->createdBy, info->name, info->infoHash})
        CheckText(text);
    Check(info->infoHash == nullptr || std::strlen(info->infoHash) == 40);
    Check(info->fileLengths->dimensionCount == 1 && info->filePaths->dimensionCount == 1);
    Check(info->fileLengths->elementCount == info->filePaths->elementCount);
    for (int32_t i = 0; i < info->fileLengths->elementCount; ++i) {
        Check(Int64Elements(info->fileLengths)[i] >= 0);
        CheckText(TextElements(info->filePaths)[i]);
    }
    FreeTorrentFileInfo(*info);
    RegisteredHostHeap().release(info);
    Check(CountingHeapBalanced());
    RemoveCountingHeap();
    return 0;
}
