// TorrentFileInfo: the empty state, the filled record, its arrays, and its release.
#include "tests/torrent/record_test.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/torrent/load_bytes.h"
#include "tests/torrent/temp_file.h"

namespace {

// The host reads the record by offset: eleven members in this order, nothing else.
static_assert(offsetof(TorrentFileInfo, announceList) == 0);
static_assert(offsetof(TorrentFileInfo, comment) == 8);
static_assert(offsetof(TorrentFileInfo, createdBy) == 16);
static_assert(offsetof(TorrentFileInfo, name) == 24);
static_assert(offsetof(TorrentFileInfo, totalLength) == 32);
static_assert(offsetof(TorrentFileInfo, pieceLength) == 40);
static_assert(offsetof(TorrentFileInfo, pieceCount) == 44);
static_assert(offsetof(TorrentFileInfo, fileLengths) == 48);
static_assert(offsetof(TorrentFileInfo, filePaths) == 56);
static_assert(offsetof(TorrentFileInfo, infoHash) == 64);
static_assert(offsetof(TorrentFileInfo, creationDate) == 72);
static_assert(sizeof(TorrentFileInfo) == 80);

void ExpectEmptyState(const TorrentFileInfo& info)
{
    EXPECT_EQ(info.announceList, nullptr);
    EXPECT_EQ(info.comment, nullptr);
    EXPECT_EQ(info.createdBy, nullptr);
    EXPECT_EQ(info.name, nullptr);
    EXPECT_EQ(info.infoHash, nullptr);
    EXPECT_EQ(info.totalLength, 0);
    EXPECT_EQ(info.pieceLength, 0);
    EXPECT_EQ(info.pieceCount, 0);
    ASSERT_NE(info.fileLengths, nullptr);
    ASSERT_NE(info.filePaths, nullptr);
    EXPECT_EQ(BytesOf(info.fileLengths, 0), LengthArrayBytes({}));
    EXPECT_EQ(BytesOf(info.filePaths, 0), LengthArrayBytes({}));
    uint64_t bits;
    std::memcpy(&bits, &info.creationDate, sizeof bits);
    EXPECT_EQ(bits, 0xC124103400000000u);
}

using RecordEmpty = RecordTest;

TEST_F(RecordEmpty, FilesThatDoNotLoadGiveTheEmptyState)
{
    struct Case {
        const char* name;
        const char* bytes;  // null: no file is written, the path below is used as it is
        const char* path;
    };
    const Case cases[] = {
        {"null path", nullptr, nullptr},
        {"empty path", nullptr, ""},
        {"missing file", nullptr, "/nonexistent/btmagnet/x.torrent"},
        {"empty file", "", nullptr},
        {"a list", "le", nullptr},
        {"an integer", "i1e", nullptr},
        {"a string", "4:spam", nullptr},
        {"not bencode", "<html>", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int64_t before = CountingHeapState().allocations;
        std::unique_ptr<TempFile> file;
        if (c.bytes)
            file = std::make_unique<TempFile>(c.bytes);
        TorrentFileInfo* info = GetTorrentFileInfo(file ? file->path().c_str() : c.path);
        ASSERT_NE(info, nullptr);
        ExpectEmptyState(*info);
        // The record block and its two empty arrays, nothing more.
        EXPECT_EQ(CountingHeapState().allocations - before, 3);
        FreeTorrentFileInfo(*info);
        EXPECT_EQ(CountingHeapState().live, 1);
        RegisteredHostHeap().release(info);
        EXPECT_EQ(CountingHeapState().live, 0);
    }
}

TEST_F(RecordEmpty, InitOnTheCallersBlockReadsNothing)
{
    TorrentFileInfo info;
    std::memset(&info, 0xA5, sizeof info);  // garbage that must neither be read nor released
    InitTorrentFileInfo(info);
    ExpectEmptyState(info);
    FreeTorrentFileInfo(info);
    EXPECT_EQ(info.fileLengths, nullptr);
    EXPECT_EQ(info.filePaths, nullptr);
    EXPECT_EQ(CountingHeapState().allocations, 2);
}

TEST_F(RecordEmpty, CopyToHostText)
{
    EXPECT_EQ(CopyToHostText(nullptr), nullptr);
    EXPECT_EQ(CopyToHostText(""), nullptr);
    EXPECT_EQ(CountingHeapState().allocations, 0);
    Text text = CopyToHostText("\xC3\xA4 b");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "\xC3\xA4 b");
    RegisteredHostHeap().release(text);
}

using RecordFilled = RecordTest;

TEST_F(RecordFilled, FreeTwiceReleasesNothingTwice)
{
    TempFile file("d7:comment1:c10:created by1:b4:infod5:filesld6:lengthi1e4:pathl1:aeee4:name1:nee");
    TorrentFileInfo* info = GetTorrentFileInfo(file.path().c_str());
    ASSERT_NE(info->comment, nullptr);
    FreeTorrentFileInfo(*info);
    for (Text text : {info->announceList, info->comment, info->createdBy, info->name, info->infoHash})
        EXPECT_EQ(text, nullptr);
    FreeTorrentFileInfo(*info);
    EXPECT_EQ(CountingHeapState().badReleases, 0);
    Release(info);
}

TEST_F(RecordFilled, EveryMemberFromOneDocument)
{
    const std::string pieces(41, 'p');
    const std::string document =
        "d8:announce" + Str("http://x/") + "13:announce-listll" + Str("http://A/") + "el" + Str("http://B:6969/") +
        "ee7:comment" + Str("a comment") + "10:created by" + Str("maker 1.0") + "13:creation datei0e" +
        "4:infod5:filesld6:lengthi3221225472e4:pathl3:dir4:big1eed6:lengthi0e4:pathlee" +
        "d6:lengthi7e4:pathl1:aeee4:name" + Str("a b") + "12:piece lengthi262144e6:pieces" + Str(pieces) + "ee";
    TempFile file(document);
    TorrentFileInfo* info = GetTorrentFileInfo(file.path().c_str());

    EXPECT_EQ(TextOrNull(info->announceList), "a:80;b:6969;");
    EXPECT_EQ(TextOrNull(info->comment), "a comment");
    EXPECT_EQ(TextOrNull(info->createdBy), "maker 1.0");
    EXPECT_EQ(TextOrNull(info->name), "a b");
    EXPECT_EQ(info->totalLength, 3221225472 + 7);
    EXPECT_EQ(info->pieceLength, 262144);
    EXPECT_EQ(info->pieceCount, 3);
    EXPECT_EQ(BytesOf(info->fileLengths, 3), LengthArrayBytes({3221225472, 0, 7}));
    // The path array's header as bytes; its elements are text references.
    EXPECT_EQ(BytesOf(info->filePaths, 0), (std::vector<uint8_t>{1, 0, 0, 0, 3, 0, 0, 0}));
    ASSERT_EQ(info->filePaths->elementCount, 3);
    EXPECT_EQ(PathTexts(info->filePaths), (std::vector<std::string>{"\\dir\\big1", "(null)", "\\a"}));
    ASSERT_NE(info->infoHash, nullptr);
    EXPECT_EQ(std::strlen(info->infoHash), 40u);
    CTorrent torrent;
    ASSERT_TRUE(torrent.LoadFile(file.path()));
    EXPECT_EQ(info->infoHash, torrent.GetInfoHash(true));
    Release(info);
}

struct NullTextCase {
    const char* name;
    std::string document;
    const char* announceList;
    const char* comment;
    const char* createdBy;
    const char* torrentName;
};

TEST_F(RecordFilled, EmptyAnswersLeaveTextsNull)
{
    const NullTextCase cases[] = {
        {"no keys", "de", "(null)", "(null)", "(null)", "(null)"},
        {"empty strings", "d7:comment0:10:created by0:4:infod4:name0:ee", "(null)", "(null)", "(null)", "(null)"},
        {"containers as texts", "d7:commentle10:created byde4:infod4:namelee", "(null)", "(null)", "(null)", "(null)"},
        {"tracker list without entries", "d8:announce" + Str("http://a/") + "13:announce-listlee", "(null)", "(null)",
         "(null)", "(null)"},
        {"announce-list without announce", "d13:announce-listl" + Str("http://a/") + "ee", "(null)", "(null)",
         "(null)", "(null)"},
        {"rejected announce", "d8:announce" + Str("http://a:1") + "e", "(null)", "(null)", "(null)", "(null)"},
        {"announce only", "d8:announce" + Str("http://a/") + "e", "a:80;", "(null)", "(null)", "(null)"},
        {"integers as texts", "d7:commenti5e10:created byi0e4:infod4:namei-1eee", "(null)", "5", "0", "-1"},
        {"zero bytes as spaces", std::string("d7:comment2:\0\0e", 16), "(null)", "  ", "(null)", "(null)"},
    };
    for (const NullTextCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFile file(c.document);
        TorrentFileInfo* info = GetTorrentFileInfo(file.path().c_str());
        EXPECT_EQ(TextOrNull(info->announceList), c.announceList);
        EXPECT_EQ(TextOrNull(info->comment), c.comment);
        EXPECT_EQ(TextOrNull(info->createdBy), c.createdBy);
        EXPECT_EQ(TextOrNull(info->name), c.torrentName);
        EXPECT_NE(info->infoHash, nullptr);  // every loaded file has an info hash
        Release(info);
    }
}

TEST_F(RecordFilled, SingleFileHasTwoEmptyArrays)
{
    TempFile file("d4:infod6:lengthi3221225472e4:name1:a12:piece lengthi16777216e6:pieces0:ee");
    TorrentFileInfo* info = GetTorrentFileInfo(file.path().c_str());
    EXPECT_EQ(info->totalLength, 3221225472);
    EXPECT_EQ(info->pieceCount, 0);
    EXPECT_EQ(BytesOf(info->fileLengths, 0), LengthArrayBytes({}));
    EXPECT_EQ(BytesOf(info->filePaths, 0), LengthArrayBytes({}));
    EXPECT_EQ(TextOrNull(info->infoHash), "1488ac6e473e54cd9e0a7ab3f1c873275b00308b");  // sha1sum of the info bytes
    Release(info);
}

TEST_F(RecordFilled, MalformedFilesGiveEmptyArraysAndNoLength)
{
    TempFile file("d4:infod5:filesld6:lengthi1e4:pathl1:aeed6:lengthi-1e4:pathl1:beeeee");
    TorrentFileInfo* info = GetTorrentFileInfo(file.path().c_str());
    EXPECT_EQ(info->totalLength, 0);
    EXPECT_EQ(BytesOf(info->fileLengths, 0), LengthArrayBytes({}));
    EXPECT_EQ(BytesOf(info->filePaths, 0), LengthArrayBytes({}));
    Release(info);
}

} // namespace
