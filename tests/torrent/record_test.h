#pragma once
// A test fixture that runs every test on the counting heap and proves at its end that each
// block the library allocated was released exactly once.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/torrent/counting_heap.h"
#include "torrent/host_heap.h"
#include "torrent/torrent_file_info.h"

class RecordTest : public testing::Test {
protected:
    void SetUp() override { InstallCountingHeap(); }
    void TearDown() override
    {
        const CountingHeapReport report = CountingHeapState();
        EXPECT_TRUE(CountingHeapBalanced()) << "live " << report.live << ", bad releases " << report.badReleases
                                            << ", kind mismatches " << report.kindMismatches;
        RemoveCountingHeap();
    }

    // What the application does when it is done with a record.
    static void Release(TorrentFileInfo* info)
    {
        FreeTorrentFileInfo(*info);
        EXPECT_EQ(info->fileLengths, nullptr);
        EXPECT_EQ(info->filePaths, nullptr);
        RegisteredHostHeap().release(info);
    }
};

// The array form of 64-bit lengths, byte by byte: dimension count 1, element count, elements
// (all little-endian on this platform).
inline std::vector<uint8_t> LengthArrayBytes(const std::vector<int64_t>& lengths)
{
    std::vector<uint8_t> bytes;
    auto put = [&bytes](uint64_t value, int width) {
        for (int i = 0; i < width; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    put(1, 4);
    put(lengths.size(), 4);
    for (int64_t length : lengths)
        put(static_cast<uint64_t>(length), 8);
    return bytes;
}

inline std::vector<uint8_t> BytesOf(const HostArray* array, size_t elementCount)
{
    const auto* begin = reinterpret_cast<const uint8_t*>(array);
    return {begin, begin + sizeof(HostArray) + elementCount * 8};
}

// The path texts of a filePaths array, "(null)" for a null element.
inline std::vector<std::string> PathTexts(const HostArray* array)
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < array->elementCount; ++i) {
        const Text text = TextElements(array)[i];
        texts.push_back(text ? std::string(text) : std::string("(null)"));
    }
    return texts;
}

inline std::string TextOrNull(Text text)
{
    return text ? std::string(text) : std::string("(null)");
}
