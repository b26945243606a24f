// The saver list's two process-heap blocks: the entries and the pool of
// their paths. Entries refer to their path by its offset into the pool, so a
// pool that moves when it grows leaves every entry valid.
#include <cstring>

#include "catalogue/catalogue.h"
#include "platform/dialog.h"
#include "platform/heap.h"

namespace {

constexpr std::uint32_t kEntrySize = sizeof(SaverEntry);
static_assert(kEntrySize == 8, "an entry is a play count and a path offset");

void ShowNoMemory() { plat::MessageBoxA(nullptr, "Not enough memory", nullptr, plat::kMbOk); }

// The request rounded up to a whole number of steps, or 0 when that is not
// representable in 32 bits.
std::uint32_t RoundUpToStep(std::uint32_t bytes) {
    std::uint64_t rounded = (std::uint64_t{bytes} + kHeapStep - 1) / kHeapStep * kHeapStep;
    return rounded > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(rounded);
}

std::uint32_t BytesInUse(const StringPool& pool) {
    if (!pool.cursor) return 0;
    return static_cast<std::uint32_t>(pool.cursor - static_cast<char*>(pool.buffer.start));
}

}  // namespace

bool Reserve(HeapBuffer& buffer, std::uint32_t bytes) {
    if (buffer.capacity == 0) {
        buffer.start = plat::HeapAlloc(plat::GetProcessHeap(), 0, kHeapStep);
        if (buffer.start) {
            buffer.capacity = kHeapStep;
        } else {
            ShowNoMemory();
        }
    }
    if (bytes <= buffer.capacity) return true;

    // With no block the growth cannot succeed either; it is a second failure
    // the user is told about, like any other.
    std::uint32_t grown = RoundUpToStep(bytes);
    void* moved = nullptr;
    if (buffer.start && grown != 0)
        moved = plat::HeapReAlloc(plat::GetProcessHeap(), 0, buffer.start, grown);
    if (!moved) {
        ShowNoMemory();
        return false;
    }
    buffer.start = moved;
    buffer.capacity = grown;
    return true;
}

bool ResetPool(StringPool& pool) {
    bool ok = Reserve(pool.buffer, 1);
    pool.cursor = static_cast<char*>(pool.buffer.start);
    return ok;
}

bool AppendString(StringPool& pool, const char* text, std::uint32_t* offset) {
    std::uint64_t n = std::strlen(text) + std::uint64_t{1};
    std::uint32_t used = BytesInUse(pool);
    if (used + n > 0xFFFFFFFFu) {
        ShowNoMemory();
        return false;
    }
    if (!Reserve(pool.buffer, static_cast<std::uint32_t>(used + n))) return false;
    // The block may have moved: the cursor is rebuilt from its distance to
    // the start rather than trusted.
    char* start = static_cast<char*>(pool.buffer.start);
    std::memcpy(start + used, text, n);
    pool.cursor = start + used + n;
    *offset = used;
    return true;
}

bool AddEntry(SaverList& list, const char* path) {
    std::uint64_t needed = (std::uint64_t(list.count) + 1) * kEntrySize;
    if (needed > 0xFFFFFFFFu) {
        ShowNoMemory();
        return false;
    }
    if (!Reserve(list.items, static_cast<std::uint32_t>(needed))) return false;
    std::uint32_t offset = 0;
    if (!AppendString(list.names, path, &offset)) return false;
    SaverEntry* entry = Entries(list) + list.count;
    entry->playCount = 0;
    entry->path = offset;
    ++list.count;
    return true;
}

void FreeBuffer(HeapBuffer& buffer) {
    if (buffer.capacity == 0) return;
    plat::HeapFree(plat::GetProcessHeap(), 0, buffer.start);
    buffer.start = nullptr;
    buffer.capacity = 0;
}

void FreeList(SaverList& list) {
    FreeBuffer(list.items);
    FreeBuffer(list.names.buffer);
    list.names.cursor = nullptr;
    list.count = 0;
}

SaverEntry* Entries(const SaverList& list) { return static_cast<SaverEntry*>(list.items.start); }

const char* EntryPath(const SaverList& list, std::int32_t index) {
    return static_cast<const char*>(list.names.buffer.start) + Entries(list)[index].path;
}
