// The catalogue of found screen savers: a list of entries with play counts
// and a pool of their paths, both in process-heap blocks that grow in steps
// of 16384 bytes, and the folder scan that fills it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

constexpr std::uint32_t kHeapStep = 16384;

struct HeapBuffer {
    void* start;
    std::uint32_t capacity;  // bytes; 0 means nothing allocated
};

struct StringPool {
    HeapBuffer buffer;
    char* cursor;  // next free byte; null until first use
};

struct SaverEntry {
    std::int32_t playCount;
    std::uint32_t path;  // offset of the path in the list's pool
};

struct SaverList {
    std::int32_t count;
    HeapBuffer items;  // SaverEntry records in scan order
    StringPool names;
};

// Storage. Each returns whether it succeeded (the buffers are left as they
// were on failure, after the "Not enough memory" message).
bool Reserve(HeapBuffer& buffer, std::uint32_t bytes);
bool ResetPool(StringPool& pool);
bool AppendString(StringPool& pool, const char* text, std::uint32_t* offset);
bool AddEntry(SaverList& list, const char* path);
void FreeBuffer(HeapBuffer& buffer);
void FreeList(SaverList& list);  // both buffers; the list becomes empty

SaverEntry* Entries(const SaverList& list);
const char* EntryPath(const SaverList& list, std::int32_t index);

// Same length and same bytes after folding ASCII a-z to A-Z.
bool EqualNoCase(const char* a, const char* b);

// Appends every saver of the folders the settings enable.
void ScanAll(SaverList& list);
void ScanFolder(SaverList& list, const char* folder, std::int32_t recurse);
