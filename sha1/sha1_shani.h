#pragma once
// The compression with the x86 SHA instructions, private to the digest. Call it only when the
// CPU has SHA and SSE4.1: its file is built for them.

#include <cstddef>
#include <cstdint>

// Compresses `blocks` consecutive 64-byte blocks at `data` into `state` (H0 to H4).
void CompressBlocksShaNi(uint32_t state[5], const uint8_t* data, size_t blocks);
