// TorrentFileInfo: a CTorrent's answers shaped into one record in the shared heap.
#include "torrent/torrent_file_info.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "torrent/date_rule.h"
#include "torrent/host_heap.h"
#include "torrent/torrent.h"

namespace {

// A new array block in the host's form with `count` zeroed elements of 8 bytes each.
HostArray* NewHostArray(size_t count)
{
    static_assert(sizeof(int64_t) == 8 && sizeof(Text) == 8 && sizeof(HostArray) == 8);
    const size_t byteCount = sizeof(HostArray) + count * 8;
    auto* array = static_cast<HostArray*>(RegisteredHostHeap().allocate(byteCount));
    std::memset(array, 0, byteCount);
    array->dimensionCount = 1;
    array->elementCount = static_cast<int32_t>(count);
    return array;
}

void ReleaseArrays(TorrentFileInfo& info)
{
    const HostHeap& heap = RegisteredHostHeap();
    if (info.fileLengths)
        heap.releaseArray(HostElementKind::Int64, info.fileLengths);
    if (info.filePaths)
        heap.releaseArray(HostElementKind::Text, info.filePaths);
    info.fileLengths = nullptr;
    info.filePaths = nullptr;
}

// Each entry as host ":" port ";", the last one included.
ByteString JoinTrackers(const std::vector<TrackerAddress>& trackers)
{
    ByteString joined;
    for (const TrackerAddress& tracker : trackers) {
        char port[16];
        std::snprintf(port, sizeof port, "%d", tracker.port);
        joined += tracker.host;
        joined += ':';
        joined += port;
        joined += ';';
    }
    return joined;
}

DateTime CreationDateOf(const CTorrent& torrent)
{
    const BrokenDownTime time = torrent.GetCreationDate();
    if (!time.HasTime())
        return kEmptyDateTime;
    const auto date = DateTimeFromFields(static_cast<uint16_t>(time.yearsSince1900 + 1900),
                                         static_cast<uint16_t>(time.month + 1),
                                         static_cast<uint16_t>(time.dayOfMonth), static_cast<uint16_t>(time.hour),
                                         static_cast<uint16_t>(time.minute), static_cast<uint16_t>(time.second));
    return date.value_or(kEmptyDateTime);
}

void FillFromTorrent(const CTorrent& torrent, TorrentFileInfo& info)
{
    std::vector<TrackerAddress> trackers;
    if (torrent.GetTrackers(trackers))
        info.announceList = CopyToHostText(JoinTrackers(trackers).c_str());
    info.comment = CopyToHostText(torrent.GetComment().c_str());
    info.createdBy = CopyToHostText(torrent.GetCreatedBy().c_str());
    info.totalLength = torrent.GetTotalLength();
    info.name = CopyToHostText(torrent.GetName().c_str());
    info.pieceLength = torrent.GetPieceLength();
    info.pieceCount = torrent.GetPieceCount();

    ReleaseArrays(info);
    std::vector<int64_t> lengths;
    std::vector<ByteString> paths;
    (void)torrent.GetFiles(lengths, paths);
    info.fileLengths = NewHostArray(lengths.size());
    info.filePaths = NewHostArray(paths.size());
    int64_t* lengthElements = Int64Elements(info.fileLengths);
    Text* pathElements = TextElements(info.filePaths);
    for (size_t i = 0; i < lengths.size(); ++i) {
        lengthElements[i] = lengths[i];
        pathElements[i] = CopyToHostText(paths[i].c_str());
    }

    info.infoHash = CopyToHostText(torrent.GetInfoHash(true).c_str());
    info.creationDate = CreationDateOf(torrent);
}

} // namespace

Text CopyToHostText(const char* source)
{
    if (!source || source[0] == '\0')
        return nullptr;
    const size_t size = std::strlen(source) + 1;
    auto* text = static_cast<Text>(RegisteredHostHeap().allocate(size));
    std::memcpy(text, source, size);
    return text;
}

void InitTorrentFileInfo(TorrentFileInfo& info)
{
    info.announceList = nullptr;
    info.comment = nullptr;
    info.createdBy = nullptr;
    info.name = nullptr;
    info.totalLength = 0;
    info.pieceLength = 0;
    info.pieceCount = 0;
    info.fileLengths = NewHostArray(0);
    info.filePaths = NewHostArray(0);
    info.infoHash = nullptr;
    info.creationDate = kEmptyDateTime;
}

TorrentFileInfo* GetTorrentFileInfo(const char* path)
{
    auto* info = static_cast<TorrentFileInfo*>(RegisteredHostHeap().allocate(sizeof(TorrentFileInfo)));
    InitTorrentFileInfo(*info);
    if (!path)
        return info;
    CTorrent torrent;
    if (torrent.LoadFile(path))
        FillFromTorrent(torrent, *info);
    return info;
}

void FreeTorrentFileInfo(TorrentFileInfo& info)
{
    const HostHeap& heap = RegisteredHostHeap();
    // Each text is set to null once released, so that a second call releases nothing twice.
    for (Text* text : {&info.announceList, &info.comment, &info.createdBy, &info.name, &info.infoHash}) {
        if (*text)
            heap.release(*text);
        *text = nullptr;
    }
    ReleaseArrays(info);
}
