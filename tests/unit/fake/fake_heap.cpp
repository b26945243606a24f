#include "fake/fake_heap.h"

#include <cstdlib>
#include <cstring>

namespace fake {

namespace {
// Blocks a test left behind are returned before the next test starts.
ResetHook hook([] {
    for (auto& [block, size] : heap.blocks) std::free(block);
    heap = HeapState{};
});

bool NextCallFails() { return heap.failCalls.count(++heap.allocationCalls) != 0; }

void* NewBlock(std::size_t bytes) {
    void* block = std::malloc(bytes ? bytes : 1);
    heap.blocks[block] = bytes;
    return block;
}
}  // namespace

plat::Handle ProcessHeap() { return Token(100); }

}  // namespace fake

namespace plat {
using fake::heap;
using fake::Record;

Handle GetProcessHeap() { return fake::Answer(fake::ProcessHeap(), "GetProcessHeap"); }

void* HeapAlloc(Handle h, std::uint32_t flags, std::size_t bytes) {
    Record("HeapAlloc", h, flags, bytes);
    if (fake::NextCallFails()) return nullptr;
    return fake::NewBlock(bytes);
}

void* HeapReAlloc(Handle h, std::uint32_t flags, void* block, std::size_t bytes) {
    Record("HeapReAlloc", h, flags, block, bytes);
    if (fake::NextCallFails()) return nullptr;
    auto it = heap.blocks.find(block);
    if (it == heap.blocks.end()) return nullptr;
    void* moved = fake::NewBlock(bytes);
    std::memcpy(moved, block, it->second < bytes ? it->second : bytes);
    std::free(block);
    heap.blocks.erase(it);
    return moved;
}

std::int32_t HeapFree(Handle h, std::uint32_t flags, void* block) {
    Record("HeapFree", h, flags, block);
    auto it = heap.blocks.find(block);
    if (it == heap.blocks.end()) {
        ++heap.badFrees;
        return 0;
    }
    std::free(block);
    heap.blocks.erase(it);
    return 1;
}

}  // namespace plat
