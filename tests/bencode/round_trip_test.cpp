// The round-trip property over the fuzz seed corpus and over generated documents.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/bencode/round_trip.h"

namespace {

using bencode_test::Encoded;
using bencode_test::RoundTripFault;
using bencode_test::TreesEqual;

std::string Fault(const std::string& bytes) { return RoundTripFault(bytes.data(), static_cast<uint32_t>(bytes.size())); }

std::string RandomBytes(std::mt19937& rng, size_t maxLen, bool allowZero)
{
    std::string s(std::uniform_int_distribution<size_t>(0, maxLen)(rng), 'a');
    for (char& c : s)
        c = static_cast<char>(std::uniform_int_distribution<int>(allowZero ? 0 : 1, 255)(rng));
    return s;
}

// A random tree of every kind the decoder makes; keys without zero bytes, so that the decoded
// encoding equals the tree itself.
std::unique_ptr<CAtom> RandomTree(std::mt19937& rng, int depth)
{
    const int kind = std::uniform_int_distribution<int>(0, depth > 0 ? 3 : 1)(rng);
    if (kind == 0) {
        const int64_t values[] = {0, -1, 7, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(),
                                  static_cast<int64_t>(rng()) - static_cast<int64_t>(rng())};
        return std::make_unique<CAtomLong>(values[rng() % std::size(values)]);
    }
    if (kind == 1) {
        const std::string s = RandomBytes(rng, 40, true);
        return std::make_unique<CAtomString>(s.data(), static_cast<int32_t>(s.size()));
    }
    const int count = std::uniform_int_distribution<int>(0, 6)(rng);
    if (kind == 2) {
        auto list = std::make_unique<CAtomList>();
        for (int i = 0; i < count; ++i)
            list->Append(RandomTree(rng, depth - 1).release());
        return list;
    }
    auto dicti = std::make_unique<CAtomDicti>();
    for (int i = 0; i < count; ++i)
        dicti->Store(RandomBytes(rng, 8, false), RandomTree(rng, depth - 1).release());
    return dicti;
}

// Small damage that keeps many inputs decodable but no longer canonical.
std::string Mutate(std::mt19937& rng, std::string bytes)
{
    static const char* const kInserts[] = {"0", "e", "i", "l", "d", ":", "+", "-", " ", "\0"};
    const int edits = std::uniform_int_distribution<int>(1, 3)(rng);
    for (int i = 0; i < edits && !bytes.empty(); ++i) {
        const size_t at = rng() % bytes.size();
        switch (rng() % 4) {
        case 0: bytes.insert(at, 1, *kInserts[rng() % std::size(kInserts)]); break;
        case 1: bytes.erase(at, 1); break;
        case 2: bytes[at] = static_cast<char>(rng()); break;
        default: bytes.resize(at); break;
        }
    }
    return bytes;
}

TEST(RoundTrip, SeedCorpus)
{
    int files = 0;
    int decoded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(BTMAGNET_DECODE_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(Fault(bytes), "");
        ++files;
        decoded += std::unique_ptr<CAtom>(Decode(bytes.data(), static_cast<uint32_t>(bytes.size()), 0)) != nullptr;
    }
    EXPECT_GE(files, 12);
    EXPECT_GE(decoded, files - 2);
}

TEST(RoundTrip, GeneratedDocuments)
{
    std::mt19937 rng(20261211);
    int mutantsDecoded = 0;
    for (int i = 0; i < 2000; ++i) {
        const auto tree = RandomTree(rng, 4);
        const std::string bytes = Encoded(*tree);
        SCOPED_TRACE(testing::PrintToString(bytes));
        ASSERT_EQ(static_cast<int32_t>(bytes.size()), tree->BencodedSize());
        const std::unique_ptr<CAtom> decoded(Decode(bytes.data(), static_cast<uint32_t>(bytes.size()), 0));
        ASSERT_TRUE(decoded);
        EXPECT_TRUE(TreesEqual(*tree, *decoded));
        EXPECT_EQ(Fault(bytes), "");
        for (int m = 0; m < 5; ++m) {
            const std::string mutant = Mutate(rng, bytes);
            SCOPED_TRACE(testing::PrintToString(mutant));
            EXPECT_EQ(Fault(mutant), "");
            mutantsDecoded += std::unique_ptr<CAtom>(Decode(mutant.data(), static_cast<uint32_t>(mutant.size()), 0)) != nullptr;
        }
    }
    EXPECT_GT(mutantsDecoded, 1000);  // the mutants do exercise the non-canonical paths
}

} // namespace
