// The shell: COM, which it needs on the calling thread, the folder browser,
// the memory it hands out, and opening a document or page with its program.
//
//   constants  COM apartments, folder browser flags
//   records    BrowseInfo
//   calls      CoInitializeEx, CoUninitialize, SHBrowseForFolderA,
//              SHGetPathFromIDListA, CoTaskMemFree, ShellExecuteA
//
// Win32: src/platform/win32/shell.cpp. Fake: tests/unit/fake/fake_shell.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
// COM
constexpr std::uint32_t kCoinitApartmentThreaded = 0x2;
constexpr std::uint32_t kCoinitDisableOle1Dde = 0x4;

// Folder browser
constexpr std::uint32_t kBifReturnOnlyFsDirs = 0x0001;
constexpr std::uint32_t kBifStatusText = 0x0004;

// ---------------------------------------------------------------- records
struct BrowseInfo {
    Hwnd owner;
    Pidl root;
    char* displayName;  // at least kMaxPath bytes
    const char* title;
    std::uint32_t flags;
};

// ---------------------------------------------------------------- calls
// An HRESULT: S_OK or S_FALSE (already initialised) must each be matched by
// CoUninitialize; a failure must not.
std::int32_t CoInitializeEx(void* reserved, std::uint32_t flags);
void CoUninitialize();
Pidl SHBrowseForFolderA(const BrowseInfo* info);
std::int32_t SHGetPathFromIDListA(Pidl list, char* path);
void CoTaskMemFree(void* block);
std::intptr_t ShellExecuteA(Hwnd window, const char* verb, const char* file,
                            const char* parameters, const char* directory, std::int32_t show);

}  // namespace plat
