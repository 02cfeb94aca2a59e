// The record of every real fixture of tests/torrent/data (made by make_fixtures.sh; the
// expected members below are what transmission-show lists for each file).
#include "tests/torrent/record_test.h"

#include <string>
#include <vector>

#include "tests/torrent/temp_file.h"

namespace {

struct FixtureCase {
    const char* file;
    const char* announceList;
    const char* comment;
    const char* createdBy;
    const char* name;
    int64_t totalLength;
    int32_t pieceLength;
    int32_t pieceCount;
    std::vector<int64_t> fileLengths;
    std::vector<std::string> filePaths;
};

using Fixtures = RecordTest;

TEST_F(Fixtures, RecordsOfRealFiles)
{
    const int64_t threeGiB = 3221225472;
    const FixtureCase cases[] = {
        {"single_file.torrent", "tracker.example.org:6969;", "one file", "mktorrent 1.1", "notes.txt", 100000, 65536, 2,
         {}, {}},
        {"multi_nested.torrent", "tracker.example.org:80;", "nested folders", "mktorrent 1.1", "multi", 73006, 32768, 3,
         {5, 0, 70000, 1, 3000},
         {"\\docs\\deep\\er\\bottom.bin", "\\docs\\empty.txt", "\\docs\\guide.txt", "\\empty-dir-sibling\\z.txt",
          "\\readme.txt"}},
        // Each tracker in a tier of its own; the udp URL gains "http://" in front and reads as host udp.
        {"multi_transmission.torrent", "a.example.org:80;udp:0;", "nested folders", "Transmission/3.00 (bb6b5a062e)",
         "multi", 73006, 32768, 3, {5, 70000, 1, 3000},
         {"\\docs\\deep\\er\\bottom.bin", "\\docs\\guide.txt", "\\empty-dir-sibling\\z.txt", "\\readme.txt"}},
        {"chinese_names.torrent", "tracker.example.org:80;", "中文注释", "mktorrent 1.1", "中文资料", 6000, 32768, 1,
         {2000, 4000}, {"\\封面.jpg", "\\第一章\\说明.txt"}},
        {"tracker_tiers.torrent", "a.example.org:80;b.example.org:8080;udp:0;d.example.org:80;", "(null)",
         "mktorrent 1.1", "data.bin", 50000, 65536, 1, {}, {}},
        {"web_seeds.torrent", "tracker.example.org:80;", "(null)", "mktorrent 1.1", "seeded.bin", 40000, 65536, 1, {},
         {}},
        {"sparse_3g.torrent", "tracker.example.org:80;", "(null)", "mktorrent 1.1", "zeros.img", threeGiB, 16777216,
         192, {}, {}},
        {"sparse_3g_multi.torrent", "tracker.example.org:80;", "(null)", "Transmission/3.00 (bb6b5a062e)", "big",
         threeGiB + 7, 16777216, 193, {7, threeGiB}, {"\\small.txt", "\\zeros.img"}},
        // "announce" is the bare scheme: an empty host on port 80.
        {"unsorted_keys.torrent", ":80;", "(null)", "(null)", "a.txt", 5, 16384, 1, {}, {}},
    };
    for (const FixtureCase& c : cases) {
        SCOPED_TRACE(c.file);
        TorrentFileInfo* info = GetTorrentFileInfo(FixturePath(c.file).c_str());
        EXPECT_EQ(TextOrNull(info->announceList), c.announceList);
        EXPECT_EQ(TextOrNull(info->comment), c.comment);
        EXPECT_EQ(TextOrNull(info->createdBy), c.createdBy);
        EXPECT_EQ(TextOrNull(info->name), c.name);
        EXPECT_EQ(info->totalLength, c.totalLength);
        EXPECT_EQ(info->pieceLength, c.pieceLength);
        EXPECT_EQ(info->pieceCount, c.pieceCount);
        EXPECT_EQ(BytesOf(info->fileLengths, c.fileLengths.size()), LengthArrayBytes(c.fileLengths));
        EXPECT_EQ(PathTexts(info->filePaths), c.filePaths);
        EXPECT_NE(info->infoHash, nullptr);
        Release(info);
    }
}

} // namespace
