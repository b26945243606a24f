// The fake of platform/process.h. Scripted state for processes, waits and
// the tick count.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "fake/fake.h"
#include "platform/process.h"

namespace fake {

struct LaunchRecord {
    std::string commandLine;
    std::string currentDirectory;
    std::uint32_t creationFlags;
    plat::StartupInfo startupInfo;
};

struct ProcessState {
    // CreateProcessA answers in order; 1 when the queue is empty. Any other
    // value is returned as it is (the launcher trusts exactly 1 only).
    std::deque<std::int32_t> createResults;
    // WaitForSingleObject answers in order; WAIT_OBJECT_0 when empty.
    std::deque<std::uint32_t> waitResults;
    // MsgWaitForMultipleObjects answers in order; WAIT_OBJECT_0 when empty.
    std::deque<std::uint32_t> msgWaitResults;
    // GetExitCodeProcess answers in order; when empty it succeeds with 0.
    // An answer above 0xFFFFFFFF makes the call fail.
    std::deque<std::uint64_t> exitCodes;
    // GetTickCount answers in order; the last one repeats when one is left.
    std::deque<std::uint32_t> ticks{0};
    std::vector<LaunchRecord> launches;
    // TerminateProcess answers in order; 1 when the queue is empty.
    std::deque<std::int32_t> terminateResults;
    std::uint32_t nextHandle = 1;  // processes and threads get Token(500 + n)
};
inline Scripted<ProcessState> process;

// The handles and process id the n-th successful CreateProcessA hands out
// (n from 0).
plat::Handle ProcessHandle(int n);
plat::Handle ThreadHandle(int n);
std::uint32_t ProcessId(int n);

}  // namespace fake
