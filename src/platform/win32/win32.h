// Shared by the Win32 translation units, one per area of the platform (each
// implements its platform/<area>.h): <windows.h> with the program's
// settings, and the conversions between neutral and Win32 types.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/types.h"

namespace plat::win32 {

template <typename To, typename From>
inline To As(From value) {
    return reinterpret_cast<To>(value);
}

}  // namespace plat::win32
