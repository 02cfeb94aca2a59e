#include "sha1/sha1.h"

#include <atomic>
#include <bit>
#include <cstdio>
#include <cstring>
#include <utility>

#if defined(BTMAGNET_SHA1_SHANI)
#include <cpuid.h>

#include "sha1/sha1_shani.h"
#endif

namespace {

// The message schedule of the portable compression: the block being compressed as sixteen
// words, overwritten step by step as a ring. It is per thread, not one area for the whole
// program: with a single shared area, two digests on two threads would overwrite each other's
// schedule and both come out wrong. Finish's last compression, of zeros, leaves values derived
// from zeros here instead of message data.
thread_local uint32_t t_schedule[16];

// Step t of the 80: a..e rotate one place per step, so step t sees them shifted by t.
template <int T>
[[gnu::always_inline]] inline void Step(uint32_t (&v)[5], uint32_t (&w)[16]) {
    uint32_t& a = v[(80 - T) % 5];
    uint32_t& b = v[(81 - T) % 5];
    uint32_t& c = v[(82 - T) % 5];
    uint32_t& d = v[(83 - T) % 5];
    uint32_t& e = v[(84 - T) % 5];
    if constexpr (T >= 16)
        w[T & 15] = std::rotl(w[(T - 3) & 15] ^ w[(T - 8) & 15] ^ w[(T - 14) & 15] ^ w[T & 15], 1);
    uint32_t f;
    uint32_t k;
    if constexpr (T < 20) {
        f = d ^ (b & (c ^ d));  // b ? c : d
        k = 0x5A827999;
    } else if constexpr (T < 40) {
        f = b ^ c ^ d;
        k = 0x6ED9EBA1;
    } else if constexpr (T < 60) {
        f = (b & c) + (d & (b ^ c));  // majority: the two terms never share a bit
        k = 0x8F1BBCDC;
    } else {
        f = b ^ c ^ d;
        k = 0xCA62C1D6;
    }
    e += std::rotl(a, 5) + f + k + w[T & 15];
    b = std::rotl(b, 30);
}

template <int... T>
[[gnu::always_inline]] inline void EightySteps(uint32_t (&v)[5], uint32_t (&w)[16],
                                               std::integer_sequence<int, T...>) {
    (Step<T>(v, w), ...);
}

std::atomic<bool> g_forceScalar{false};

bool DetectShaNi() {
#if defined(BTMAGNET_SHA1_SHANI)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx) || !(ecx & (1u << 19)))  // SSE4.1
        return false;
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) || !(ebx & (1u << 29)))  // SHA
        return false;
    return true;
#else
    return false;
#endif
}

}  // namespace

bool Sha1HardwareCompressionAvailable() {
    static const bool available = DetectShaNi();
    return available;
}

void UseScalarSha1Compression(bool scalar) {
    g_forceScalar.store(scalar, std::memory_order_relaxed);
}

CSHA1::CSHA1() {
    Reset();
}

CSHA1::~CSHA1() {
    Reset();
}

void CSHA1::Reset() {
    state[0] = 0x67452301;
    state[1] = 0xEFCDAB89;
    state[2] = 0x98BADCFE;
    state[3] = 0x10325476;
    state[4] = 0xC3D2E1F0;
    count[0] = 0;
    count[1] = 0;
}

void CSHA1::AddData(const uint8_t* data, uint32_t len) {
    if (len == 0)
        return;  // nothing to add, and `data` may then be null (an empty container's data())
    const uint32_t position = (count[0] >> 3) & 63;
    const uint32_t bits = len << 3;
    count[0] += bits;
    if (count[0] < bits)
        ++count[1];
    count[1] += len >> 29;

    // Sizes are compared in 64 bits: with a count near 2^32, position + count would wrap in
    // 32 bits and the tail copy would run far past the block.
    uint64_t i = 0;
    if (uint64_t{position} + len >= 64) {
        std::memcpy(block + position, data, 64 - position);
        ProcessBlocks(state, block, 1);
        i = 64 - position;
        const uint64_t whole = (len - i) / 64;
        ProcessBlocks(state, data + i, whole);  // straight from the caller's bytes
        i += whole * 64;
        std::memcpy(block, data + i, len - i);
    } else {
        std::memcpy(block + position, data, len);
    }
}

void CSHA1::Finish() {
    uint8_t bitCount[8];  // big-endian: high word first
    for (int i = 0; i < 8; ++i)
        bitCount[i] = static_cast<uint8_t>(count[i < 4 ? 1 : 0] >> ((3 - (i & 3)) * 8));

    // 0x80, then zeros until the block position is 56, then the count: the zeros go in one
    // call, which is the same as one byte at a time while (count low AND 504) != 448.
    static const uint8_t kPadding[64] = {0x80};
    AddData(kPadding, 1);
    AddData(kPadding + 1, (448 - (count[0] & 504)) / 8 & 63);
    AddData(bitCount, 8);

    for (int i = 0; i < 20; ++i)
        digest[i] = static_cast<uint8_t>(state[i >> 2] >> ((3 - (i & 3)) * 8));

    // Leave no message data behind: neither in the object nor in the compression's working
    // storage, which one more compression of zeros overwrites.
    std::memset(block, 0, sizeof block);
    std::memset(state, 0, sizeof state);
    std::memset(count, 0, sizeof count);
    ProcessBlocks(state, block, 1);
}

void CSHA1::CopyDigest(uint8_t* out20) const {
    std::memcpy(out20, digest, sizeof digest);
}

void CSHA1::FormatDigest(char* text, uint8_t kind) const {
    char* end = text + std::strlen(text);
    switch (kind) {
    case DigestHex:
        for (uint8_t byte : digest)
            end += std::snprintf(end, 3, "%02x", static_cast<unsigned>(byte));
        break;
    case DigestDecimal:
        end += std::snprintf(end, 4, "%u", static_cast<unsigned>(digest[0]));
        for (int i = 1; i < 20; ++i)
            end += std::snprintf(end, 5, " %u", static_cast<unsigned>(digest[i]));
        break;
    default:
        std::strcpy(text, "Error: Unknown report type!");
        break;
    }
}

void CSHA1::ProcessBlock(uint32_t state[5], const uint8_t block[64]) {
    uint32_t (&w)[16] = t_schedule;
    std::memcpy(w, block, 64);
    if constexpr (std::endian::native == std::endian::little)
        for (uint32_t& word : w)
            word = __builtin_bswap32(word);  // the message words are big-endian
    uint32_t v[5] = {state[0], state[1], state[2], state[3], state[4]};
    EightySteps(v, w, std::make_integer_sequence<int, 80>{});
    state[0] += v[0];
    state[1] += v[1];
    state[2] += v[2];
    state[3] += v[3];
    state[4] += v[4];
}

void CSHA1::ProcessBlocks(uint32_t state[5], const uint8_t* data, size_t blocks) {
#if defined(BTMAGNET_SHA1_SHANI)
    if (Sha1HardwareCompressionAvailable() && !g_forceScalar.load(std::memory_order_relaxed)) {
        CompressBlocksShaNi(state, data, blocks);
        return;
    }
#endif
    for (; blocks != 0; --blocks, data += 64)
        ProcessBlock(state, data);
}
