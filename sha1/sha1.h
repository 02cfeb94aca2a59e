#pragma once
// SHA-1 message digest (FIPS 180-1) of bytes handed over in one or more pieces.
//
// Use: construct (or Reset), AddData any number of times, Finish, then CopyDigest or
// FormatDigest. Finish wipes the state, so a further AddData needs a Reset first.

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
    static void ProcessBlock(uint32_t state[5], const uint8_t block[64]);
};
