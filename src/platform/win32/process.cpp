// Child processes, waits and the tick count.
#include <cstring>

#include "platform/process.h"
#include "platform/win32/win32.h"

static_assert(plat::kStartupInfoSize == sizeof(STARTUPINFOA),
              "kStartupInfoSize must match this build's STARTUPINFOA");

// Input as every Windows since 2000 counts it; later additions (touch,
// pointer) are refused as flags by older systems.
static_assert(plat::kQsInput == (QS_MOUSE | QS_KEY | QS_RAWINPUT), "kQsInput must be QS_INPUT");

namespace plat {

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
std::uint32_t GetProcessId(Handle process) { return ::GetProcessId(process); }
std::int32_t TerminateProcess(Handle process, std::uint32_t exitCode) {
    return ::TerminateProcess(process, exitCode);
}
std::uint32_t GetTickCount() { return ::GetTickCount(); }

}  // namespace plat
