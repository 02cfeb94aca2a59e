// Stands in for the torrent library while it is not part of this build: the three record
// operations and the host heap, for the generated test torrents only ("d4:info<dict>e" with the
// info dictionary last). Replaced by btmagnet_torrent as soon as that target exists.
#include <openssl/sha.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "torrent/host_heap.h"
#include "torrent/torrent_file_info.h"

namespace {

const HostHeap* registered = nullptr;

char* CopyToHostText(const std::string& source)
{
    if (source.empty())
        return nullptr;
    auto* text = static_cast<char*>(RegisteredHostHeap().allocate(source.size() + 1));
    std::memcpy(text, source.c_str(), source.size() + 1);
    return text;
}

HostArray* EmptyArray()
{
    auto* array = static_cast<HostArray*>(RegisteredHostHeap().allocate(sizeof(HostArray)));
    *array = {1, 0};
    return array;
}

}  // namespace

void RegisterHostHeap(const HostHeap& heap) { registered = &heap; }
const HostHeap& RegisteredHostHeap() { return registered != nullptr ? *registered : ProcessHostHeap(); }

const HostHeap& ProcessHostHeap()
{
    static const HostHeap heap{
        [](size_t n) -> void* {
            void* block = std::malloc(n == 0 ? 1 : n);
            if (block == nullptr) {
                std::fputs("out of memory\n", stderr);
                std::exit(1);
            }
            return block;
        },
        [](void* block) { std::free(block); },
        [](HostElementKind kind, void* block) {
            auto* array = static_cast<HostArray*>(block);
            if (kind == HostElementKind::Text) {
                auto** texts = reinterpret_cast<char**>(array + 1);
                for (int32_t i = 0; i < array->elementCount; ++i)
                    std::free(texts[i]);
            }
            std::free(block);
        },
    };
    return heap;
}

void InitTorrentFileInfo(TorrentFileInfo& info)
{
    info = {};
    info.fileLengths = EmptyArray();
    info.filePaths = EmptyArray();
    info.creationDate = kEmptyDateTime;
}

void FreeTorrentFileInfo(TorrentFileInfo& info)
{
    for (char* text : {info.announceList, info.comment, info.createdBy, info.name, info.infoHash})
        if (text != nullptr)
            RegisteredHostHeap().release(text);
    if (info.fileLengths != nullptr)
        RegisteredHostHeap().releaseArray(HostElementKind::Int64, info.fileLengths);
    if (info.filePaths != nullptr)
        RegisteredHostHeap().releaseArray(HostElementKind::Text, info.filePaths);
    info.fileLengths = nullptr;
    info.filePaths = nullptr;
}

TorrentFileInfo* GetTorrentFileInfo(const char* path)
{
    auto* info = static_cast<TorrentFileInfo*>(RegisteredHostHeap().allocate(sizeof(TorrentFileInfo)));
    InitTorrentFileInfo(*info);
    if (path == nullptr)
        return info;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 9 || bytes.compare(0, 7, "d4:info") != 0 || bytes.back() != 'e')
        return info;
    const std::string infoDict = bytes.substr(7, bytes.size() - 8);
    const size_t key = infoDict.find("4:name");
    if (key != std::string::npos) {
        const size_t colon = infoDict.find(':', key + 6);
        const size_t length = std::stoul(infoDict.substr(key + 6, colon - key - 6));
        info->name = CopyToHostText(infoDict.substr(colon + 1, length));
    }
    unsigned char digest[SHA_DIGEST_LENGTH];
    SHA1(reinterpret_cast<const unsigned char*>(infoDict.data()), infoDict.size(), digest);
    std::string hex;
    for (unsigned char b : digest) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", b);
        hex += two;
    }
    info->infoHash = CopyToHostText(hex);
    return info;
}
