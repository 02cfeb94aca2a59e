#include "bencode/decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

#include "tests/bencode/round_trip.h"

namespace {

using namespace std::string_literals;
using bencode_test::Encoded;

std::unique_ptr<CAtom> DecodeAll(const std::string& bytes, uint32_t pos = 0)
{
    return std::unique_ptr<CAtom>(Decode(bytes.data(), static_cast<uint32_t>(bytes.size()), pos));
}

// The canonical encoding of what the input decodes to, or nothing for a null result.
std::optional<std::string> Canonical(const std::string& input)
{
    const auto atom = DecodeAll(input);
    if (!atom)
        return std::nullopt;
    return Encoded(*atom);
}

struct DecodeCase {
    std::string input;
    std::optional<std::string> canonical;  // nullopt: the decode gives null
};

TEST(Decoder, Table)
{
    const DecodeCase cases[] = {
        // integers: read like strtoll up to the first non-digit, the rest up to "e" ignored
        {"i42e", "i42e"},
        {"i-42e", "i-42e"},
        {"i0e", "i0e"},
        {"i12", std::nullopt},
        {"i007e", "i7e"},
        {"i+5e", "i5e"},
        {"i-0e", "i0e"},
        {"i \t\n12e", "i12e"},
        {"i12x9e", "i12e"},
        {"ie", "i0e"},
        {"i-e", "i0e"},
        {"ixe", "i0e"},
        {"i- 5e", "i0e"},
        {"i9223372036854775807e", "i9223372036854775807e"},
        {"i9223372036854775808e", "i9223372036854775807e"},
        {"i-9223372036854775808e", "i-9223372036854775808e"},
        {"i-99999999999999999999999e", "i-9223372036854775808e"},
        {"i1exyz", "i1e"},
        // strings
        {"4:spam", "4:spam"},
        {"0:", "0:"},
        {"004:spam", "4:spam"},
        {"4:spamtail", "4:spam"},
        {"4spam", std::nullopt},
        {"4x:spam", std::nullopt},
        {"3:a\0b"s, "3:a\0b"s},
        // lists
        {"le", "le"},
        {"li1ei2ee", "li1ei2ee"},
        {"l", "le"},
        {"li1e", "li1ee"},
        {"lli1eee", "lli1eee"},
        {"li007ee", std::nullopt},   // moves on by 3 (i7e) and meets "7", which has no ":"
        {"l04:spame", std::nullopt}, // moves on by 6 (4:spam) and meets "m"
        {"lie", "li0ee"},            // i0e is longer than "ie": the next position is past the end
        // dictionaries
        {"de", "de"},
        {"d1:ai1ee", "d1:ai1ee"},
        {"d1:bi1e1:ai2ee", "d1:ai2e1:bi1ee"},
        {"d1:ai1e1:ai2ee", "d1:ai2ee"},
        {"d0:i1ee", "d0:i1ee"},
        {"di1ei2ee", std::nullopt},
        {"dli1eei2ee", std::nullopt},
        {"d1:ae", std::nullopt},
        {"d1:a", "de"},
        {"d1:al", "d1:alee"},
        {"d3:a\0bi1ee"s, "d3:a bi1ee"},
        {"d3:a\0bi1e3:a bi2ee"s, "d3:a bi2ee"},  // the two keys are the same text
        // neither a value nor anything
        {"", std::nullopt},
        {"x", std::nullopt},
        {"e", std::nullopt},
        {"-1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        EXPECT_EQ(Canonical(c.input), c.canonical);
    }
}

TEST(Decoder, IntegersAreAlwaysLong)
{
    const auto list = DecodeAll("li1ei-1ee");
    ASSERT_TRUE(list);
    for (const CAtom* item : static_cast<CAtomList*>(list.get())->Items())
        EXPECT_TRUE(item->IsLong());
}

TEST(Decoder, PositionsAndKindDecoders)
{
    const std::string buf = "xxi5e";
    auto at = DecodeAll(buf, 2);
    ASSERT_TRUE(at);
    EXPECT_EQ(Encoded(*at), "i5e");
    EXPECT_FALSE(DecodeAll(buf, 5));
    EXPECT_FALSE(DecodeAll(buf, 100));
    EXPECT_EQ(Decode(nullptr, 4, 0), nullptr);

    const std::string doc = "li1e4:spamd1:ai2eee";
    const uint32_t len = static_cast<uint32_t>(doc.size());
    std::unique_ptr<CAtom> values[] = {
        std::unique_ptr<CAtom>(DecodeList(doc.data(), len, 0)),
        std::unique_ptr<CAtom>(DecodeInteger(doc.data(), len, 1)),
        std::unique_ptr<CAtom>(DecodeString(doc.data(), len, 4)),
        std::unique_ptr<CAtom>(DecodeDicti(doc.data(), len, 10)),
    };
    const char* expected[] = {"li1e4:spamd1:ai2eee", "i1e", "4:spam", "d1:ai2ee"};
    for (size_t i = 0; i < std::size(values); ++i) {
        ASSERT_TRUE(values[i]) << i;
        EXPECT_EQ(Encoded(*values[i]), expected[i]);
    }
    EXPECT_EQ(DecodeString(doc.data(), len, 3), nullptr);  // "e" has no length digits
    EXPECT_EQ(DecodeInteger(doc.data(), len, len), nullptr);
}

TEST(Decoder, FindBytes)
{
    struct Case {
        std::string range, pattern;
        int found;
        int32_t offset;
    };
    const Case cases[] = {
        {"i12e", "e", 1, 3}, {"i12e", "i", 1, 0}, {"i12", "e", 0, 0},       {"", "e", 0, 0},
        {"aabab", "ab", 1, 1}, {"aaa", "ab", 0, 0}, {"a", "ab", 0, 0},      {"a\0:"s, ":", 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.range) + " / " + c.pattern);
        int32_t offset = -1;
        EXPECT_EQ(FindBytes(c.range.data(), static_cast<int32_t>(c.range.size()), c.pattern.data(),
                            static_cast<int32_t>(c.pattern.size()), &offset),
                  c.found);
        EXPECT_EQ(offset, c.offset);
    }
}

class DecodeFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::filesystem::temp_directory_path() /
               ("bencode_decode_file_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const auto path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path dir_;
};

TEST_F(DecodeFileTest, ReadsTheFirstValueOfARegularFile)
{
    const std::unique_ptr<CAtom> atom(DecodeFile(Write("doc.torrent", "d1:ai1ee trailing bytes").c_str()));
    ASSERT_TRUE(atom);
    EXPECT_EQ(Encoded(*atom), "d1:ai1ee");
}

TEST_F(DecodeFileTest, MissingOrEmptyFileGivesNull)
{
    EXPECT_EQ(DecodeFile((dir_ / "missing").c_str()), nullptr);
    EXPECT_EQ(DecodeFile(Write("empty", "").c_str()), nullptr);
    EXPECT_EQ(DecodeFile(nullptr), nullptr);
}

} // namespace
