#include "bencode/atom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "bencode/encoder.h"
#include "tests/bencode/round_trip.h"

namespace {

using bencode_test::Encoded;

std::unique_ptr<CAtomString> Str(const std::string& s)
{
    return std::make_unique<CAtomString>(s.data(), static_cast<int32_t>(s.size()));
}

std::vector<std::string> Keys(const CAtomDicti& d)
{
    std::vector<std::string> keys;
    for (const auto& entry : d.entries)
        keys.push_back(entry.first);
    return keys;
}

struct SizeCase {
    const char* name;
    std::shared_ptr<CAtom> atom;
    std::string text;
    int32_t contentSize;
    int32_t bencodedSize;
};

TEST(AtomModel, TextAndSizesPerKind)
{
    auto twoStrings = std::make_shared<CAtomList>();
    twoStrings->Append(Str("spam").release());
    twoStrings->Append(Str("eggs").release());
    auto dicti = std::make_shared<CAtomDicti>();
    dicti->Store("ab", new CAtomLong(1));
    const SizeCase cases[] = {
        {"long -5", std::make_shared<CAtomLong>(-5), "-5", 2, 4},
        {"long 0", std::make_shared<CAtomLong>(0), "0", 1, 3},
        {"long max", std::make_shared<CAtomLong>(std::numeric_limits<int64_t>::max()), "9223372036854775807", 19, 21},
        {"long min", std::make_shared<CAtomLong>(std::numeric_limits<int64_t>::min()), "-9223372036854775808", 20, 22},
        {"int 7", std::make_shared<CAtomInt>(7), "7", 1, 3},
        // Only the low 32 bits make the text of a CAtomInt.
        {"int 2^32 + 7", std::make_shared<CAtomInt>((int64_t{1} << 32) + 7), "7", 1, 3},
        {"int 2^31", std::make_shared<CAtomInt>(int64_t{1} << 31), "-2147483648", 11, 13},
        {"string a,0,b", std::make_shared<CAtomString>("a\0b", 3), "a b", 3, 5},
        {"empty string", std::make_shared<CAtomString>(nullptr, 0), "", 0, 2},
        {"ten-byte string", std::make_shared<CAtomString>("0123456789", 10), "0123456789", 10, 13},
        {"empty list", std::make_shared<CAtomList>(), "", 0, 2},
        {"empty dicti", std::make_shared<CAtomDicti>(), "", 0, 2},
        {"two 4-byte strings", twoStrings, "", 0, 14},
        {"ab -> 1", dicti, "", 0, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.atom->AsText(), c.text);
        EXPECT_EQ(c.atom->ContentSize(), c.contentSize);
        EXPECT_EQ(c.atom->BencodedSize(), c.bencodedSize);
    }
}

TEST(AtomModel, EachKindAnswersOnlyItsOwnTest)
{
    const std::unique_ptr<CAtom> atoms[] = {std::make_unique<CAtomInt>(1), std::make_unique<CAtomLong>(1), Str("x"),
                                            std::make_unique<CAtomList>(), std::make_unique<CAtomDicti>()};
    for (size_t i = 0; i < std::size(atoms); ++i) {
        const CAtom& a = *atoms[i];
        const bool answers[] = {a.IsInt(), a.IsLong(), a.IsString(), a.IsList(), a.IsDicti()};
        for (size_t k = 0; k < std::size(answers); ++k)
            EXPECT_EQ(answers[k], i == k) << "kind " << i << " test " << k;
    }
}

TEST(AtomModel, DictiKeepsUnsignedByteOrder)
{
    CAtomDicti d;
    for (const char* key : {"b", "a", "ab", "\xC0", "z", ""})
        d.Store(key, new CAtomLong(0));
    EXPECT_EQ(Keys(d), (std::vector<std::string>{"", "a", "ab", "b", "z", "\xC0"}));
    EXPECT_EQ(Encoded(d), "d0:i0e1:ai0e2:abi0e1:bi0e1:zi0e1:\xC0i0ee");
}

TEST(AtomModel, StoreUnderAnExistingKeyReplacesTheValue)
{
    CAtomDicti d;
    d.Store("a", new CAtomLong(1));
    d.Store("b", new CAtomLong(2));
    auto* second = new CAtomLong(3);
    d.Store("a", second);  // the first value is destroyed (the sanitizer build sees a leak)
    EXPECT_EQ(d.entries.size(), 2u);
    EXPECT_EQ(d.Lookup("a"), second);
    EXPECT_EQ(d.Lookup("c"), nullptr);
    d.Store("a", second);  // storing the held value again keeps it
    EXPECT_EQ(d.Lookup("a"), second);
    EXPECT_EQ(second->GetValue(), 3);
}

TEST(AtomModel, StringBytes)
{
    CAtomString s("a\0b", 3);
    char* bytes = nullptr;
    int32_t len = 0;
    ASSERT_TRUE(s.CopyBytes(&bytes, &len));
    EXPECT_EQ(std::string(bytes, len), std::string("a\0b", 3));  // raw, unlike AsText
    delete[] bytes;

    s.SetBytes(s.bytes + 1, 2);  // from its own bytes
    EXPECT_EQ(s.AsText(), std::string(" b"));
    s.SetBytes("x", 0);
    EXPECT_EQ(s.bytes, nullptr);
    EXPECT_EQ(s.length, 0);
    bytes = reinterpret_cast<char*>(&s);
    EXPECT_FALSE(s.CopyBytes(&bytes, &len));
    EXPECT_EQ(bytes, nullptr);
    EXPECT_EQ(len, 0);
}

TEST(AtomModel, DeepCopySharesNothing)
{
    auto source = std::make_unique<CAtomDicti>();
    auto files = std::make_unique<CAtomList>();
    for (int i = 0; i < 3; ++i) {
        auto file = std::make_unique<CAtomDicti>();
        file->Store("path", Str("f" + std::to_string(i)).release());
        file->Store("length", new CAtomLong(i));
        files->Append(file.release());
    }
    files->Append(new CAtomInt(5));
    source->Store("files", files.release());
    const std::string expected = Encoded(*source);

    CAtomDicti copy(*source);
    CAtomDicti assigned;
    assigned.Store("old", new CAtomLong(1));
    assigned = *source;
    auto* copiedFiles = dynamic_cast<CAtomList*>(copy.Lookup("files"));
    ASSERT_NE(copiedFiles, nullptr);
    EXPECT_NE(copiedFiles, source->Lookup("files"));
    EXPECT_TRUE(copiedFiles->Items().back()->IsInt());  // the copy keeps the exact kind
    source.reset();
    EXPECT_EQ(Encoded(copy), expected);
    EXPECT_EQ(Encoded(assigned), expected);
    EXPECT_EQ(assigned.Lookup("old"), nullptr);

    CAtomList list(*copiedFiles);
    EXPECT_EQ(Encoded(list), Encoded(*copiedFiles));
    EXPECT_NE(list.Items()[0], copiedFiles->Items()[0]);

    const CAtomDicti& self = assigned;
    assigned = self;
    EXPECT_EQ(Encoded(assigned), expected);
}

TEST(AtomModel, ClearAndIsEmpty)
{
    CAtomList list;
    list.Append(new CAtomLong(1));
    CAtomDicti d;
    d.Store("k", new CAtomList);
    EXPECT_FALSE(list.IsEmpty());
    EXPECT_FALSE(d.IsEmpty());
    list.Clear();
    d.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(d.IsEmpty());
    EXPECT_EQ(list.BencodedSize(), 2);
    EXPECT_EQ(d.BencodedSize(), 2);
}

TEST(AtomModel, ShuffleKeepsTheItems)
{
    for (int n : {0, 1, 2, 10}) {
        SCOPED_TRACE(n);
        CAtomList list;
        for (int i = 0; i < n; ++i)
            list.Append(new CAtomLong(i));
        const std::vector<CAtom*> before = list.CopyItems();
        list.Shuffle();
        std::vector<CAtom*> after = list.CopyItems();
        if (n < 2) {
            EXPECT_EQ(after, before);
        }
        std::sort(after.begin(), after.end());
        std::vector<CAtom*> sorted = before;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(after, sorted);
    }
}

// A size beyond the signed 32-bit count reports -1 instead of wrapping, and the encoders
// refuse it. The lengths are set directly: no such buffer is ever allocated.
TEST(AtomModel, SizesThatDoNotFitThirtyTwoBitsAreInvalid)
{
    CAtomString huge(nullptr, 0);
    huge.length = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(huge.BencodedSize(), -1);
    char* out = reinterpret_cast<char*>(&huge);
    int32_t len = 7;
    EXPECT_FALSE(EncodeString(huge, &out, &len));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(len, 0);
    huge.length = 0;

    CAtomList list;
    CAtomDicti d;
    for (int i = 0; i < 2; ++i) {
        auto big = Str("");
        big->length = 1'500'000'000;
        EXPECT_GT(big->BencodedSize(), 0);
        auto other = Str("");
        other->length = 1'500'000'000;
        list.Append(big.release());
        d.Store(std::to_string(i), other.release());
    }
    EXPECT_EQ(list.BencodedSize(), -1);
    EXPECT_EQ(d.BencodedSize(), -1);
    EXPECT_FALSE(EncodeList(list, &out, &len));
    EXPECT_FALSE(EncodeDicti(d, &out, &len));
    for (CAtom* item : list.Items())
        static_cast<CAtomString*>(item)->length = 0;
    for (auto& entry : d.entries)
        static_cast<CAtomString*>(entry.second)->length = 0;
}

} // namespace
