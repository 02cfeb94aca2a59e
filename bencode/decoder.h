#pragma once
// Recursive-descent decoder from bencoded bytes to a CAtom tree.
//
// Every function returns a new value owned by the caller, or null when the bytes at `pos` do
// not form a value; a null result leaves nothing allocated. Integers always become CAtomLong.
// A container moves on to its next element by the BencodedSize of the element it read (the
// size of its canonical form), so non-canonical input such as "li007ee" fails. No function
// reads outside [buf, buf + len): a string whose length does not fit the signed 32-bit count
// or whose bytes would run past the buffer gives null. One decode takes time linear in the
// bytes it reads.

#include <cstdint>

#include "bencode/atom.h"

// Bounds for documents from anywhere; past any of them a decode gives null.
// Lists and dictionaries nested deeper than this (the limit trusted clients use too). It also
// bounds the recursion, so a file of a million "l" bytes cannot exhaust the stack.
inline constexpr int kMaxNestingDepth = 100;
// DecodeFile refuses a larger file before reading it.
inline constexpr int64_t kMaxFileSize = 100 * 1024 * 1024;
// Values made for one document, dictionary keys included; bounds the memory a small file of
// tiny values ("le" repeated) can make the tree take.
inline constexpr int64_t kMaxValueCount = 10'000'000;

// Reads the whole file and decodes the value at its start; bytes after it are ignored.
// Null for anything that is not a readable regular file of at most kMaxFileSize bytes (a
// folder, FIFO or device is refused without blocking).
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
