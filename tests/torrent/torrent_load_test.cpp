// CTorrent: which files load, and the info hash in both forms.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "tests/torrent/temp_file.h"
#include "torrent/torrent.h"

namespace {

using namespace std::string_literals;

// SHA-1 of "d6:lengthi1e4:name1:ae" and of "de" (sha1sum).
constexpr char kSmallInfoHash[] = "8aa9d3c65b0164d222d9b2527a70f125668575ef";
constexpr char kEmptyDictHash[] = "600ccd1b71569232d01d110bc63e906beab04d8c";

struct LoadCase {
    const char* name;
    std::string bytes;
    bool loads;
    const char* infoHash;  // after loading, or of the empty torrent when it does not load
};

TEST(TorrentLoad, LoadsDictionariesOnlyAndHashesTheCanonicalInfo)
{
    const LoadCase cases[] = {
        {"info dictionary", "d4:infod6:lengthi1e4:name1:aee", true, kSmallInfoHash},
        {"keys out of order", "d4:infod4:name1:a6:lengthi1eee", true, kSmallInfoHash},
        {"no info", "de", true, kEmptyDictHash},
        {"info is a string", "d4:info4:spame", true, kEmptyDictHash},
        {"info is a list", "d4:infoli1eee", true, kEmptyDictHash},
        {"bytes after the document", "d4:infod6:lengthi1e4:name1:aeeXYZ", true, kSmallInfoHash},
        {"list", "le", false, kEmptyDictHash},
        {"integer", "i1e", false, kEmptyDictHash},
        {"string", "4:spam", false, kEmptyDictHash},
        {"empty file", "", false, kEmptyDictHash},
        {"not bencode", "hello", false, kEmptyDictHash},
        {"broken inside", "d4:infod6:lengthi1e4:name1:ae3:xyzxe", false, kEmptyDictHash},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFile file(c.bytes);
        CTorrent torrent;
        EXPECT_EQ(torrent.LoadFile(file.path()), c.loads);
        EXPECT_EQ(torrent.GetInfoHash(true), c.infoHash);
        if (!c.loads) {
            EXPECT_TRUE(torrent.root.IsEmpty());
            EXPECT_TRUE(torrent.infoDict.IsEmpty());
        }
    }
}

TEST(TorrentLoad, EmptyPathAndMissingFileDoNotLoad)
{
    CTorrent torrent;
    EXPECT_FALSE(torrent.LoadFile(""));
    EXPECT_FALSE(torrent.LoadFile("/nonexistent/btmagnet/missing.torrent"));
    EXPECT_FALSE(torrent.LoadFile("/tmp"));  // a folder is no file
    // A zero byte ends no path early: "<file>\0x" must not open <file>.
    TempFile file("d4:infod4:name1:aee");
    EXPECT_FALSE(torrent.LoadFile(file.path() + std::string(1, '\0') + "x"));
    EXPECT_TRUE(torrent.root.IsEmpty());
    EXPECT_EQ(torrent.GetInfoHash(true), kEmptyDictHash);
}

TEST(TorrentLoad, InfoDictSharesNothingWithRoot)
{
    TempFile file("d4:infod4:name1:aee");
    CTorrent torrent;
    ASSERT_TRUE(torrent.LoadFile(file.path()));
    CAtom* inRoot = torrent.root.Lookup("info");
    ASSERT_NE(inRoot, nullptr);
    ASSERT_TRUE(inRoot->IsDicti());
    EXPECT_NE(inRoot, &torrent.infoDict);
    EXPECT_NE(static_cast<CAtomDicti*>(inRoot)->Lookup("name"), torrent.infoDict.Lookup("name"));
    static_cast<CAtomDicti*>(inRoot)->Clear();  // the copy is untouched
    ASSERT_NE(torrent.infoDict.Lookup("name"), nullptr);
    EXPECT_EQ(torrent.GetName(), "a");
}

TEST(TorrentLoad, ASecondLoadReplacesBothDictionaries)
{
    TempFile first("d7:comment1:x4:infod4:name1:aee");
    TempFile second("d8:announce1:ye");
    CTorrent torrent;
    ASSERT_TRUE(torrent.LoadFile(first.path()));
    ASSERT_TRUE(torrent.LoadFile(second.path()));
    EXPECT_EQ(torrent.root.entries.size(), 1u);
    EXPECT_EQ(torrent.GetComment(), "");
    EXPECT_TRUE(torrent.infoDict.IsEmpty());
    EXPECT_EQ(torrent.GetInfoHash(true), kEmptyDictHash);
    EXPECT_FALSE(torrent.LoadFile(""));  // a failed load keeps what was loaded
    EXPECT_EQ(torrent.root.entries.size(), 1u);
}

TEST(TorrentLoad, EscapedInfoHash)
{
    TempFile file("de");
    CTorrent torrent;
    ASSERT_TRUE(torrent.LoadFile(file.path()));
    EXPECT_EQ(torrent.GetInfoHash(false), "%60%0C%CD%1BqV%922%D0%1D%11%0B%C6%3E%90k%EA%B0M%8C");
}

TEST(TorrentLoad, EscapeBytes)
{
    const uint8_t mixed[] = {0x41, 0x2F, 0x20, 0x00, 0xFF, 0x7E};
    EXPECT_EQ(CTorrent::EscapeBytes(mixed, 6), "A/%20%00%FF%7E");
    const std::string plain = "AZaz09-_./";
    EXPECT_EQ(CTorrent::EscapeBytes(reinterpret_cast<const uint8_t*>(plain.data()), 10), plain);
    EXPECT_EQ(CTorrent::EscapeBytes(mixed, 0), "");
    EXPECT_EQ(CTorrent::EscapeBytes(mixed, -3), "");
    const uint8_t high[] = {0x80, 0xC3, 0x0A};
    EXPECT_EQ(CTorrent::EscapeBytes(high, 3), "%80%C3%0A");
}

// Every fixture of tests/torrent/data against the hash transmission-show reported for it.
TEST(TorrentLoad, FixturesMatchTheirRecordedHashes)
{
    std::ifstream hashes(FixturePath("HASHES.txt"));
    ASSERT_TRUE(hashes) << "HASHES.txt missing";
    std::map<std::string, std::string> recorded;
    std::string file, hash;
    while (hashes >> file) {
        if (file[0] == '#') {
            std::getline(hashes, hash);
            continue;
        }
        hashes >> hash;
        recorded[file] = hash;
    }
    ASSERT_GE(recorded.size(), 10u);
    // The hand-written fixture's keys are out of order; its hash is that of the sorted form.
    EXPECT_EQ(recorded["unsorted_keys.torrent"], recorded["sorted_keys_sha1"]);
    recorded.erase("sorted_keys_sha1");
    for (const auto& [name, expected] : recorded) {
        SCOPED_TRACE(name);
        CTorrent torrent;
        ASSERT_TRUE(torrent.LoadFile(FixturePath(name)));
        const ByteString hex = torrent.GetInfoHash(true);
        EXPECT_EQ(hex, expected);
        EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), ByteString::npos);
    }
}

} // namespace
