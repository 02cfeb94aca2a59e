#pragma once
// The bencode value tree: CAtom and its five kinds.
//
// Every value is a heap object of its own, owned by exactly one client or container and
// destroyed through CAtom's virtual destructor. Containers own their subtree; copying a
// container copies the whole subtree.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Any bytes, zero bytes included; no character encoding is implied.
using ByteString = std::string;

// Bytes of a string value (or a dictionary key) of `length` bytes encoded as "<length>:<bytes>".
int64_t StringEncodedSize(int64_t length);

class CAtom {
public:
    virtual ~CAtom() = default;
    virtual bool IsInt() const { return false; }
    virtual bool IsLong() const { return false; }
    virtual bool IsList() const { return false; }
    virtual bool IsDicti() const { return false; }
    virtual bool IsString() const { return false; }
    // Exact number of bytes the encoder writes for this value; -1 when that number does not
    // fit the signed 32-bit count (the encoders refuse such a value).
    virtual int32_t BencodedSize() const = 0;
    virtual int32_t ContentSize() const = 0;
    virtual ByteString AsText() const = 0;
};

// An integer whose text (and so its BencodedSize) uses only the low 32 bits, while the encoder
// writes all 64. The decoder never makes one; it exists for copies of values built by clients.
class CAtomInt final : public CAtom {
public:
    explicit CAtomInt(int64_t v = 0) : value(v) {}
    CAtomInt(const CAtomInt& other) = default;
    bool IsInt() const override { return true; }
    int32_t BencodedSize() const override;
    int32_t ContentSize() const override;
    ByteString AsText() const override;
    int64_t GetValue() const { return value; }
    void SetValue(int64_t v) { value = v; }

    int64_t value;
};

// Every integer the decoder reads.
class CAtomLong final : public CAtom {
public:
    explicit CAtomLong(int64_t v = 0) : value(v) {}
    CAtomLong(const CAtomLong& other) = default;
    bool IsLong() const override { return true; }
    int32_t BencodedSize() const override;
    int32_t ContentSize() const override;
    ByteString AsText() const override;
    int64_t GetValue() const { return value; }
    void SetValue(int64_t v) { value = v; }

    int64_t value;
};

class CAtomString final : public CAtom {
public:
    // Copies `len` bytes; with len 0 no buffer is made.
    CAtomString(const char* data, int32_t len);
    CAtomString(const CAtomString& other);
    CAtomString& operator=(const CAtomString&) = delete;
    ~CAtomString() override;
    bool IsString() const override { return true; }
    int32_t BencodedSize() const override;
    int32_t ContentSize() const override;
    // The bytes with every zero byte replaced by a space; same length.
    ByteString AsText() const override;
    // Hands the caller a new[]-allocated copy of the bytes (release with delete[]).
    // False, with *out null and *outLen 0, for the empty string.
    [[nodiscard]] bool CopyBytes(char** out, int32_t* outLen) const;
    void SetBytes(const char* data, int32_t len);

    char* bytes = nullptr;  // owned; null when length is 0
    int32_t length = 0;
};

class CAtomList final : public CAtom {
public:
    CAtomList() = default;
    CAtomList(const CAtomList& other);  // deep copy
    CAtomList& operator=(const CAtomList&) = delete;
    ~CAtomList() override;
    bool IsList() const override { return true; }
    int32_t BencodedSize() const override;
    int32_t ContentSize() const override { return 0; }
    ByteString AsText() const override { return {}; }
    const std::vector<CAtom*>& Items() const { return items; }
    // Same pointers, owning nothing; must not outlive the list.
    std::vector<CAtom*> CopyItems() const { return items; }
    // Takes ownership of `item` (never null).
    void Append(CAtom* item);
    bool IsEmpty() const { return items.empty(); }
    void Clear();
    // Reorders the items with the standard (unseeded) pseudo-random sequence.
    void Shuffle();

    std::vector<CAtom*> items;
};

class CAtomDicti final : public CAtom {
public:
    // Raw byte order: std::string compares bytes as unsigned values, shorter prefix first.
    using Entries = std::map<ByteString, CAtom*>;

    CAtomDicti() = default;
    CAtomDicti(const CAtomDicti& other);             // deep copy
    CAtomDicti& operator=(const CAtomDicti& other);  // deep copy; self-assignment does nothing
    ~CAtomDicti() override;
    bool IsDicti() const override { return true; }
    int32_t BencodedSize() const override;
    int32_t ContentSize() const override { return 0; }
    ByteString AsText() const override { return {}; }
    // The value stored under exactly `key`, or null. The dictionary keeps ownership.
    CAtom* Lookup(const ByteString& key) const;
    // Takes ownership of `value` (never null); a value already under `key` is destroyed.
    void Store(const ByteString& key, CAtom* value);
    // Same keys and value pointers, owning no value; must not outlive the dictionary.
    Entries CopyEntries() const { return entries; }
    bool IsEmpty() const { return entries.empty(); }
    void Clear();

    Entries entries;
};
