// The preview box of the display settings, reduced to what the hostile
// matrix asks of every row: a 152x112 parent window whose handle it passes
// to "SLUMBMIX.SCR /p <handle>"; it waits for the preview window to appear
// in it, destroys itself and reports how the program ended. The full
// preview checks are preview/preview_parent.cpp's; this one is quick.
//
//   hostile_parent.exe <SLUMBMIX.SCR>
//
// Output, one "name value" line each:
//   class <name>       the class of the parent's child window, or "none"
//   rect <l t r b>     its rectangle in the parent's client area
//   exit <code>        SLUMBMIX.SCR's exit code once the parent is gone,
//                      or "running" when it did not end within 10 s
// Exit code 0 when all three could be reported, 1 otherwise. Every wait is
// bounded.
#include <windows.h>

#include <cstdio>

namespace {

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

// The preview is created visible but 0x0 and maximized afterwards by a
// separate call, which another process can overtake: it counts as shown once
// it has a size.
bool Shown(HWND preview) {
    RECT rect;
    return IsWindowVisible(preview) && GetWindowRect(preview, &rect) && !IsRectEmpty(&rect);
}

HWND WaitForPreview(HWND parent, HANDLE process) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 20000) {
        HWND preview = FindWindowExA(parent, nullptr, nullptr, nullptr);
        if (preview && Shown(preview)) return preview;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
        PumpFor(20);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: hostile_parent.exe <SLUMBMIX.SCR>\n");
        return 1;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "SlumbermixHostileParent";
    if (!RegisterClassA(&wc)) return 1;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN;
    RECT frame = {0, 0, 152, 112};
    AdjustWindowRect(&frame, style, FALSE);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "Hostile parent", style, 100, 100,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (!parent) return 1;

    char command[1024];
    std::snprintf(command, sizeof command, "\"%s\" /p %lld", argv[1],
                  static_cast<long long>(reinterpret_cast<INT_PTR>(parent)));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::printf("cannot start %s\n", command);
        return 1;
    }
    CloseHandle(pi.hThread);

    HWND preview = WaitForPreview(parent, pi.hProcess);
    if (preview) {
        char name[64] = "";
        GetClassNameA(preview, name, sizeof name);
        RECT rect;
        GetWindowRect(preview, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        std::printf("class %s\nrect %ld %ld %ld %ld\n", name, rect.left, rect.top, rect.right,
                    rect.bottom);
    } else {
        std::printf("class none\n");
    }
    std::fflush(stdout);

    DestroyWindow(parent);
    DWORD wait = WAIT_TIMEOUT;
    for (int i = 0; i < 250 && wait == WAIT_TIMEOUT; ++i) {
        PumpFor(10);
        wait = WaitForSingleObject(pi.hProcess, 30);
    }
    bool complete = preview != nullptr;
    if (wait == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        std::printf("exit %lu\n", static_cast<unsigned long>(code));
    } else {
        std::printf("exit running\n");
        TerminateProcess(pi.hProcess, 99);
        complete = false;
    }
    CloseHandle(pi.hProcess);
    return complete ? 0 : 1;
}
