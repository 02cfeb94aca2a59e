#pragma once
// Canonical bencoding of a CAtom tree: keys in ascending byte order, minimal decimals.
//
// Each encoder hands the caller a new[]-allocated buffer (release with delete[]) of exactly
// BencodedSize bytes, not zero-terminated, and returns true; false hands over nothing.

#include <cstdint>

#include "bencode/atom.h"

[[nodiscard]] bool EncodeInt(const CAtomInt& atom, char** out, int32_t* outLen);
[[nodiscard]] bool EncodeLong(const CAtomLong& atom, char** out, int32_t* outLen);
[[nodiscard]] bool EncodeString(const CAtomString& atom, char** out, int32_t* outLen);
[[nodiscard]] bool EncodeList(const CAtomList& atom, char** out, int32_t* outLen);
[[nodiscard]] bool EncodeDicti(const CAtomDicti& atom, char** out, int32_t* outLen);
