#pragma once
// Canonical bencoding of a CAtom tree: keys in ascending byte order, minimal decimals.
//
// Each encoder hands the caller a new[]-allocated buffer (release with delete[]) of exactly
// BencodedSize bytes, not zero-terminated, and returns true; false hands over nothing and sets
// the buffer to null and the length to 0. False comes only for a BencodedSize below 1 (an
// encoding too long for the 32-bit count) and for a container holding a CAtomInt outside the
// signed 32-bit range, whose size and written text disagree. EncodeInt on its own writes the
// full 64-bit value with the length of that text.

#include <cstdint>

#include "bencode/atom.h"

[[nodiscard]] bool EncodeInt(const CAtomInt& atom, char** out, int32_t* outLen);
[[nodiscard]] bool EncodeLong(const CAtomLong& atom, char** out, int32_t* outLen);
[[nodiscard]] bool EncodeString(const CAtomString& atom, char** out, int32_t* outLen);
[[nodiscard]] bool EncodeList(const CAtomList& atom, char** out, int32_t* outLen);
[[nodiscard]] bool EncodeDicti(const CAtomDicti& atom, char** out, int32_t* outLen);
