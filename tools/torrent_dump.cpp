// torrent_dump [--json] PATH...
// Shows what the library reads from each metainfo file: the magnet link on one line, then
// either the record as one JSON object on the next line (--json) or its members one per line.
// A file that does not load still gets its line, the bare link prefix. Always exits 0.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "torrent/host_heap.h"
#include "torrent/torrent_file_info.h"

namespace {

constexpr char kMagnetPrefix[] = "magnet:?xt=urn:btih:";

// JSON for a text: null, or the lowercase hex of its bytes in quotes.
std::string HexText(Text text)
{
    if (!text)
        return "null";
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char* p = text; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0x0F];
    }
    return out + "\"";
}

uint64_t BitsOf(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void PrintJson(const TorrentFileInfo& info)
{
    std::printf("{\"announceList\":%s,\"comment\":%s,\"createdBy\":%s,\"name\":%s,", HexText(info.announceList).c_str(),
                HexText(info.comment).c_str(), HexText(info.createdBy).c_str(), HexText(info.name).c_str());
    // The info hash is 40 hex digits already; shown as it is.
    if (info.infoHash)
        std::printf("\"infoHash\":\"%s\",", info.infoHash);
    else
        std::printf("\"infoHash\":null,");
    std::printf("\"totalLength\":%" PRId64 ",\"pieceLength\":%" PRId32 ",\"pieceCount\":%" PRId32 ",", info.totalLength,
                info.pieceLength, info.pieceCount);
    std::printf("\"fileLengths\":[");
    for (int32_t i = 0; i < info.fileLengths->elementCount; ++i)
        std::printf("%s%" PRId64, i ? "," : "", Int64Elements(info.fileLengths)[i]);
    std::printf("],\"filePaths\":[");
    for (int32_t i = 0; i < info.filePaths->elementCount; ++i)
        std::printf("%s%s", i ? "," : "", HexText(TextElements(info.filePaths)[i]).c_str());
    std::printf("],\"creationDate\":%.17g,\"creationDateBits\":\"%016" PRIx64 "\"}\n", info.creationDate,
                BitsOf(info.creationDate));
}

// The calendar date and time of an OLE Automation date, for reading.
std::string CalendarText(DateTime date)
{
    const double wholeDays = std::trunc(date);
    const int64_t secondOfDay = std::llround(std::fabs(date - wholeDays) * 86400);
    // Days since 1970-01-01, then the proleptic Gregorian civil date of that day.
    const int64_t z = static_cast<int64_t>(wholeDays) - 25569 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2);
    char text[128];
    std::snprintf(text, sizeof text, "%04" PRId64 "-%02" PRId64 "-%02" PRId64 " %02" PRId64 ":%02" PRId64 ":%02" PRId64,
                  year, month, day, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

const char* OrNone(Text text)
{
    return text ? text : "(none)";
}

void PrintReadable(const TorrentFileInfo& info)
{
    std::printf("  name:         %s\n", OrNone(info.name));
    std::printf("  info hash:    %s\n", OrNone(info.infoHash));
    std::printf("  trackers:     %s\n", OrNone(info.announceList));
    std::printf("  comment:      %s\n", OrNone(info.comment));
    std::printf("  created by:   %s\n", OrNone(info.createdBy));
    std::printf("  created on:   %s local time (%.17g)\n", CalendarText(info.creationDate).c_str(), info.creationDate);
    std::printf("  total length: %" PRId64 "\n", info.totalLength);
    std::printf("  piece length: %" PRId32 "\n", info.pieceLength);
    std::printf("  pieces:       %" PRId32 "\n", info.pieceCount);
    std::printf("  files:        %" PRId32 "\n", info.fileLengths->elementCount);
    for (int32_t i = 0; i < info.fileLengths->elementCount; ++i)
        std::printf("    %14" PRId64 "  %s\n", Int64Elements(info.fileLengths)[i], OrNone(TextElements(info.filePaths)[i]));
}

} // namespace

int main(int argc, char** argv)
{
    int first = 1;
    const bool json = argc > 1 && std::strcmp(argv[1], "--json") == 0;
    if (json)
        ++first;
    if (first >= argc) {
        std::fprintf(stderr, "usage: torrent_dump [--json] PATH...\n");
        return 2;
    }
    RegisterHostHeap(ProcessHostHeap());
    for (int i = first; i < argc; ++i) {
        TorrentFileInfo* info = GetTorrentFileInfo(argv[i]);
        std::printf("%s%s\n", kMagnetPrefix, info->infoHash ? info->infoHash : "");
        if (json)
            PrintJson(*info);
        else
            PrintReadable(*info);
        FreeTorrentFileInfo(*info);
        RegisteredHostHeap().release(info);
    }
    return 0;
}
