// The registry: keys and their values.
//
//   constants  the current user's root, the access asked for, value types,
//              the success code
//   calls      RegCreateKeyExA, RegQueryValueExA, RegSetValueExA, RegCloseKey
//
// Win32: src/platform/win32/registry.cpp. Fake: tests/unit/fake/fake_registry.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
inline Hkey const kHkeyCurrentUser =
    reinterpret_cast<Hkey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000001)));
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::int32_t kErrorSuccess = 0;

// ---------------------------------------------------------------- calls
std::int32_t RegCreateKeyExA(Hkey root, const char* subKey, const char* className,
                             std::uint32_t options, std::uint32_t access, Hkey* result);
std::int32_t RegQueryValueExA(Hkey key, const char* name, std::uint32_t* type, void* data,
                              std::uint32_t* size);
std::int32_t RegSetValueExA(Hkey key, const char* name, std::uint32_t type, const void* data,
                            std::uint32_t size);
std::int32_t RegCloseKey(Hkey key);

}  // namespace plat
