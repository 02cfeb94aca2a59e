#pragma once
// A host heap that counts its blocks, so that a test can show every record, text and array of
// a conversion was released.

#include <cstdlib>

#include "torrent/host_heap.h"
#include "torrent/torrent_file_info.h"

class CountingHeap final {
public:
    CountingHeap() { RegisterHostHeap(kServices); }
    ~CountingHeap() { RegisterHostHeap(ProcessHostHeap()); }
    CountingHeap(const CountingHeap&) = delete;
    CountingHeap& operator=(const CountingHeap&) = delete;

    static long Outstanding() { return outstanding; }
    static long Allocated() { return allocated; }

private:
    static void* Allocate(size_t byteCount)
    {
        ++outstanding;
        ++allocated;
        return std::malloc(byteCount == 0 ? 1 : byteCount);
    }
    static void Release(void* block)
    {
        --outstanding;
        std::free(block);
    }
    static void ReleaseArray(HostElementKind kind, void* block)
    {
        auto* array = static_cast<HostArray*>(block);
        if (kind == HostElementKind::Text) {
            auto** texts = reinterpret_cast<char**>(array + 1);
            for (int i = 0; i < array->elementCount; ++i)
                if (texts[i] != nullptr)
                    Release(texts[i]);
        }
        Release(block);
    }

    static inline long outstanding = 0;
    static inline long allocated = 0;
    static constexpr HostHeap kServices{Allocate, Release, ReleaseArray};
};
