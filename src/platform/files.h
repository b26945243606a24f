// Files and folders: the system folders, file search and the code page's
// double-byte characters in paths.
//
//   constants  the directory attribute
//   records    FindData
//   calls      GetWindowsDirectoryA, GetSystemDirectoryA, CharPrevA,
//              FindFirstFileA, FindNextFileA, FindClose
//
// Win32: src/platform/win32/files.cpp. Fake: tests/unit/fake/fake_files.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
constexpr std::uint32_t kFileAttributeDirectory = 0x10;

// ---------------------------------------------------------------- records
struct FindData {
    std::uint32_t attributes;
    char fileName[kMaxPath];
    char alternateFileName[14];
};

// ---------------------------------------------------------------- calls
std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size);
std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size);
// Start of the character before `current`, honouring the system code page's
// double-byte characters.
const char* CharPrevA(const char* start, const char* current);
Handle FindFirstFileA(const char* pattern, FindData* data);
std::int32_t FindNextFileA(Handle find, FindData* data);
std::int32_t FindClose(Handle find);

}  // namespace plat
