// Looks at a sample screen saver from the outside, for the samples test:
//
//   sample_host window           the top-level "WindowsScreenSaverClass"
//                                window: "found <pid> popup=<0|1>
//                                topmost=<0|1> visible=<0|1> <x> <y> <w> <h>";
//                                exit code 1 when there is none
//   sample_host close            posts it WM_CLOSE: "posted <pid>"
//   sample_host preview <scr> <ms>
//                                makes a 320x240 parent window, starts
//                                "<scr>" /p <parent>, waits for a visible
//                                child window of the class in it, keeps it <ms>
//                                milliseconds, destroys the parent and waits
//                                for the saver to end; prints each step
//
// A console program, so that what it prints reaches the test.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

constexpr char kSaverClass[] = "WindowsScreenSaverClass";

// The saver's full-screen window and the process it belongs to; prints
// "none" when there is no such window.
HWND FindSaverWindow(DWORD* pid) {
    HWND window = FindWindowA(kSaverClass, nullptr);
    *pid = 0;
    if (window) {
        GetWindowThreadProcessId(window, pid);
    } else {
        printf("none\n");
    }
    return window;
}

int ShowWindowFacts() {
    DWORD pid;
    HWND window = FindSaverWindow(&pid);
    if (!window) return 1;
    LONG style = GetWindowLongA(window, GWL_STYLE);
    LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    RECT rect;
    GetWindowRect(window, &rect);
    printf("found %lu popup=%d topmost=%d visible=%d %ld %ld %ld %ld\n", pid,
           (style & WS_POPUP) != 0, (exStyle & WS_EX_TOPMOST) != 0, IsWindowVisible(window) != 0,
           rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

int PostClose() {
    DWORD pid;
    HWND window = FindSaverWindow(&pid);
    if (!window) return 1;
    PostMessageA(window, WM_CLOSE, 0, 0);
    printf("posted %lu\n", pid);
    return 0;
}

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

int RunPreview(const char* saver, DWORD keepMs) {
    WNDCLASSA parentClass = {};
    parentClass.lpfnWndProc = DefWindowProcA;
    parentClass.hInstance = GetModuleHandleA(nullptr);
    parentClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    parentClass.lpszClassName = "SampleHostParent";
    RegisterClassA(&parentClass);
    HWND parent = CreateWindowExA(0, parentClass.lpszClassName, "preview", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 320,
                                  240, nullptr, nullptr, parentClass.hInstance, nullptr);
    if (!parent) {
        printf("no parent window\n");
        return 1;
    }
    char command[MAX_PATH * 2];
    wsprintfA(command, "\"%s\" /p %lu", saver, static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(parent)));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        printf("could not start %s\n", command);
        return 1;
    }
    CloseHandle(process.hThread);

    int status = 0;
    HWND child = nullptr;
    for (int i = 0; i < 500 && !(child && IsWindowVisible(child)); ++i) {  // up to 10 s
        Pump(20);
        child = FindWindowExA(parent, nullptr, kSaverClass, nullptr);
    }
    if (child) {
        RECT rect;
        GetClientRect(child, &rect);
        printf("child %ldx%ld visible=%d\n", rect.right, rect.bottom, IsWindowVisible(child) != 0);
        Pump(keepMs);
    } else {
        printf("no child window\n");
        status = 1;
    }
    DestroyWindow(parent);
    DWORD waited = WAIT_TIMEOUT;
    for (int i = 0; i < 250 && waited == WAIT_TIMEOUT; ++i) {  // up to 5 s
        Pump(20);
        waited = WaitForSingleObject(process.hProcess, 0);
    }
    if (waited == WAIT_OBJECT_0) {
        printf("ended with the parent\n");
    } else {
        printf("still running after the parent went\n");
        TerminateProcess(process.hProcess, 1);
        status = 1;
    }
    CloseHandle(process.hProcess);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc == 2 && strcmp(argv[1], "window") == 0) return ShowWindowFacts();
    if (argc == 2 && strcmp(argv[1], "close") == 0) return PostClose();
    if (argc == 4 && strcmp(argv[1], "preview") == 0)
        return RunPreview(argv[2], static_cast<DWORD>(strtoul(argv[3], nullptr, 10)));
    fprintf(stderr, "usage: sample_host window | close | preview <scr> <ms>\n");
    return 2;
}
