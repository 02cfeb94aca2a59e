#pragma once
// SHA-1 message digest (FIPS 180-1) of bytes handed over in one or more pieces.
//
// Use: construct (or Reset), AddData any number of times, Finish, then CopyDigest or
// FormatDigest. Finish wipes the state, so a further AddData needs a Reset first.
//
// Objects are independent: digests on different threads may run at the same time, each with
// its own object. One object is not for two threads at once.

#include <cstddef>
#include <cstdint>

enum DigestFormat : uint8_t {
    DigestHex = 0,      // 40 lowercase hex digits
    DigestDecimal = 1,  // 20 decimal numbers separated by single spaces
};

class CSHA1 {
public:
    CSHA1();
    virtual ~CSHA1();
    CSHA1(const CSHA1&) = delete;
    CSHA1& operator=(const CSHA1&) = delete;

    void Reset();
    void AddData(const uint8_t* data, uint32_t count);
    void Finish();
    void CopyDigest(uint8_t* out20) const;
    // DigestHex and DigestDecimal append to the zero-terminated `text` (41 and 80 bytes of room);
    // any other kind replaces it with "Error: Unknown report type!".
    void FormatDigest(char* text, uint8_t kind) const;

    uint32_t state[5];
    uint32_t count[2];  // message length in bits, low word first
    uint8_t block[64];
    uint8_t digest[20];

private:
    // The portable compression of one block into `state`, all 80 steps unrolled.
    static void ProcessBlock(uint32_t state[5], const uint8_t block[64]);
    // Compresses `blocks` consecutive 64-byte blocks with the compression chosen for this CPU.
    static void ProcessBlocks(uint32_t state[5], const uint8_t* data, size_t blocks);
};

// The compression CSHA1 uses is chosen once, by CPU detection: the SHA instructions where the
// CPU has them, the portable one otherwise. For tests and benchmarks only: `true` forces the
// portable compression in every object from the next block on, `false` returns to the
// detected choice. Set it while no digest is running.
void UseScalarSha1Compression(bool scalar);

// True when this CPU has the SHA and SSE4.1 instructions the accelerated compression needs.
[[nodiscard]] bool Sha1HardwareCompressionAvailable();
