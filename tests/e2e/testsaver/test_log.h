// The log the test savers write for the end-to-end tests, and the cap on
// their lifetime. Shared by testsaver.cpp and libsaver/libsaver.cpp, so that
// a test reads every saver it starts from one file in one format.
//
// The log is the file named by the environment variable SLUMBERMIX_TEST_LOG
// (a Windows path; inherited by every child a test starts), or
// "<own path>.log" when it is not set. A named mutex keeps the lines of
// several savers whole. Each line is
//
//   <ms since 1970-01-01 UTC> <process id> <event> [<details>]
//
// SLUMBERMIX_TEST_CAP_MS (default 120000) is how long a saver may live.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace test_log {

constexpr DWORD kDefaultCapMs = 120000;

struct LogFile {
    char path[MAX_PATH + 8];
    HANDLE mutex;
};

inline LogFile g_log;

// Where the lines go: called once, before the first Write. Fills in the
// saver's own path (empty when it does not fit), which the log is named
// after when the variable is not set.
inline void Open(char (&modulePath)[MAX_PATH]) {
    DWORD n = GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    if (n == 0 || n >= sizeof modulePath) modulePath[0] = '\0';
    DWORD length = GetEnvironmentVariableA("SLUMBERMIX_TEST_LOG", g_log.path, sizeof g_log.path);
    if (length == 0 || length >= sizeof g_log.path)
        std::snprintf(g_log.path, sizeof g_log.path, "%s.log", modulePath);
    g_log.mutex = CreateMutexA(nullptr, FALSE, "SlumbermixTestLog");
}

// Appends one line; each line is opened, written and closed on its own, so
// that a process killed by a test loses nothing it logged.
inline void Write(const char* format, ...) {
    char line[2048];
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const unsigned long long unixMs = (ticks - 116444736000000000ULL) / 10000ULL;
    int used = std::snprintf(line, sizeof line, "%llu %lu ", unixMs,
                             static_cast<unsigned long>(GetCurrentProcessId()));
    va_list args;
    va_start(args, format);
    used += std::vsnprintf(line + used, sizeof line - used - 1, format, args);
    va_end(args);
    if (used > static_cast<int>(sizeof line) - 2) used = sizeof line - 2;
    line[used++] = '\n';

    if (g_log.mutex) WaitForSingleObject(g_log.mutex, 2000);
    HANDLE file = CreateFileA(g_log.path, FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line, static_cast<DWORD>(used), &written, nullptr);
        CloseHandle(file);
    }
    if (g_log.mutex) ReleaseMutex(g_log.mutex);
}

inline DWORD CapMilliseconds() {
    char text[32];
    DWORD n = GetEnvironmentVariableA("SLUMBERMIX_TEST_CAP_MS", text, sizeof text);
    if (n == 0 || n >= sizeof text) return kDefaultCapMs;
    return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
}

}  // namespace test_log
