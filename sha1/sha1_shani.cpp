#include "sha1/sha1_shani.h"

#include <immintrin.h>

#include <utility>

namespace {

// Rounds 4k to 4k+3 of one block. `abcd` holds A..D with A in the highest lane; `previous` is
// abcd as it was four rounds earlier (for k = 0: E of the chaining value in the highest lane).
// `w` is the message schedule as a ring of four quads of words: quad k is used here, and the
// later quads are made from the earlier ones as soon as their inputs exist, so that the
// schedule work overlaps the rounds.
template <int K>
[[gnu::always_inline]] inline void FourRounds(__m128i& abcd, __m128i& previous, __m128i (&w)[4],
                                              const uint8_t* data) {
    if constexpr (K < 4) {
        // The message words are big-endian: reverse the 16 bytes so word 4k lands in the
        // highest lane, where the round instruction takes the first word.
        const __m128i reverse = _mm_set_epi64x(0x0001020304050607LL, 0x08090a0b0c0d0e0fLL);
        w[K] = _mm_shuffle_epi8(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * K)), reverse);
    }
    // E of these rounds: the chaining value's E added to the first word for k = 0, A of four
    // rounds ago rotated by 30 and added to the first word otherwise.
    const __m128i e = K == 0 ? _mm_add_epi32(previous, w[0]) : _mm_sha1nexte_epu32(previous, w[K % 4]);
    previous = abcd;
    if constexpr (K >= 3 && K + 1 < 20)  // finish quad k+1: its last term is quad k
        w[(K + 1) % 4] = _mm_sha1msg2_epu32(w[(K + 1) % 4], w[K % 4]);
    abcd = _mm_sha1rnds4_epu32(abcd, e, K / 5);
    if constexpr (K >= 1 && K + 3 < 20)  // start quad k+3 from quads k-1 and k
        w[(K - 1) % 4] = _mm_sha1msg1_epu32(w[(K - 1) % 4], w[K % 4]);
    if constexpr (K >= 2 && K + 2 < 20)  // quad k+2 takes quad k as its middle term
        w[(K - 2) % 4] = _mm_xor_si128(w[(K - 2) % 4], w[K % 4]);
}

template <int... K>
[[gnu::always_inline]] inline void EightyRounds(__m128i& abcd, __m128i& previous, __m128i (&w)[4],
                                                const uint8_t* data,
                                                std::integer_sequence<int, K...>) {
    (FourRounds<K>(abcd, previous, w, data), ...);
}

}  // namespace

void CompressBlocksShaNi(uint32_t state[5], const uint8_t* data, size_t blocks) {
    // A..D reversed so A is in the highest lane; E alone in the highest lane of its own register.
    __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0x1B);
    __m128i e = _mm_set_epi32(static_cast<int>(state[4]), 0, 0, 0);
    for (; blocks != 0; --blocks, data += 64) {
        const __m128i abcdBefore = abcd;
        const __m128i eBefore = e;
        __m128i previous = e;
        __m128i w[4];
        EightyRounds(abcd, previous, w, data, std::make_integer_sequence<int, 20>{});
        // E after 80 rounds is A of round 76 rotated by 30; add the chaining values.
        e = _mm_sha1nexte_epu32(previous, eBefore);
        abcd = _mm_add_epi32(abcd, abcdBefore);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_shuffle_epi32(abcd, 0x1B));
    state[4] = static_cast<uint32_t>(_mm_extract_epi32(e, 3));
}
