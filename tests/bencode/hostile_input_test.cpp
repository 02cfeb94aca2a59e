// Documents built to hurt: each bound of the decoder, just inside and just past it.
#include "bencode/decoder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/bencode/round_trip.h"

namespace {

using bencode_test::Encoded;

std::unique_ptr<CAtom> DecodeAll(const std::string& bytes)
{
    return std::unique_ptr<CAtom>(Decode(bytes.data(), static_cast<uint32_t>(bytes.size()), 0));
}

std::string Repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

size_t ItemCount(const CAtom& atom) { return static_cast<const CAtomList&>(atom).Items().size(); }

TEST(HostileInput, NestingDepthIsBounded)
{
    const size_t d = kMaxNestingDepth;
    struct Case {
        const char* name;
        std::string input;
        bool decodes;
    };
    const Case cases[] = {
        {"lists at the bound", Repeat("l", d) + Repeat("e", d), true},
        {"lists past the bound", Repeat("l", d + 1) + Repeat("e", d + 1), false},
        {"dictionaries at the bound", Repeat("d1:k", d - 1) + "de" + Repeat("e", d - 1), true},
        {"dictionaries past the bound", Repeat("d1:k", d) + "de" + Repeat("e", d), false},
        {"mixed past the bound", Repeat("ld1:k", (d + 1) / 2) + "le", false},
        {"unclosed at the bound", Repeat("l", d), true},
        {"a million l bytes", Repeat("l", 1'000'000), false},
        {"a million d1:k", Repeat("d1:k", 1'000'000), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeAll(c.input) != nullptr, c.decodes);
    }
    EXPECT_EQ(Encoded(*DecodeAll(Repeat("l", d))), Repeat("l", d) + Repeat("e", d));
}

TEST(HostileInput, StringLengthMustFitTheBufferAndThirtyTwoBits)
{
    const std::string cases[] = {
        "5:spam",
        "l9:spame",
        "d1:a9:xe",
        "2147483647:abc",
        "2147483648:abc",
        "4294967300:abc",
        "99999999999999999999:abc",
        "000000000099999999999:abc",
    };
    for (const auto& input : cases) {
        SCOPED_TRACE(input);
        EXPECT_FALSE(DecodeAll(input));
    }
    // Leading zeros are not length: this one is four bytes long.
    EXPECT_EQ(Encoded(*DecodeAll("00000000000000000000004:spam")), "4:spam");
}

// Without the search memos each of these takes time quadratic in its length: every integer
// searched for the one "e" at the end, every string rescanned its run of zero digits.
TEST(HostileInput, DecodeStaysLinear)
{
    constexpr size_t n = 1'000'000;
    const auto integers = DecodeAll("l" + std::string(n, 'i') + "e");
    ASSERT_TRUE(integers);  // the list moves on by 3 (i0e) per "i" and runs past its "e"
    EXPECT_EQ(ItemCount(*integers), (n + 2) / 3);

    const auto strings = DecodeAll("l" + std::string(n - 1, '0') + ":");
    ASSERT_TRUE(strings);  // a string "0:" at every other zero
    EXPECT_EQ(ItemCount(*strings), n / 2);
}

// A document may make kMaxValueCount values and no more, so a file of "le" pairs cannot grow
// the tree without end.
TEST(HostileInput, ValueCountIsBounded)
{
    const size_t n = kMaxValueCount;
    EXPECT_FALSE(DecodeAll("l" + Repeat("le", n) + "e"));  // the outer list and n inner ones

    // Keys count too. Every pair below replaces the one before, so the tree stays small while
    // the count reaches the bound exactly: the dictionary, n / 2 - 1 pairs and a last key,
    // which the end of the buffer drops.
    const auto atBound = DecodeAll("d" + Repeat("0:le", n / 2 - 1) + "0:");
    ASSERT_TRUE(atBound);
    EXPECT_EQ(Encoded(*atBound), "d0:lee");
}

class HostileFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
               ("bencode_hostile_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // "i1e" followed by zero bytes up to `size`, stored sparsely.
    std::string SparseFile(const std::string& name, off_t size)
    {
        const std::string path = (dir_ / name).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(::write(fd, "i1e", 3), 3);
        EXPECT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);
        return path;
    }

    std::filesystem::path dir_;
};

TEST_F(HostileFileTest, FileSizeIsBounded)
{
    const std::unique_ptr<CAtom> atBound(DecodeFile(SparseFile("at_bound", kMaxFileSize).c_str()));
    ASSERT_TRUE(atBound);
    EXPECT_EQ(Encoded(*atBound), "i1e");
    EXPECT_EQ(DecodeFile(SparseFile("past_bound", kMaxFileSize + 1).c_str()), nullptr);
}

// None of these blocks: a FIFO without a writer would wait forever in a plain open and read.
TEST_F(HostileFileTest, OnlyRegularFilesAreRead)
{
    const std::string fifo = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir_.string(), fifo, std::string("/dev/zero"), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(DecodeFile(path.c_str()), nullptr);
    }
}

} // namespace
