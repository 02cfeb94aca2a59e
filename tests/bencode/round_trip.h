#pragma once
// The round-trip property of the bencode code, shared by the tests and the fuzz target: a tree
// that decodes encodes to BencodedSize bytes, those bytes decode to an equal tree, that tree
// encodes to the same bytes, and every value inside encodes to exactly its BencodedSize.

#include <cstdint>
#include <memory>
#include <string>

#include "bencode/atom.h"
#include "bencode/decoder.h"
#include "bencode/encoder.h"

namespace bencode_test {

// Same kinds, values, items and keys, all the way down.
inline bool TreesEqual(const CAtom& a, const CAtom& b)
{
    if (auto* x = dynamic_cast<const CAtomLong*>(&a)) {
        auto* y = dynamic_cast<const CAtomLong*>(&b);
        return y && x->GetValue() == y->GetValue();
    }
    if (auto* x = dynamic_cast<const CAtomInt*>(&a)) {
        auto* y = dynamic_cast<const CAtomInt*>(&b);
        return y && x->GetValue() == y->GetValue();
    }
    if (auto* x = dynamic_cast<const CAtomString*>(&a)) {
        auto* y = dynamic_cast<const CAtomString*>(&b);
        return y && x->length == y->length &&
               std::string(x->bytes ? x->bytes : "", x->length) == std::string(y->bytes ? y->bytes : "", y->length);
    }
    if (auto* x = dynamic_cast<const CAtomList*>(&a)) {
        auto* y = dynamic_cast<const CAtomList*>(&b);
        if (!y || x->Items().size() != y->Items().size())
            return false;
        for (size_t i = 0; i < x->Items().size(); ++i) {
            if (!TreesEqual(*x->Items()[i], *y->Items()[i]))
                return false;
        }
        return true;
    }
    if (auto* x = dynamic_cast<const CAtomDicti*>(&a)) {
        auto* y = dynamic_cast<const CAtomDicti*>(&b);
        if (!y || x->entries.size() != y->entries.size())
            return false;
        for (auto i = x->entries.begin(), j = y->entries.begin(); i != x->entries.end(); ++i, ++j) {
            if (i->first != j->first || !TreesEqual(*i->second, *j->second))
                return false;
        }
        return true;
    }
    return false;
}

// The encoding of any value by its kind; empty when the encoder refuses it.
inline std::string Encoded(const CAtom& atom)
{
    char* out = nullptr;
    int32_t len = 0;
    bool ok = false;
    if (auto* v = dynamic_cast<const CAtomInt*>(&atom))
        ok = EncodeInt(*v, &out, &len);
    else if (auto* v = dynamic_cast<const CAtomLong*>(&atom))
        ok = EncodeLong(*v, &out, &len);
    else if (auto* v = dynamic_cast<const CAtomString*>(&atom))
        ok = EncodeString(*v, &out, &len);
    else if (auto* v = dynamic_cast<const CAtomList*>(&atom))
        ok = EncodeList(*v, &out, &len);
    else if (auto* v = dynamic_cast<const CAtomDicti*>(&atom))
        ok = EncodeDicti(*v, &out, &len);
    if (!ok)
        return {};
    std::string bytes(out, static_cast<size_t>(len));
    delete[] out;
    return bytes;
}

// Empty when every value of the tree encodes to exactly its BencodedSize; else what differs.
inline std::string SizeFault(const CAtom& atom)
{
    const std::string bytes = Encoded(atom);
    if (static_cast<int64_t>(bytes.size()) != atom.BencodedSize())
        return "encoded " + std::to_string(bytes.size()) + " bytes, BencodedSize " + std::to_string(atom.BencodedSize());
    if (auto* list = dynamic_cast<const CAtomList*>(&atom)) {
        for (const CAtom* item : list->Items()) {
            if (std::string fault = SizeFault(*item); !fault.empty())
                return fault;
        }
    } else if (auto* dicti = dynamic_cast<const CAtomDicti*>(&atom)) {
        for (const auto& [key, value] : dicti->entries) {
            if (std::string fault = SizeFault(*value); !fault.empty())
                return fault;
        }
    }
    return {};
}

// Empty when the input does not decode or keeps the property; else the violated step.
inline std::string RoundTripFault(const char* data, uint32_t size)
{
    const std::unique_ptr<CAtom> tree(Decode(data, size, 0));
    if (!tree)
        return {};
    if (std::string fault = SizeFault(*tree); !fault.empty())
        return "size: " + fault;
    const std::string bytes = Encoded(*tree);
    const std::unique_ptr<CAtom> again(Decode(bytes.data(), static_cast<uint32_t>(bytes.size()), 0));
    if (!again)
        return "the encoding does not decode";
    if (!TreesEqual(*tree, *again))
        return "the encoding decodes to another tree";
    if (Encoded(*again) != bytes)
        return "re-encoding gives other bytes";
    return {};
}

} // namespace bencode_test
