// Registry access.
#include "platform/registry.h"
#include "platform/win32/win32.h"

namespace plat {
using win32::As;

std::int32_t RegCreateKeyExA(Hkey root, const char* subKey, const char* className,
                             std::uint32_t options, std::uint32_t access, Hkey* result) {
    HKEY key = nullptr;
    LONG rc = ::RegCreateKeyExA(As<HKEY>(root), subKey, 0, const_cast<char*>(className), options,
                                access, nullptr, &key, nullptr);
    *result = key;
    return rc;
}

std::int32_t RegQueryValueExA(Hkey key, const char* name, std::uint32_t* type, void* data,
                              std::uint32_t* size) {
    DWORD t = 0;
    DWORD s = size ? *size : 0;
    LONG rc = ::RegQueryValueExA(As<HKEY>(key), name, nullptr, type ? &t : nullptr,
                                 static_cast<BYTE*>(data), size ? &s : nullptr);
    if (type) *type = t;
    if (size) *size = s;
    return rc;
}

std::int32_t RegSetValueExA(Hkey key, const char* name, std::uint32_t type, const void* data,
                            std::uint32_t size) {
    return ::RegSetValueExA(As<HKEY>(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

std::int32_t RegCloseKey(Hkey key) { return ::RegCloseKey(As<HKEY>(key)); }

}  // namespace plat
