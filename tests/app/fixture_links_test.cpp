// A batch over the torrent library's real fixtures (made with mktorrent and transmission-create):
// every link carries the info hash recorded beside the fixture by transmission-show.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/conversion_workflow.h"
#include "tests/app/counting_heap.h"
#include "tests/app/fake_environment.h"

namespace {

// HASHES.txt: "<file>.torrent <40 hex digits>" per fixture; '#' starts a comment line.
std::map<std::string, std::string> RecordedHashes(const std::string& folder)
{
    std::map<std::string, std::string> hashes;
    std::ifstream in(folder + "/HASHES.txt");
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string file, hash;
        if (line.empty() || line[0] == '#' || !(fields >> file >> hash))
            continue;
        if (file.size() > 8 && file.compare(file.size() - 8, 8, ".torrent") == 0)
            hashes[file] = hash;
    }
    return hashes;
}

TEST(FixtureLinks, EqualTheRecordedInfoHashes)
{
    const std::string folder = BTMAGNET_TORRENT_DATA;
    const std::map<std::string, std::string> hashes = RecordedHashes(folder);
    ASSERT_GE(hashes.size(), 5u) << "no recorded hashes in " << folder;

    CountingHeap heap;
    const long outstandingBefore = CountingHeap::Outstanding();
    FakeEnvironment environment;
    environment.folderAnswer = folder;
    ConversionWorkflow workflow(environment);
    workflow.OnBatchConversionClick();

    ASSERT_EQ(environment.links.size(), hashes.size());
    size_t row = 0;
    for (const auto& [file, hash] : hashes) {  // name order, as the batch lists them
        SCOPED_TRACE(file);
        EXPECT_EQ(environment.links[row][0], folder + "/" + file);
        EXPECT_FALSE(environment.links[row][1].empty());
        EXPECT_EQ(environment.links[row][2], "magnet:?xt=urn:btih:" + hash);
        ++row;
    }
    EXPECT_EQ(CountingHeap::Outstanding(), outstandingBefore);
}

}  // namespace
