// The process heap.
#include "platform/heap.h"
#include "platform/win32/win32.h"

namespace plat {

Handle GetProcessHeap() { return ::GetProcessHeap(); }
void* HeapAlloc(Handle heap, std::uint32_t flags, std::size_t bytes) {
    return ::HeapAlloc(heap, flags, bytes);
}
void* HeapReAlloc(Handle heap, std::uint32_t flags, void* block, std::size_t bytes) {
    return ::HeapReAlloc(heap, flags, block, bytes);
}
std::int32_t HeapFree(Handle heap, std::uint32_t flags, void* block) {
    return ::HeapFree(heap, flags, block);
}

}  // namespace plat
