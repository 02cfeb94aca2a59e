#include "bencode/atom.h"

#include <charconv>
#include <typeinfo>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace {

ByteString DecimalText(int64_t v)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    return ByteString(digits, end);
}

int64_t DecimalDigitCount(int64_t n)
{
    int64_t count = 1;
    for (; n >= 10; n /= 10)
        ++count;
    return count;
}

// Sizes are signed 32-bit counts; an encoding that would not fit one reports -1, which every
// encoder refuses, instead of wrapping around.
int32_t SizeOrInvalid(int64_t size)
{
    return size > std::numeric_limits<int32_t>::max() ? -1 : static_cast<int32_t>(size);
}

// A deep copy of `atom` by its exact kind; null for a class outside the five kinds.
CAtom* CloneAtom(const CAtom& atom)
{
    if (typeid(atom) == typeid(CAtomInt))
        return new CAtomInt(static_cast<const CAtomInt&>(atom));
    if (typeid(atom) == typeid(CAtomLong))
        return new CAtomLong(static_cast<const CAtomLong&>(atom));
    if (typeid(atom) == typeid(CAtomString))
        return new CAtomString(static_cast<const CAtomString&>(atom));
    if (typeid(atom) == typeid(CAtomList))
        return new CAtomList(static_cast<const CAtomList&>(atom));
    if (typeid(atom) == typeid(CAtomDicti))
        return new CAtomDicti(static_cast<const CAtomDicti&>(atom));
    return nullptr;
}

} // namespace

int64_t StringEncodedSize(int64_t length)
{
    return DecimalDigitCount(length) + length + 1;
}

// The text, and so the size, of a CAtomInt follows its low 32 bits only.
ByteString CAtomInt::AsText() const
{
    return DecimalText(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

int32_t CAtomInt::ContentSize() const { return static_cast<int32_t>(AsText().size()); }
int32_t CAtomInt::BencodedSize() const { return ContentSize() + 2; }

ByteString CAtomLong::AsText() const { return DecimalText(value); }
int32_t CAtomLong::ContentSize() const { return static_cast<int32_t>(AsText().size()); }
int32_t CAtomLong::BencodedSize() const { return ContentSize() + 2; }

CAtomString::CAtomString(const char* data, int32_t len) { SetBytes(data, len); }

CAtomString::CAtomString(const CAtomString& other) : CAtom(other) { SetBytes(other.bytes, other.length); }

CAtomString::~CAtomString() { delete[] bytes; }

int32_t CAtomString::BencodedSize() const { return SizeOrInvalid(StringEncodedSize(length)); }

int32_t CAtomString::ContentSize() const { return length; }

ByteString CAtomString::AsText() const
{
    ByteString text(bytes ? bytes : "", static_cast<size_t>(length));
    for (char& c : text) {
        if (c == '\0')
            c = ' ';
    }
    return text;
}

bool CAtomString::CopyBytes(char** out, int32_t* outLen) const
{
    *outLen = length;
    if (length < 1) {
        *out = nullptr;
        return false;
    }
    *out = new char[static_cast<size_t>(length)];
    std::memcpy(*out, bytes, static_cast<size_t>(length));
    return true;
}

void CAtomString::SetBytes(const char* data, int32_t len)
{
    char* fresh = nullptr;
    if (len > 0) {
        fresh = new char[static_cast<size_t>(len)];
        std::memcpy(fresh, data, static_cast<size_t>(len));
    }
    // Released only after copying, so a string may be set from its own bytes.
    delete[] bytes;
    bytes = fresh;
    length = len > 0 ? len : 0;
}

CAtomList::CAtomList(const CAtomList& other) : CAtom(other)
{
    items.reserve(other.items.size());
    for (const CAtom* item : other.items)
        Append(CloneAtom(*item));
}

CAtomList::~CAtomList() { Clear(); }

int32_t CAtomList::BencodedSize() const
{
    int64_t size = 2;
    for (const CAtom* item : items) {
        const int32_t itemSize = item->BencodedSize();
        if (itemSize < 1)
            return -1;
        size += itemSize;
        if (size > std::numeric_limits<int32_t>::max())
            return -1;
    }
    return static_cast<int32_t>(size);
}

void CAtomList::Append(CAtom* item)
{
    if (item)
        items.push_back(item);
}

void CAtomList::Clear()
{
    for (CAtom* item : items)
        delete item;
    items.clear();
}

// For i = 1 .. n-1: swap items i and rand() % (i + 1). The generator is not seeded here.
void CAtomList::Shuffle()
{
    for (size_t i = 1; i < items.size(); ++i) {
        const size_t j = static_cast<size_t>(std::rand()) % (i + 1);
        std::swap(items[i], items[j]);
    }
}

CAtomDicti::CAtomDicti(const CAtomDicti& other) : CAtom(other) { *this = other; }

CAtomDicti& CAtomDicti::operator=(const CAtomDicti& other)
{
    if (this == &other)
        return *this;
    Clear();
    for (const auto& [key, value] : other.entries) {
        if (CAtom* copy = CloneAtom(*value))
            Store(key, copy);
    }
    return *this;
}

CAtomDicti::~CAtomDicti() { Clear(); }

int32_t CAtomDicti::BencodedSize() const
{
    int64_t size = 2;
    for (const auto& [key, value] : entries) {
        const int32_t valueSize = value->BencodedSize();
        if (valueSize < 1)
            return -1;
        size += StringEncodedSize(static_cast<int64_t>(key.size())) + valueSize;
        if (size > std::numeric_limits<int32_t>::max())
            return -1;
    }
    return static_cast<int32_t>(size);
}

CAtom* CAtomDicti::Lookup(const ByteString& key) const
{
    const auto it = entries.find(key);
    return it == entries.end() ? nullptr : it->second;
}

void CAtomDicti::Store(const ByteString& key, CAtom* value)
{
    if (!value)
        return;
    const auto [it, inserted] = entries.try_emplace(key, value);
    if (!inserted && it->second != value) {
        delete it->second;
        it->second = value;
    }
}

void CAtomDicti::Clear()
{
    for (auto& entry : entries)
        delete entry.second;
    entries.clear();
}
