// CTorrent's field queries: texts, pieces, lengths and files.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/torrent/load_bytes.h"
#include "torrent/torrent.h"

namespace {

std::string WithInfo(const std::string& infoEntries)
{
    return "d4:infod" + infoEntries + "ee";
}

struct TextCase {
    const char* name;
    std::string document;
    std::string comment, createdBy, torrentName;
};

TEST(Queries, TextsOfEveryKind)
{
    using namespace std::string_literals;
    const TextCase cases[] = {
        {"absent", "de", "", "", ""},
        {"strings", "d7:comment2:hi10:created by3:me!4:infod4:name4:filee", "hi", "me!", "file"},
        {"integers", "d7:commenti5e10:created byi-7e4:infod4:namei9223372036854775807eee", "5", "-7",
         "9223372036854775807"},
        {"containers", "d7:commentli1ee10:created byde4:infod4:namelee", "", "", ""},
        {"zero bytes read as spaces", "d7:comment3:a\0b4:infod4:name2:\0\0ee"s, "a b", "", "  "},
        {"name outside info is not read", "d4:name1:x4:infod7:comment1:yee", "", "", ""},
        {"empty strings", "d7:comment0:10:created by0:4:infod4:name0:ee", "", "", ""},
        {"high bytes stay", "d7:comment4:\xD6\xD0\xCE\xC4" "e", "\xD6\xD0\xCE\xC4", "", ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto torrent = LoadBytes(c.document);
        EXPECT_EQ(torrent->GetComment(), c.comment);
        EXPECT_EQ(torrent->GetCreatedBy(), c.createdBy);
        EXPECT_EQ(torrent->GetName(), c.torrentName);
    }
}

struct PiecesCase {
    const char* name;
    std::string info;
    int32_t count;
};

TEST(Queries, PieceCountRoundsUpAndIgnoresOtherKinds)
{
    const PiecesCase cases[] = {
        {"absent", "", 0},
        {"0 bytes", "6:pieces0:", 0},
        {"1 byte", "6:pieces" + Str("x"), 1},
        {"20 bytes", "6:pieces" + Str(std::string(20, 'a')), 1},
        {"40 bytes", "6:pieces" + Str(std::string(40, 'a')), 2},
        {"41 bytes", "6:pieces" + Str(std::string(41, 'a')), 3},
        {"an integer", "6:piecesi40e", 0},
        {"a list", "6:piecesl20:aaaaaaaaaaaaaaaaaaaae", 0},
    };
    for (const PiecesCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto torrent = LoadBytes(WithInfo(c.info));
        EXPECT_EQ(torrent->GetPieceCount(), c.count);
        std::vector<PieceHash> hashes(3);
        EXPECT_EQ(torrent->GetPieceHashes(hashes), c.count > 0);
        EXPECT_EQ(hashes.size(), static_cast<size_t>(c.count));
    }
}

TEST(Queries, PieceHashesSplitInTwentiesAndZeroFillTheLastGroup)
{
    std::string pieces;
    for (int i = 0; i < 41; ++i)
        pieces += static_cast<char>('A' + i % 26);
    auto torrent = LoadBytes(WithInfo("6:pieces" + Str(pieces)));
    std::vector<PieceHash> hashes;
    ASSERT_TRUE(torrent->GetPieceHashes(hashes));
    ASSERT_EQ(hashes.size(), 3u);
    for (size_t i = 0; i < 40; ++i)
        EXPECT_EQ(hashes[i / 20][i % 20], static_cast<uint8_t>(pieces[i])) << i;
    PieceHash last{};
    last[0] = static_cast<uint8_t>(pieces[40]);
    EXPECT_EQ(hashes[2], last);
}

TEST(Queries, PieceLengthIsTheLow32Bits)
{
    const std::pair<std::string, int32_t> cases[] = {
        {"", 0},
        {"12:piece lengthi262144e", 262144},
        {"12:piece lengthi4294967301e", 5},
        {"12:piece lengthi2147483648e", std::numeric_limits<int32_t>::min()},
        {"12:piece lengthi-1e", -1},
        {"12:piece length6:262144", 0},
    };
    for (const auto& [info, expected] : cases) {
        SCOPED_TRACE(info);
        EXPECT_EQ(LoadBytes(WithInfo(info))->GetPieceLength(), expected);
    }
}

std::string FileItem(const std::string& length, const std::string& pathItems)
{
    return "d6:length" + length + "4:pathl" + pathItems + "ee";
}

struct FilesCase {
    const char* name;
    std::string info;
    std::vector<FileEntry> entries;
    int64_t totalLength;
};

TEST(Queries, FilesAreAllOrNothing)
{
    const std::string twoGood = "5:filesl" + FileItem("i1e", "1:d1:f") + FileItem("i2e", "") + "e";
    const std::vector<FileEntry> twoEntries = {{"\\d\\f", 1, 0}, {"", 2, 1}};
    const int64_t threeGiB = 3221225472;
    const int64_t max = std::numeric_limits<int64_t>::max();
    const FilesCase cases[] = {
        {"two entries", twoGood, twoEntries, 3},
        {"length wins over files", "6:lengthi5e" + twoGood, twoEntries, 5},
        {"single file", "6:lengthi3221225472e", {}, threeGiB},
        {"3 GiB entries summed in full", "5:filesl" + FileItem("i3221225472e", "1:a") + FileItem("i3221225472e", "1:b") + "e",
         {{"\\a", threeGiB, 0}, {"\\b", threeGiB, 1}}, 2 * threeGiB},
        {"a sum that does not fit is held", "5:filesl" + FileItem("i9223372036854775807e", "1:a") + FileItem("i1e", "1:b") + "e",
         {{"\\a", max, 0}, {"\\b", 1, 1}}, max},
        {"zero byte in a path element", "5:filesl" + FileItem("i0e", std::string("3:a\0b", 5)) + "e", {{"\\a b", 0, 0}}, 0},
        {"negative length", "5:filesl" + FileItem("i1e", "1:a") + FileItem("i-1e", "1:b") + "e", {}, 0},
        {"path element an integer", "5:filesl" + FileItem("i1e", "1:a") + FileItem("i2e", "1:bi3e") + "e", {}, 0},
        {"path element a list", "5:filesl" + FileItem("i1e", "l1:ae") + "e", {}, 0},
        {"no path", "5:filesl" + FileItem("i1e", "1:a") + "d6:lengthi2eee", {}, 0},
        {"path a string", "5:filesld6:lengthi1e4:path1:aee", {}, 0},
        {"no length", "5:filesld4:pathl1:aeee", {}, 0},
        {"length a string", "5:filesld6:length1:14:pathl1:aeee", {}, 0},
        {"element not a dictionary", "5:filesl" + FileItem("i1e", "1:a") + "i5ee", {}, 0},
        {"files not a list", "5:filesd6:lengthi1e4:pathl1:aee", {}, 0},
        {"empty files", "5:filesle", {}, 0},
        {"malformed files, length present", "6:lengthi9e5:filesli5ee", {}, 9},
        {"length not an integer falls back to the files", "6:length1:9" + twoGood, twoEntries, 3},
        {"negative single length kept", "6:lengthi-5e", {}, -5},
    };
    for (const FilesCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto torrent = LoadBytes(WithInfo(c.info));
        std::vector<FileEntry> entries{{"stale", 9, 9}};
        torrent->GetFileEntries(entries);
        ASSERT_EQ(entries.size(), c.entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].path, c.entries[i].path) << i;
            EXPECT_EQ(entries[i].length, c.entries[i].length) << i;
            EXPECT_EQ(entries[i].position, c.entries[i].position) << i;
        }
        std::vector<int64_t> lengths{7};
        std::vector<ByteString> paths{"stale"};
        EXPECT_EQ(torrent->GetFiles(lengths, paths), !c.entries.empty());
        ASSERT_EQ(lengths.size(), c.entries.size());
        ASSERT_EQ(paths.size(), c.entries.size());
        for (size_t i = 0; i < lengths.size(); ++i) {
            EXPECT_EQ(lengths[i], c.entries[i].length);
            EXPECT_EQ(paths[i], c.entries[i].path);
        }
        EXPECT_EQ(torrent->GetTotalLength(), c.totalLength);
    }
}

TEST(Queries, EmptyTorrentAnswersDefaults)
{
    CTorrent torrent;
    std::vector<TrackerAddress> trackers;
    std::vector<FileEntry> entries;
    std::vector<PieceHash> hashes;
    EXPECT_FALSE(torrent.GetTrackers(trackers));
    EXPECT_EQ(torrent.GetComment(), "");
    EXPECT_EQ(torrent.GetName(), "");
    EXPECT_EQ(torrent.GetPieceLength(), 0);
    EXPECT_EQ(torrent.GetPieceCount(), 0);
    EXPECT_FALSE(torrent.GetPieceHashes(hashes));
    EXPECT_EQ(torrent.GetTotalLength(), 0);
    torrent.GetFileEntries(entries);
    EXPECT_TRUE(entries.empty());
}

} // namespace
