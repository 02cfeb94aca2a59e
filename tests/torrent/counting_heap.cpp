#include "tests/torrent/counting_heap.h"

#include <cstdlib>
#include <unordered_map>

#include "torrent/torrent_file_info.h"

namespace {

// What is known about a live block: its size, enough to tell an array block by its header.
std::unordered_map<void*, size_t>& LiveBlocks()
{
    static std::unordered_map<void*, size_t> blocks;
    return blocks;
}

CountingHeapReport report;

void* CountingAllocate(size_t byteCount)
{
    void* block = std::malloc(byteCount == 0 ? 1 : byteCount);
    if (!block)
        std::abort();
    LiveBlocks()[block] = byteCount;
    ++report.allocations;
    ++report.live;
    return block;
}

void CountingRelease(void* block)
{
    auto& blocks = LiveBlocks();
    const auto it = blocks.find(block);
    if (!block || it == blocks.end()) {
        ++report.badReleases;  // never freed, so a second release cannot corrupt the heap
        return;
    }
    blocks.erase(it);
    --report.live;
    std::free(block);
}

void CountingReleaseArray(HostElementKind kind, void* arrayBlock)
{
    auto& blocks = LiveBlocks();
    const auto it = blocks.find(arrayBlock);
    if (!arrayBlock || it == blocks.end()) {
        ++report.badReleases;
        return;
    }
    auto* array = static_cast<HostArray*>(arrayBlock);
    // Both element kinds are 8 bytes wide, so the header must describe the block exactly.
    if (array->dimensionCount != 1 || array->elementCount < 0 ||
        it->second != sizeof(HostArray) + size_t(array->elementCount) * 8) {
        ++report.kindMismatches;
    } else if (kind == HostElementKind::Text) {
        // An element that is no live block means lengths released as texts; a text array
        // released as lengths shows up as live texts instead.
        Text* texts = TextElements(array);
        for (int32_t i = 0; i < array->elementCount; ++i) {
            if (!texts[i])
                continue;
            if (blocks.count(texts[i]) != 0)
                CountingRelease(texts[i]);
            else
                ++report.kindMismatches;
        }
    }
    CountingRelease(arrayBlock);
}

} // namespace

void InstallCountingHeap()
{
    for (auto& [block, size] : LiveBlocks())
        std::free(block);
    LiveBlocks().clear();
    report = {};
    RegisterHostHeap(HostHeap{CountingAllocate, CountingRelease, CountingReleaseArray});
}

void RemoveCountingHeap()
{
    RegisterHostHeap(ProcessHostHeap());
}

CountingHeapReport CountingHeapState()
{
    return report;
}

bool CountingHeapBalanced()
{
    return report.live == 0 && report.badReleases == 0 && report.kindMismatches == 0;
}
