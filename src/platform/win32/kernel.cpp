// Heap, folders, file search, processes, waits and the tick count.
#include <cstring>

#include "platform/win32/win32.h"

static_assert(plat::kStartupInfoSize == sizeof(STARTUPINFOA),
              "kStartupInfoSize must match this build's STARTUPINFOA");

namespace plat {
using win32::As;

Handle GetProcessHeap() { return ::GetProcessHeap(); }
void* HeapAlloc(Handle heap, std::uint32_t flags, std::size_t bytes) {
    return ::HeapAlloc(heap, flags, bytes);
}
void* HeapReAlloc(Handle heap, std::uint32_t flags, void* block, std::size_t bytes) {
    return ::HeapReAlloc(heap, flags, block, bytes);
}
std::int32_t HeapFree(Handle heap, std::uint32_t flags, void* block) {
    return ::HeapFree(heap, flags, block);
}

std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) {
    return ::GetWindowsDirectoryA(buffer, size);
}
std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size) {
    return ::GetSystemDirectoryA(buffer, size);
}
const char* CharPrevA(const char* start, const char* current) {
    return ::CharPrevA(start, current);
}

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

std::int32_t CreateProcessA(const char* applicationName, char* commandLine,
                            void* processAttributes, void* threadAttributes,
                            std::int32_t inheritHandles, std::uint32_t creationFlags,
                            void* environment, const char* currentDirectory,
                            StartupInfo* startupInfo, ProcessInformation* processInformation) {
    STARTUPINFOA si;
    std::memset(&si, 0, sizeof si);
    si.cb = startupInfo->cb;
    si.lpReserved = startupInfo->reserved;
    si.lpDesktop = startupInfo->desktop;
    si.lpTitle = startupInfo->title;
    si.dwFlags = startupInfo->flags;
    si.cbReserved2 = startupInfo->cbReserved2;
    si.lpReserved2 = startupInfo->reserved2;
    PROCESS_INFORMATION pi;
    std::memset(&pi, 0, sizeof pi);
    BOOL rc = ::CreateProcessA(applicationName, commandLine,
                               static_cast<SECURITY_ATTRIBUTES*>(processAttributes),
                               static_cast<SECURITY_ATTRIBUTES*>(threadAttributes), inheritHandles,
                               creationFlags, environment, currentDirectory, &si, &pi);
    processInformation->process = pi.hProcess;
    processInformation->thread = pi.hThread;
    processInformation->processId = pi.dwProcessId;
    processInformation->threadId = pi.dwThreadId;
    return rc;
}

std::uint32_t WaitForSingleObject(Handle handle, std::uint32_t milliseconds) {
    return ::WaitForSingleObject(handle, milliseconds);
}
std::uint32_t MsgWaitForMultipleObjects(std::uint32_t count, const Handle* handles,
                                        std::int32_t waitAll, std::uint32_t milliseconds,
                                        std::uint32_t wakeMask) {
    return ::MsgWaitForMultipleObjects(count, handles, waitAll, milliseconds, wakeMask);
}
std::int32_t CloseHandle(Handle handle) { return ::CloseHandle(handle); }
std::int32_t GetExitCodeProcess(Handle process, std::uint32_t* exitCode) {
    DWORD code = 0;
    BOOL ok = ::GetExitCodeProcess(process, &code);
    if (ok) *exitCode = code;
    return ok;
}
std::uint32_t GetTickCount() { return ::GetTickCount(); }

}  // namespace plat
