// The process heap.
//
//   calls  GetProcessHeap, HeapAlloc, HeapReAlloc, HeapFree
//
// Win32: src/platform/win32/heap.cpp. Fake: tests/unit/fake/fake_heap.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- calls
Handle GetProcessHeap();
void* HeapAlloc(Handle heap, std::uint32_t flags, std::size_t bytes);
void* HeapReAlloc(Handle heap, std::uint32_t flags, void* block, std::size_t bytes);
std::int32_t HeapFree(Handle heap, std::uint32_t flags, void* block);

}  // namespace plat
