// Processes and waits: starting a child, waiting for it (alone, or together
// with the thread's message queue), its exit code, and the tick count.
//
//   constants  wait times and results, the queue states a wait wakes for,
//              creation flags, exception statuses, kStartupInfoSize
//   records    StartupInfo, ProcessInformation
//   calls      CreateProcessA, WaitForSingleObject, MsgWaitForMultipleObjects,
//              CloseHandle, GetExitCodeProcess, GetProcessId, TerminateProcess,
//              GetTickCount
//
// Win32: src/platform/win32/process.cpp. Fake: tests/unit/fake/fake_process.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
// Waits
constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
constexpr std::uint32_t kWaitObject0 = 0;
constexpr std::uint32_t kWaitTimeout = 0x102;
constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
constexpr std::uint32_t kQsSendMessage = 0x0040;
constexpr std::uint32_t kQsInput = 0x0407;  // QS_MOUSE | QS_KEY | QS_RAWINPUT (QS_INPUT)
// Input kinds added by Windows 8; older systems refuse them as wake flags.
constexpr std::uint32_t kQsTouch = 0x0800;
constexpr std::uint32_t kQsPointer = 0x1000;

// Processes
constexpr std::uint32_t kIdlePriorityClass = 0x40;
constexpr std::uint32_t kCreateSeparateWowVdm = 0x800;
// Exit codes from here up are exception statuses (NTSTATUS severity
// "error"): the code Windows gives a process it ends because it crashed.
constexpr std::uint32_t kFirstExceptionStatus = 0xC0000000;
// sizeof(STARTUPINFOA), the value a child's start-up record carries in its
// size field: 68 bytes in the 32-bit program, 104 in the 64-bit one. The
// host build stands for the 32-bit release program. The Win32 side checks
// this against the real structure at compile time.
#if defined(_WIN64)
constexpr std::uint32_t kStartupInfoSize = 104;
#else
constexpr std::uint32_t kStartupInfoSize = 68;
#endif

// ---------------------------------------------------------------- records
// The fields of STARTUPINFOA the launcher sets; the platform fills the rest
// with zeros. cb is the caller's choice so the size it passes is visible.
struct StartupInfo {
    std::uint32_t cb;
    char* reserved;
    char* desktop;
    char* title;
    std::uint32_t flags;
    std::uint16_t cbReserved2;
    std::uint8_t* reserved2;
};

struct ProcessInformation {
    Handle process;
    Handle thread;
    std::uint32_t processId;
    std::uint32_t threadId;
};

// ---------------------------------------------------------------- calls
std::int32_t CreateProcessA(const char* applicationName, char* commandLine,
                            void* processAttributes, void* threadAttributes,
                            std::int32_t inheritHandles, std::uint32_t creationFlags,
                            void* environment, const char* currentDirectory,
                            StartupInfo* startupInfo, ProcessInformation* processInformation);
std::uint32_t WaitForSingleObject(Handle handle, std::uint32_t milliseconds);
// WAIT_OBJECT_0 + count when input of the wake mask arrived, not a handle.
std::uint32_t MsgWaitForMultipleObjects(std::uint32_t count, const Handle* handles,
                                        std::int32_t waitAll, std::uint32_t milliseconds,
                                        std::uint32_t wakeMask);
std::int32_t CloseHandle(Handle handle);
std::int32_t GetExitCodeProcess(Handle process, std::uint32_t* exitCode);
// 0 when the handle names no process.
std::uint32_t GetProcessId(Handle process);
std::int32_t TerminateProcess(Handle process, std::uint32_t exitCode);
std::uint32_t GetTickCount();

}  // namespace plat
