// The yardstick for the player's change-over: the same close-and-start done
// with nothing around it. For each of the given savers in turn it starts the
// saver the way the launcher does (quoted path and " /s", its folder as
// working directory, idle priority), lets it play for the settle time,
// finds its window and posts WM_CLOSE to it, waits for the process to end,
// and at once starts the next one. The savers' own logs then give the gap from one
// saver's exit to the next one's start, to be set against the player's.
//
//   bare_changeover <settle ms> <saver path>...
//
// Exit code 0 when every saver started, closed and ended; 1 otherwise, 2
// without arguments.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>


namespace {

HANDLE Launch(const char* path) {
    char commandLine[520];
    char directory[MAX_PATH];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" /s", path);
    std::snprintf(directory, sizeof directory, "%s\\..", path);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE,
                        IDLE_PRIORITY_CLASS | CREATE_SEPARATE_WOW_VDM, nullptr, directory,
                        &startup, &info))
        return nullptr;
    CloseHandle(info.hThread);
    return info.hProcess;
}

// Gives the saver the settle time to make its window, then finds it as the
// player does; only a saver slower than that is looked for again.
HWND FindSaverWindow(HANDLE process, DWORD settle) {
    if (WaitForSingleObject(process, settle) != WAIT_TIMEOUT) return nullptr;
    for (int i = 0; i < 100; ++i) {  // 10 s more at most
        HWND window = FindWindowA("WindowsScreenSaverClass", nullptr);
        if (window) return window;
        if (WaitForSingleObject(process, 100) != WAIT_TIMEOUT) return nullptr;
    }
    return nullptr;
}

}  // namespace

// A GUI program like SLUMBMIX.SCR, so that its children start in the same
// surroundings; its arguments come from the C runtime's copy.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const int argc = __argc;
    char** const argv = __argv;
    if (argc < 3) return 2;
    const DWORD settle = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
    HANDLE running = Launch(argv[2]);
    if (!running) return 1;
    for (int next = 3;; ++next) {
        HWND window = FindSaverWindow(running, settle);
        if (!window) return 1;
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(running, 10000) != WAIT_OBJECT_0) return 1;
        CloseHandle(running);
        if (next >= argc) return 0;
        running = Launch(argv[next]);
        if (!running) return 1;
    }
}
