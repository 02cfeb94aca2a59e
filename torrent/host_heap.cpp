// The registered shared heap, and the application's own malloc-based one.
#include "torrent/host_heap.h"

#include <cstdio>
#include <cstdlib>

#include "torrent/torrent_file_info.h"

namespace {

void* ProcessAllocate(size_t byteCount)
{
    // malloc(0) may answer null; every block handed out is a real one.
    void* block = std::malloc(byteCount == 0 ? 1 : byteCount);
    if (!block) {
        std::fprintf(stderr, "btmagnet: out of memory (%zu bytes wanted)\n", byteCount);
        std::exit(EXIT_FAILURE);
    }
    return block;
}

void ProcessRelease(void* block)
{
    std::free(block);
}

void ProcessReleaseArray(HostElementKind kind, void* arrayBlock)
{
    if (kind == HostElementKind::Text) {
        auto* array = static_cast<HostArray*>(arrayBlock);
        Text* texts = TextElements(array);
        for (int32_t i = 0; i < array->elementCount; ++i)
            std::free(texts[i]);
    }
    std::free(arrayBlock);
}

constexpr HostHeap kProcessHeap{ProcessAllocate, ProcessRelease, ProcessReleaseArray};

// Until a host registers its own, the library uses the process heap.
HostHeap registeredHeap = kProcessHeap;

} // namespace

void RegisterHostHeap(const HostHeap& heap)
{
    registeredHeap = heap;
}

const HostHeap& RegisteredHostHeap()
{
    return registeredHeap;
}

const HostHeap& ProcessHostHeap()
{
    return kProcessHeap;
}
