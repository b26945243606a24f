// The system folders, double-byte characters in paths and file search.
#include <cstring>

#include "platform/files.h"
#include "platform/win32/win32.h"

namespace plat {

std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) {
    return ::GetWindowsDirectoryA(buffer, size);
}
std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size) {
    return ::GetSystemDirectoryA(buffer, size);
}
const char* CharPrevA(const char* start, const char* current) {
    return ::CharPrevA(start, current);
}
std::int32_t IsDBCSLeadByte(std::uint8_t byte) { return ::IsDBCSLeadByte(byte); }

namespace {
void CopyFindData(const WIN32_FIND_DATAA& from, FindData* to) {
    to->attributes = from.dwFileAttributes;
    std::memcpy(to->fileName, from.cFileName, sizeof to->fileName);
    std::memcpy(to->alternateFileName, from.cAlternateFileName, sizeof to->alternateFileName);
}
}  // namespace

Handle FindFirstFileA(const char* pattern, FindData* data) {
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA(pattern, &found);
    if (h != INVALID_HANDLE_VALUE) CopyFindData(found, data);
    return h;
}
std::int32_t FindNextFileA(Handle find, FindData* data) {
    WIN32_FIND_DATAA found;
    BOOL ok = ::FindNextFileA(find, &found);
    if (ok) CopyFindData(found, data);
    return ok;
}
std::int32_t FindClose(Handle find) { return ::FindClose(find); }

Handle CreateFileA(const char* name, std::uint32_t access, std::uint32_t share,
                   std::uint32_t disposition, std::uint32_t flags) {
    return ::CreateFileA(name, access, share, nullptr, disposition, flags, nullptr);
}
std::int32_t GetFileInformationByHandle(Handle file, FileIdentity* identity) {
    BY_HANDLE_FILE_INFORMATION info;
    BOOL ok = ::GetFileInformationByHandle(file, &info);
    if (ok) {
        identity->volumeSerialNumber = info.dwVolumeSerialNumber;
        identity->fileIndexHigh = info.nFileIndexHigh;
        identity->fileIndexLow = info.nFileIndexLow;
    }
    return ok;
}

// Looked up at run time, like the program's other late calls: the file's
// import table asks only for what every Windows that loads the file has
// (Windows XP has no such call). Vista and 7 have it but know no FileIdInfo.
std::int32_t GetFileInformationByHandleEx(Handle file, FileIdInfo* info) {
    static_assert(::FileIdInfo == 18 && sizeof(FILE_ID_INFO) == sizeof *info);
    using Fn = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    if (!kernel) return 0;
    const auto get = reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "GetFileInformationByHandleEx")));
    FILE_ID_INFO found;
    if (!get || !get(file, ::FileIdInfo, &found, sizeof found)) return 0;
    info->volumeSerialNumber = found.VolumeSerialNumber;
    std::memcpy(info->fileId, found.FileId.Identifier, sizeof info->fileId);
    return 1;
}

}  // namespace plat
