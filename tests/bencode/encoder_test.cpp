#include "bencode/encoder.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

#include "bencode/decoder.h"
#include "tests/bencode/round_trip.h"

namespace {

using namespace std::string_literals;
using bencode_test::Encoded;

std::unique_ptr<CAtom> DecodeAll(const std::string& bytes)
{
    return std::unique_ptr<CAtom>(Decode(bytes.data(), static_cast<uint32_t>(bytes.size()), 0));
}

TEST(Encoder, Table)
{
    auto nested = std::make_shared<CAtomDicti>();
    {
        auto files = std::make_unique<CAtomList>();
        for (int i = 0; i < 2; ++i) {
            auto file = std::make_unique<CAtomDicti>();
            file->Store("path", new CAtomString("x", 1));
            file->Store("length", new CAtomLong(i));
            files->Append(file.release());
        }
        nested->Store("name", new CAtomString("n", 1));
        nested->Store("files", files.release());
    }
    struct Case {
        const char* name;
        std::shared_ptr<CAtom> atom;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty dicti", std::make_shared<CAtomDicti>(), "de"},
        {"empty list", std::make_shared<CAtomList>(), "le"},
        {"empty string", std::make_shared<CAtomString>(nullptr, 0), "0:"},
        {"long -7", std::make_shared<CAtomLong>(-7), "i-7e"},
        {"long 0", std::make_shared<CAtomLong>(0), "i0e"},
        {"long min", std::make_shared<CAtomLong>(std::numeric_limits<int64_t>::min()), "i-9223372036854775808e"},
        {"int -3", std::make_shared<CAtomInt>(-3), "i-3e"},
        {"string a,0,b", std::make_shared<CAtomString>("a\0b", 3), "3:a\0b"s},
        {"sorted at every level", nested, "d5:filesld6:lengthi0e4:path1:xed6:lengthi1e4:path1:xee4:name1:ne"},
        {"decoded unsorted", DecodeAll("d1:bi1e1:ai2ee"), "d1:ai2e1:bi1ee"},
        {"decoded duplicate", DecodeAll("d1:ai1e1:ai2ee"), "d1:ai2ee"},
        {"decoded zero byte in key", DecodeAll("d3:a\0bi1ee"s), "d3:a bi1ee"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.atom);
        const std::string bytes = Encoded(*c.atom);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(static_cast<int32_t>(bytes.size()), c.atom->BencodedSize());
    }
}

TEST(Encoder, HandsOverExactlyTheEncoding)
{
    const auto dicti = DecodeAll("d4:infod6:lengthi5e4:name1:aee");
    ASSERT_TRUE(dicti);
    char* out = nullptr;
    int32_t len = 0;
    ASSERT_TRUE(EncodeDicti(static_cast<CAtomDicti&>(*dicti), &out, &len));
    EXPECT_EQ(len, dicti->BencodedSize());
    EXPECT_EQ(out[0], 'd');
    EXPECT_EQ(out[len - 1], 'e');
    delete[] out;
}

// A CAtomInt is sized by its low 32 bits. On its own it is written whole; inside a container,
// where the buffer is sized from those 32 bits, a value outside them fails the container
// instead of writing past its buffer.
TEST(Encoder, IntOutsideThirtyTwoBits)
{
    const CAtomInt wide(int64_t{1} << 32);
    char* out = nullptr;
    int32_t len = 0;
    ASSERT_TRUE(EncodeInt(wide, &out, &len));
    EXPECT_EQ(std::string(out, len), "i4294967296e");
    delete[] out;

    for (const int64_t v : {int64_t{1} << 32, int64_t{1} << 31, -(int64_t{1} << 40)}) {
        SCOPED_TRACE(v);
        CAtomList list;
        list.Append(new CAtomInt(v));
        out = reinterpret_cast<char*>(&list);
        len = 7;
        EXPECT_FALSE(EncodeList(list, &out, &len));
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(len, 0);
        CAtomDicti d;
        d.Store("k", new CAtomInt(v));
        EXPECT_FALSE(EncodeDicti(d, &out, &len));
    }
    CAtomList inRange;
    inRange.Append(new CAtomInt(std::numeric_limits<int32_t>::min()));
    EXPECT_EQ(Encoded(inRange), "li-2147483648ee");
}

} // namespace
