#pragma once
// TorrentFileInfo: everything the library reads from one metainfo file, in the shared heap.

#include <cstdint>

// A zero-terminated byte string in the shared heap, or null. Null is the empty text: no
// operation hands out an allocated text of length zero.
using Text = char*;
// OLE Automation date: days since 1899-12-30 plus the time of day as a fraction.
using DateTime = double;
inline constexpr DateTime kEmptyDateTime = -657434.0;  // 0100-01-01 00:00:00

// The host's array form: this header, then `elementCount` elements back to back.
struct HostArray {
    int32_t dimensionCount;  // always 1
    int32_t elementCount;
};

// The elements right after the header: int64_t for fileLengths, Text for filePaths.
inline int64_t* Int64Elements(HostArray* array)
{
    return reinterpret_cast<int64_t*>(array + 1);
}
inline const int64_t* Int64Elements(const HostArray* array)
{
    return reinterpret_cast<const int64_t*>(array + 1);
}
inline Text* TextElements(HostArray* array)
{
    return reinterpret_cast<Text*>(array + 1);
}
inline const Text* TextElements(const HostArray* array)
{
    return reinterpret_cast<const Text*>(array + 1);
}

struct TorrentFileInfo {
    Text announceList;  // "host:port;" for every tracker
    Text comment;
    Text createdBy;
    Text name;
    int64_t totalLength;
    int32_t pieceLength;
    int32_t pieceCount;
    HostArray* fileLengths;  // int64_t elements
    HostArray* filePaths;    // Text elements, owned by the array
    Text infoHash;           // 40 lowercase hex digits
    DateTime creationDate;
};

// Sets the empty state of a record block the caller owns; nothing in it is read first.
void InitTorrentFileInfo(TorrentFileInfo& info);
// A new record block from the shared heap, never null: filled when the file loads, empty
// otherwise. The caller ends with FreeTorrentFileInfo and then releases the block.
[[nodiscard]] TorrentFileInfo* GetTorrentFileInfo(const char* path);
// Releases what the record owns and sets every text and array member to null; afterwards the
// block may only be released (a second call releases nothing).
void FreeTorrentFileInfo(TorrentFileInfo& info);

// A copy of the zero-terminated `source` in the shared heap; null for a null or empty source.
[[nodiscard]] Text CopyToHostText(const char* source);
