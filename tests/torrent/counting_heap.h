#pragma once
// A host heap for tests and the fuzzer: it records every block it hands out and every
// release, so a test can prove that each block was released exactly once.

#include <cstddef>
#include <cstdint>

#include "torrent/host_heap.h"

struct CountingHeapReport {
    int64_t allocations = 0;     // blocks handed out
    int64_t live = 0;            // blocks handed out and not yet released
    int64_t badReleases = 0;     // releases of a block that is not live (twice, or never given)
    int64_t kindMismatches = 0;  // an array whose header or elements do not fit its kind
};

// Registers the counting heap in place of whatever was registered, with an empty record.
void InstallCountingHeap();
// Registers the process heap again; every block still live stays counted as live.
void RemoveCountingHeap();
CountingHeapReport CountingHeapState();
// True when every block was released exactly once and nothing else was released.
bool CountingHeapBalanced();
