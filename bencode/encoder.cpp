#include "bencode/encoder.h"

#include <charconv>
#include <typeinfo>
#include <cstring>
#include <memory>

namespace {

// Writes an encoding into a buffer allocated at the value's BencodedSize. Every write is
// bounds-checked, so a size that disagrees with what is written fails instead of overrunning.
class Writer {
public:
    Writer(char* begin, char* end) : cur_(begin), end_(end) {}

    bool Put(const char* data, size_t n)
    {
        if (static_cast<size_t>(end_ - cur_) < n)
            return false;
        if (n > 0)
            std::memcpy(cur_, data, n);
        cur_ += n;
        return true;
    }
    bool Put(char c) { return Put(&c, 1); }
    bool PutDecimal(int64_t v)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
        return Put(digits, static_cast<size_t>(end - digits));
    }
    // "<length>:<bytes>", the form of string values and dictionary keys.
    bool PutString(const char* data, size_t n) { return PutDecimal(static_cast<int64_t>(n)) && Put(':') && Put(data, n); }
    bool Full() const { return cur_ == end_; }

private:
    char* cur_;
    char* const end_;
};

bool WriteAtom(Writer& w, const CAtom& atom);

bool WriteInt(Writer& w, const CAtomInt& atom)
{
    // The size of a CAtomInt follows its low 32 bits while the full value is written; outside
    // the 32-bit range the two disagree and the enclosing container cannot be encoded.
    const ByteString full = CAtomLong(atom.GetValue()).AsText();
    return full.size() + 2 == static_cast<size_t>(atom.BencodedSize()) && w.Put('i') &&
           w.Put(full.data(), full.size()) && w.Put('e');
}

bool WriteList(Writer& w, const CAtomList& list)
{
    if (!w.Put('l'))
        return false;
    for (const CAtom* item : list.Items()) {
        if (!WriteAtom(w, *item))
            return false;
    }
    return w.Put('e');
}

bool WriteDicti(Writer& w, const CAtomDicti& dicti)
{
    if (!w.Put('d'))
        return false;
    for (const auto& [key, value] : dicti.entries) {
        if (!w.PutString(key.data(), key.size()) || !WriteAtom(w, *value))
            return false;
    }
    return w.Put('e');
}

// By exact class, tested in the order Int, Long, String, List, Dicti.
bool WriteAtom(Writer& w, const CAtom& atom)
{
    if (typeid(atom) == typeid(CAtomInt))
        return WriteInt(w, static_cast<const CAtomInt&>(atom));
    if (typeid(atom) == typeid(CAtomLong))
        return w.Put('i') && w.PutDecimal(static_cast<const CAtomLong&>(atom).GetValue()) && w.Put('e');
    if (typeid(atom) == typeid(CAtomString)) {
        const auto& s = static_cast<const CAtomString&>(atom);
        return w.PutString(s.bytes, static_cast<size_t>(s.length));
    }
    if (typeid(atom) == typeid(CAtomList))
        return WriteList(w, static_cast<const CAtomList&>(atom));
    if (typeid(atom) == typeid(CAtomDicti))
        return WriteDicti(w, static_cast<const CAtomDicti&>(atom));
    return false;
}

// The one buffer of exactly BencodedSize bytes, written in a single pass; nothing is handed
// over when the size is below 1 or the writing does not fill the buffer exactly.
bool EncodeAtom(const CAtom& atom, char** out, int32_t* outLen)
{
    if (!out || !outLen)
        return false;
    *out = nullptr;
    *outLen = 0;
    const int32_t size = atom.BencodedSize();
    if (size < 1)
        return false;
    auto buffer = std::make_unique<char[]>(static_cast<size_t>(size));
    Writer w(buffer.get(), buffer.get() + size);
    if (!WriteAtom(w, atom) || !w.Full())
        return false;
    *out = buffer.release();
    *outLen = size;
    return true;
}

} // namespace

// A CAtomInt on its own is written with its full 64-bit value and the length of that text.
bool EncodeInt(const CAtomInt& atom, char** out, int32_t* outLen)
{
    if (!out || !outLen)
        return false;
    const ByteString digits = CAtomLong(atom.GetValue()).AsText();
    const size_t size = digits.size() + 2;
    *out = new char[size];
    Writer w(*out, *out + size);
    w.Put('i');
    w.Put(digits.data(), digits.size());
    w.Put('e');
    *outLen = static_cast<int32_t>(size);
    return true;
}

bool EncodeLong(const CAtomLong& atom, char** out, int32_t* outLen) { return EncodeAtom(atom, out, outLen); }
bool EncodeString(const CAtomString& atom, char** out, int32_t* outLen) { return EncodeAtom(atom, out, outLen); }
bool EncodeList(const CAtomList& atom, char** out, int32_t* outLen) { return EncodeAtom(atom, out, outLen); }
bool EncodeDicti(const CAtomDicti& atom, char** out, int32_t* outLen) { return EncodeAtom(atom, out, outLen); }
