// The fake of platform/heap.h. Scripted state for the process heap: real blocks of exactly the size asked
// (so the sanitizer sees a write past their end), a growth that always moves
// the block (so a pointer kept across it is caught), and failures chosen by
// call number.
#pragma once

#include <cstddef>
#include <map>
#include <set>

#include "fake/fake.h"
#include "platform/heap.h"

namespace fake {

struct HeapState {
    // HeapAlloc and HeapReAlloc are numbered together from 1; the calls whose
    // numbers are listed here return null and leave any block untouched.
    std::set<int> failCalls;
    int allocationCalls = 0;
    // Live blocks and their sizes.
    std::map<void*, std::size_t> blocks;
    int badFrees = 0;  // HeapFree of a block the heap never gave out
};
inline HeapState heap;

// What GetProcessHeap returns.
plat::Handle ProcessHeap();

}  // namespace fake
