#pragma once
// The shared heap: every record, text and array that the library hands to its host is
// allocated through services the host registers before the first call, so that the host
// releases them with its own heap.

#include <cstddef>

enum class HostElementKind {
    Int64,  // signed 64-bit integers
    Text,   // Text references, each owned by the array
};

struct HostHeap {
    // Never returns null: a host that runs out of memory ends the process.
    void* (*allocate)(size_t byteCount);
    // Never given null.
    void (*release)(void* block);
    // Releases an array block; for HostElementKind::Text it first releases every element text.
    void (*releaseArray)(HostElementKind kind, void* arrayBlock);
};

// Registers the host's services; call before any TorrentFileInfo operation.
void RegisterHostHeap(const HostHeap& heap);
const HostHeap& RegisteredHostHeap();

// The application's heap: malloc/free, and on exhaustion a message on stderr and exit.
const HostHeap& ProcessHostHeap();
