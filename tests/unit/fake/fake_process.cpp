#include "fake/fake_process.h"

#include "fake/fake_files.h"

namespace fake {

// nextHandle counts the handles handed out, from 1: the n-th successful
// launch takes Token(500 + 2n) for its process and Token(501 + 2n) for its
// thread.
plat::Handle ProcessHandle(int n) { return Token(500 + 2 * n); }
plat::Handle ThreadHandle(int n) { return Token(501 + 2 * n); }
std::uint32_t ProcessId(int n) { return 1001 + 2 * n; }

}  // namespace fake

namespace plat {
using fake::process;
using fake::Record;

std::int32_t CreateProcessA(const char* applicationName, char* commandLine,
                            void* processAttributes, void* threadAttributes,
                            std::int32_t inheritHandles, std::uint32_t creationFlags,
                            void* environment, const char* currentDirectory,
                            StartupInfo* startupInfo, ProcessInformation* processInformation) {
    Record("CreateProcessA", applicationName, commandLine, processAttributes, threadAttributes,
           inheritHandles, creationFlags, environment, currentDirectory);
    process.launches.push_back({commandLine ? commandLine : "",
                                currentDirectory ? currentDirectory : "", creationFlags,
                                startupInfo ? *startupInfo : StartupInfo{}});
    const std::int32_t result = fake::NextAnswer(process.createResults, 1);
    *processInformation = ProcessInformation{};
    if (result != 1) return result;
    const std::uint32_t n = process.nextHandle;
    *processInformation = {fake::Token(499 + n), fake::Token(500 + n), 1000 + n, 1001 + n};
    process.nextHandle += 2;
    return result;
}

std::uint32_t WaitForSingleObject(Handle handle, std::uint32_t milliseconds) {
    Record("WaitForSingleObject", handle, milliseconds);
    return fake::NextAnswer(process.waitResults, kWaitObject0);
}

// Logged with the first handle, the one the program waits on.
std::uint32_t MsgWaitForMultipleObjects(std::uint32_t count, const Handle* handles,
                                        std::int32_t waitAll, std::uint32_t milliseconds,
                                        std::uint32_t wakeMask) {
    Record("MsgWaitForMultipleObjects", count, count > 0 ? handles[0] : nullptr, waitAll,
           milliseconds, wakeMask);
    return fake::NextAnswer(process.msgWaitResults, kWaitObject0);
}

std::int32_t CloseHandle(Handle handle) {
    Record("CloseHandle", handle);
    fake::CloseFile(handle);
    return 1;
}

std::int32_t GetExitCodeProcess(Handle handle, std::uint32_t* exitCode) {
    Record("GetExitCodeProcess", handle);
    const std::uint64_t code = fake::NextAnswer(process.exitCodes, 0);
    if (code > 0xFFFFFFFFu) return 0;
    *exitCode = static_cast<std::uint32_t>(code);
    return 1;
}

// The id CreateProcessA gave with the handle; 0 for any other handle.
std::uint32_t GetProcessId(Handle handle) {
    for (int n = 0; 2 * n + 1 < static_cast<int>(process.nextHandle); ++n)
        if (handle == fake::ProcessHandle(n))
            return fake::Answer(fake::ProcessId(n), "GetProcessId", handle);
    return fake::Answer(0u, "GetProcessId", handle);
}

std::int32_t TerminateProcess(Handle handle, std::uint32_t exitCode) {
    return fake::Answer(fake::NextAnswer(process.terminateResults, 1), "TerminateProcess", handle,
                        exitCode);
}

std::uint32_t GetTickCount() {
    Record("GetTickCount");
    if (process.ticks.empty()) return 0;
    std::uint32_t tick = process.ticks.front();
    if (process.ticks.size() > 1) process.ticks.pop_front();
    return tick;
}

}  // namespace plat
