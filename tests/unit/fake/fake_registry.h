// The fake of platform/registry.h. Scripted state for the registry: keys by
// path, values of any type and size.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "fake/fake.h"
#include "platform/registry.h"

namespace fake {

struct RegistryValue {
    std::uint32_t type;
    std::vector<unsigned char> data;
};

struct RegistryState {
    // Key path (under HKEY_CURRENT_USER) → value name → value.
    std::map<std::string, std::map<std::string, RegistryValue>> keys;
    bool failOpen = false;  // RegCreateKeyExA fails
};
inline Scripted<RegistryState> registry;

// Helpers for scripting and reading values.
RegistryValue Dword(std::uint32_t value, std::uint32_t type = plat::kRegDword);
RegistryValue Bytes(std::vector<unsigned char> data, std::uint32_t type = plat::kRegBinary);
RegistryValue Text(const std::string& text, bool withNul = true, std::uint32_t type = plat::kRegSz);

constexpr std::int32_t kErrorMoreData = 234;
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorAccessDenied = 5;

}  // namespace fake
