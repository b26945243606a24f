// Files and folders: the system folders, file search and the code page's
// double-byte characters in paths.
//
//   constants  the directory and link attributes; opening a folder
//   records    FindData, FileIdentity, FileIdInfo
//   calls      GetWindowsDirectoryA, GetSystemDirectoryA, CharPrevA,
//              IsDBCSLeadByte,
//              FindFirstFileA, FindNextFileA, FindClose,
//              CreateFileA, GetFileInformationByHandle,
//              GetFileInformationByHandleEx
//
// Win32: src/platform/win32/files.cpp. Fake: tests/unit/fake/fake_files.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kFileAttributeReparsePoint = 0x400;  // junctions, symbolic links
constexpr std::uint32_t kFileReadAttributes = 0x0080;
constexpr std::uint32_t kFileShareAll = 0x7;  // read, write and delete
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kFileFlagBackupSemantics = 0x02000000;  // lets a folder be opened

// ---------------------------------------------------------------- records
struct FindData {
    std::uint32_t attributes;
    char fileName[kMaxPath];
    char alternateFileName[14];
};

// The fields of BY_HANDLE_FILE_INFORMATION that tell one file or folder
// from every other: its volume and its index on that volume.
struct FileIdentity {
    std::uint32_t volumeSerialNumber;
    std::uint32_t fileIndexHigh;
    std::uint32_t fileIndexLow;
};

// FILE_ID_INFO: the volume's 64-bit serial number and the file's 128-bit
// identity on it. On ReFS only this identity is unique; the 64-bit index of
// FileIdentity may be the same for two folders there.
struct FileIdInfo {
    std::uint64_t volumeSerialNumber;
    std::uint8_t fileId[16];
};

// ---------------------------------------------------------------- calls
std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size);
std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size);
// Start of the character before `current`, honouring the system code page's
// double-byte characters.
const char* CharPrevA(const char* start, const char* current);
// Whether `byte` starts a double-byte character in the system code page.
std::int32_t IsDBCSLeadByte(std::uint8_t byte);
Handle FindFirstFileA(const char* pattern, FindData* data);
std::int32_t FindNextFileA(Handle find, FindData* data);
std::int32_t FindClose(Handle find);
// A folder opens only with kFileFlagBackupSemantics; a link is followed to
// what it names. Closed with CloseHandle.
Handle CreateFileA(const char* name, std::uint32_t access, std::uint32_t share,
                   std::uint32_t disposition, std::uint32_t flags);
std::int32_t GetFileInformationByHandle(Handle file, FileIdentity* identity);
// GetFileInformationByHandleEx with the FileIdInfo class, which Windows has
// from Windows 8. 0 where the system lacks it or it fails for this file.
std::int32_t GetFileInformationByHandleEx(Handle file, FileIdInfo* info);

}  // namespace plat
