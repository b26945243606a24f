#include "fake/fake_registry.h"

#include <cstring>

namespace fake {

namespace {
// Open keys are handed out as tokens; the path behind each is remembered.
Scripted<std::map<plat::Hkey, std::string>> openKeys;
}  // namespace

RegistryValue Dword(std::uint32_t value, std::uint32_t type) {
    RegistryValue v{type, std::vector<unsigned char>(4)};
    std::memcpy(v.data.data(), &value, 4);
    return v;
}
RegistryValue Bytes(std::vector<unsigned char> data, std::uint32_t type) {
    return RegistryValue{type, std::move(data)};
}
RegistryValue Text(const std::string& text, bool withNul, std::uint32_t type) {
    RegistryValue v{type, std::vector<unsigned char>(text.begin(), text.end())};
    if (withNul) v.data.push_back(0);
    return v;
}

}  // namespace fake

namespace plat {
using fake::Record;
using fake::registry;

std::int32_t RegCreateKeyExA(Hkey root, const char* subKey, const char* className,
                             std::uint32_t options, std::uint32_t access, Hkey* result) {
    Record("RegCreateKeyExA", root, subKey, className, options, access);
    if (registry.failOpen || root != kHkeyCurrentUser) return fake::kErrorAccessDenied;
    registry.keys[subKey];
    Hkey key = fake::Token(900 + fake::openKeys.size());
    fake::openKeys[key] = subKey;
    *result = key;
    return kErrorSuccess;
}

std::int32_t RegQueryValueExA(Hkey key, const char* name, std::uint32_t* type, void* data,
                              std::uint32_t* size) {
    Record("RegQueryValueExA", key, name, size ? *size : 0u);
    auto& values = registry.keys[fake::openKeys.at(key)];
    auto it = values.find(name);
    if (it == values.end()) return fake::kErrorFileNotFound;
    const auto& value = it->second;
    if (type) *type = value.type;
    const std::uint32_t needed = static_cast<std::uint32_t>(value.data.size());
    if (data && needed > *size) {
        // Like the real registry, a short buffer may be left scribbled on.
        std::memset(data, 0xCD, *size);
        *size = needed;
        return fake::kErrorMoreData;
    }
    if (data && needed) std::memcpy(data, value.data.data(), needed);
    *size = needed;
    return kErrorSuccess;
}

std::int32_t RegSetValueExA(Hkey key, const char* name, std::uint32_t type, const void* data,
                            std::uint32_t size) {
    Record("RegSetValueExA", key, name, type, size);
    const auto* bytes = static_cast<const unsigned char*>(data);
    registry.keys[fake::openKeys.at(key)][name] =
        fake::RegistryValue{type, std::vector<unsigned char>(bytes, bytes + size)};
    return kErrorSuccess;
}

std::int32_t RegCloseKey(Hkey key) { return fake::Answer(kErrorSuccess, "RegCloseKey", key); }

}  // namespace plat
