#pragma once
// CTorrent: one metainfo document in memory, its info hash and the questions it answers.
//
// A torrent holds deep copies of the decoded top-level dictionary (`root`) and of its "info"
// dictionary (`infoDict`). Every query only reads them: a missing key, or a value of another
// kind, gives a fixed default (an empty text, 0, no entries, the start of 1970), never an error.
// Texts are byte strings taken from the file as they are; no character encoding is applied.

#include <array>
#include <cstdint>
#include <vector>

#include "bencode/atom.h"

struct TrackerAddress {
    ByteString host;
    int32_t port = 0;
};

struct FileEntry {
    ByteString path;      // a backslash before each element of "path"
    int64_t length = 0;   // never negative
    int32_t position = 0; // index of the entry in "files", from 0
};

// Local time as the C library's broken-down time gives it.
struct BrokenDownTime {
    int32_t second = 0;          // 0-59
    int32_t minute = 0;          // 0-59
    int32_t hour = 0;            // 0-23
    int32_t dayOfMonth = 0;      // 1-31; 0 only in the value that stands for "no time"
    int32_t month = 0;           // 0-11, January = 0
    int32_t yearsSince1900 = 0;
    int32_t dayOfWeek = 0;       // 0-6, Sunday = 0
    int32_t dayOfYear = 0;       // 0-365
    int32_t daylightSaving = 0;  // positive while daylight-saving time is in force

    // False for the all-zero value that GetCreationDate gives when there is no local time.
    bool HasTime() const { return dayOfMonth != 0; }
};

using PieceHash = std::array<uint8_t, 20>;

class CTorrent {
public:
    CTorrent() = default;
    virtual ~CTorrent() = default;  // infoDict goes first, then root
    CTorrent(const CTorrent&) = delete;
    CTorrent& operator=(const CTorrent&) = delete;

    // True when the file holds a bencoded dictionary, which the torrent now holds (with or
    // without an "info" dictionary). An empty path, or one with a zero byte in it, is false
    // without touching the file system.
    [[nodiscard]] bool LoadFile(const ByteString& path);

    // SHA-1 of the canonical encoding of infoDict (the empty dictionary when there is none):
    // 40 lowercase hex digits, or with asHex false the 20 digest bytes through EscapeBytes.
    ByteString GetInfoHash(bool asHex) const;
    // Letters, digits and - _ . / stay; every other byte becomes %XX (uppercase hex).
    // A count of 0 or below gives the empty string.
    static ByteString EscapeBytes(const uint8_t* bytes, int32_t count);

    // Fills `trackers` (emptied first) from "announce", or from "announce-list" when that is a
    // list, which then replaces the "announce" entry. False exactly when "announce" is absent.
    bool GetTrackers(std::vector<TrackerAddress>& trackers) const;
    // ASCII A-Z to a-z in place; every other byte stays.
    static void ToLower(ByteString& text);
    // Completes an "announce-list" URL in place: "http://" in front when it occurs nowhere,
    // "/" at the end when missing. "", "\r\n", "\r" and "\n" are left as they are.
    static void NormalizeTrackerUrl(ByteString& url);
    // Host and port after the first "http://": port 80 without a ":", otherwise the number
    // after the first ":", which must have a "/" somewhere after it.
    static bool SplitTrackerUrl(const ByteString& url, ByteString& host, int32_t& port);

    ByteString GetComment() const;
    ByteString GetCreatedBy() const;
    ByteString GetName() const;
    // The low 32 bits of "piece length"; 0 when absent.
    int32_t GetPieceLength() const;
    // One entry per 20 bytes of "pieces"; a shorter last group is zero-filled. True when at
    // least one entry was made.
    bool GetPieceHashes(std::vector<PieceHash>& hashes) const;
    // The number of entries GetPieceHashes gives, counted without copying "pieces".
    int32_t GetPieceCount() const;
    // "length" when it is an integer, otherwise the sum over the file entries (0 for none),
    // held at INT64_MAX should the sum not fit.
    int64_t GetTotalLength() const;
    // All or nothing: any malformed element of "files" leaves `entries` empty.
    void GetFileEntries(std::vector<FileEntry>& entries) const;
    // The file entries as parallel lengths and paths; true when there is at least one.
    bool GetFiles(std::vector<int64_t>& lengths, std::vector<ByteString>& paths) const;
    // "creation date" (0 when absent or not an integer), its low 32 bits as seconds since
    // 1970 UTC in local time. A count that reads as negative has no local time: the result
    // is then the all-zero value, HasTime() false.
    BrokenDownTime GetCreationDate() const;

    CAtomDicti root;
    CAtomDicti infoDict;
};
