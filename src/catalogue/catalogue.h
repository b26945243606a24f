// The catalogue of found screen savers: a list of entries with play counts
// and a pool of their paths, both in process-heap blocks that grow in steps
// of 16384 bytes, and the folder scan that fills it.
#pragma once

#include <cstdint>

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

// Storage.
//
// A failed allocation or growth shows "Not enough memory" (no owner, default
// caption, OK only) and leaves the buffer exactly as it was; the function
// then returns false. AppendString stores nothing and keeps its cursor when
// the pool cannot hold the text; AddEntry adds nothing (the count stays) when
// either the items or the pool cannot grow. Nothing is ever written past the
// end of a block, and entries 0 to count-1 stay valid whatever fails.
//
// Reserve with nothing allocated first takes a 16384-byte block; a request
// above what it holds then grows it to the request rounded up to 16384. A
// request above 0 bytes after a failed first block therefore shows the
// message twice (the block, then the growth).
bool Reserve(HeapBuffer& buffer, std::uint32_t bytes);
bool ResetPool(StringPool& pool);
bool AppendString(StringPool& pool, const char* text, std::uint32_t* offset);
bool AddEntry(SaverList& list, const char* path);
void FreeBuffer(HeapBuffer& buffer);  // nothing to do when nothing is allocated
void FreeList(SaverList& list);       // both buffers; the list becomes all zero

SaverEntry* Entries(const SaverList& list);
const char* EntryPath(const SaverList& list, std::int32_t index);

// Appends every saver of the folders the settings enable: the Windows
// directory, the System directory, then ExtDir (with its subfolders when
// ExtSubDir is set). Stops at the first entry the list cannot take (after the
// memory message), keeping what it found until then.
void ScanAll(SaverList& list);
// Appends the savers of one folder; with `recurse` non-zero each subfolder is
// scanned where it is met. A folder, subfolder, search pattern or file path
// that would not fit MAX_PATH with its NUL is skipped. Returns false only
// when the list ran out of memory (the scan should stop).
bool ScanFolder(SaverList& list, const char* folder, std::int32_t recurse);
