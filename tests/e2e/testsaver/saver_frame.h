// What the two test savers of the end-to-end tests share (testsaver.cpp and
// libsaver/libsaver.cpp): the log they write, so that a test reads every
// saver it starts from one file in one format, the cap on their lifetime,
// the option a screen saver host passes, the full-screen window, its
// painting and the lines every start logs first.
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
#include <cstring>

namespace frame {

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

// Whatever the saver is doing once the cap has passed, even stuck in a call
// that waits for another thread, this thread logs "exit cap" and ends the
// process with exit code 0, so that a test can never leave it behind.
inline DWORD WINAPI CapWatchdog(void*) {
    Sleep(CapMilliseconds());
    Write("exit cap");
    ExitProcess(0);
}

inline void StartCapWatchdog() {
    HANDLE watchdog = CreateThread(nullptr, 0, CapWatchdog, nullptr, 0, nullptr);
    if (watchdog) CloseHandle(watchdog);
}

// The option after the program's own name, blanks, an optional "/" or "-":
// its letter in lower case (0 when there is none), and for a window handle
// after it (blanks or a colon, then unsigned decimal) whether there is one.
struct Option {
    char letter;
    HWND window;
    bool windowGiven;
};

inline Option ParseOption(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '/' || *p == '-') ++p;
    Option option = {static_cast<char>(*p ? *p | 0x20 : 0), nullptr, false};
    if (*p) ++p;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == ':') ++p;
    while (*p == ' ' || *p == '\t') ++p;
    option.windowGiven = *p >= '0' && *p <= '9';
    ULONG_PTR value = 0;
    while (*p >= '0' && *p <= '9') value = value * 10 + static_cast<ULONG_PTR>(*p++ - '0');
    option.window = reinterpret_cast<HWND>(value);
    return option;
}

// Opens the log and writes the lines every start begins with: start <own
// module path>, cmdline <GetCommandLineA text> (exact, to the end of the
// line), cwd <current directory>, priority 0x<GetPriorityClass>. Fills in
// the module path; returns the command line.
inline const char* LogStart(char (&modulePath)[MAX_PATH]) {
    Open(modulePath);
    const char* commandLine = GetCommandLineA();
    char directory[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(sizeof directory, directory);
    if (n == 0 || n >= sizeof directory) directory[0] = '\0';
    Write("start %s", modulePath);
    Write("cmdline %s", commandLine);
    Write("cwd %s", directory);
    Write("priority 0x%lx", static_cast<unsigned long>(GetPriorityClass(GetCurrentProcess())));
    return commandLine;
}

inline unsigned long long HandleValue(HWND window) {
    return static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window));
}

constexpr char kSaverClass[] = "WindowsScreenSaverClass";

// Registers a window class (by default the one screen saver hosts know),
// with this procedure and a black background, and creates a window of it
// titled "<what> pid <n>": full-screen and top-most without a parent, a
// child filling the parent's client area with one. Null when it cannot. Key
// presses from the X server go to the window with the input focus; a test
// tells its saver's window by the process id in this title (the one its log
// lines carry) before it presses a key or moves the pointer. A full-screen
// window made `behind` is shown without being activated, so that whatever
// had the foreground keeps it, as when Windows refuses a saver the
// foreground. An `ordinary` one is another program's: overlapped, small,
// not top-most.
struct WindowKind {
    HWND parent = nullptr;
    const char* className = kSaverClass;
    bool behind = false;
    bool ordinary = false;
};

inline HWND CreateSaverWindow(HINSTANCE instance, WNDPROC procedure, const char* what,
                              WindowKind kind = {}) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kind.className;
    if (!RegisterClassA(&wc)) return nullptr;
    char title[128];
    std::snprintf(title, sizeof title, "%s pid %lu", what,
                  static_cast<unsigned long>(GetCurrentProcessId()));
    if (kind.parent) {
        RECT client;
        GetClientRect(kind.parent, &client);
        return CreateWindowExA(0, kind.className, title, WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                               client.bottom, kind.parent, nullptr, instance, nullptr);
    }
    if (kind.ordinary)
        return CreateWindowExA(0, kind.className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                               320, 240, nullptr, nullptr, instance, nullptr);
    const DWORD exStyle = WS_EX_TOPMOST | (kind.behind ? WS_EX_NOACTIVATE : 0);
    HWND window = CreateWindowExA(exStyle, kind.className, title,
                                  WS_POPUP | (kind.behind ? 0 : WS_VISIBLE), 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (window && kind.behind) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

// WM_PAINT: the client area in one colour and, when asked, the saver's own
// path written on it in white.
inline void Paint(HWND window, COLORREF colour, bool withPath) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    char path[MAX_PATH] = "";
    DWORD n = withPath ? GetModuleFileNameA(nullptr, path, sizeof path) : 0;
    if (n >= sizeof path) n = 0;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 40, 40, path, static_cast<int>(n));
    EndPaint(window, &paint);
}

// Makes the full-screen window the one that takes the user's input.
inline void TakeInput(HWND window) {
    SetForegroundWindow(window);
    SetFocus(window);
}

// Runs the thread's message loop until WM_QUIT.
inline void RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace frame
