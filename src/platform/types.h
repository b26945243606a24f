// What every area of the platform shares.
//
//   handles    the opaque handles of every kind, message parameters,
//              kInvalidHandle, WindowFromNumber
//   constants  kMaxPath
//   records    Point, Rect
//
// Not an area itself: it has no calls. Its counterparts on the other two
// sides are src/platform/win32/win32.h and tests/unit/fake/fake.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat {

// ---------------------------------------------------------------- handles
using Handle = void*;       // kernel objects: processes, threads, find handles
using Hkey = void*;         // registry keys
using Hmodule = void*;      // loaded modules and the instance handle
using Hwnd = void*;         // windows
using Hdc = void*;          // device contexts
using Hicon = void*;
using Hcursor = void*;
using Hbrush = void*;
using Himc = void*;         // input-method contexts
using Pidl = void*;         // shell item id lists
using FarProc = void (*)(); // an exported function, before it is cast

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

inline Handle const kInvalidHandle = reinterpret_cast<Handle>(static_cast<std::intptr_t>(-1));

// A handle value given as decimal text on the command line.
inline Hwnd WindowFromNumber(std::int32_t n) {
    return reinterpret_cast<Hwnd>(static_cast<std::intptr_t>(n));
}

// ---------------------------------------------------------------- constants
constexpr std::uint32_t kMaxPath = 260;

// ---------------------------------------------------------------- records
struct Point {
    std::int32_t x;
    std::int32_t y;
};

struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

}  // namespace plat
