// The shell: the folder browser, the memory it hands out, and opening a
// document or page with its program.
//
//   constants  folder browser flags
//   records    BrowseInfo
//   calls      SHBrowseForFolderA, SHGetPathFromIDListA, CoTaskMemFree,
//              ShellExecuteA
//
// Win32: src/platform/win32/shell.cpp. Fake: tests/unit/fake/fake_shell.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
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
Pidl SHBrowseForFolderA(const BrowseInfo* info);
std::int32_t SHGetPathFromIDListA(Pidl list, char* path);
void CoTaskMemFree(void* block);
std::intptr_t ShellExecuteA(Hwnd window, const char* verb, const char* file,
                            const char* parameters, const char* directory, std::int32_t show);

}  // namespace plat
