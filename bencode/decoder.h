#pragma once
// Recursive-descent decoder from bencoded bytes to a CAtom tree.
//
// Every function returns a new value owned by the caller, or null when the bytes at `pos` do
// not form a value; a null result leaves nothing allocated. Integers always become CAtomLong.
// A container moves on to its next element by the BencodedSize of the element it read (the
// size of its canonical form), so non-canonical input such as "li007ee" fails. No function
// reads outside [buf, buf + len).

#include <cstdint>

#include "bencode/atom.h"

// Reads the whole file and decodes the value at its start; bytes after it are ignored.
// Null for anything that is not a readable regular file of acceptable size.
[[nodiscard]] CAtom* DecodeFile(const char* path);

[[nodiscard]] CAtom* Decode(const char* buf, uint32_t len, uint32_t pos);
[[nodiscard]] CAtom* DecodeInteger(const char* buf, uint32_t len, uint32_t pos);
[[nodiscard]] CAtom* DecodeString(const char* buf, uint32_t len, uint32_t pos);
[[nodiscard]] CAtom* DecodeList(const char* buf, uint32_t len, uint32_t pos);
[[nodiscard]] CAtom* DecodeDicti(const char* buf, uint32_t len, uint32_t pos);

// 1 and the offset of the first occurrence of the pattern in the range; 0 and offset 0 when
// it occurs nowhere.
int FindBytes(const char* range, int32_t rangeLen, const char* pattern, int32_t patternLen,
              int32_t* offset);
