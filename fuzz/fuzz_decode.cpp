// Decodes any bytes and checks the round trip of whatever decodes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/bencode/round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > UINT32_MAX)
        return 0;
    const std::string fault = bencode_test::RoundTripFault(reinterpret_cast<const char*>(data), static_cast<uint32_t>(size));
    if (!fault.empty()) {
        std::fprintf(stderr, "round trip broken: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
