// Stands in for the display settings' preview box in the end-to-end tests:
// a top-level window whose client area is 152x112 pixels, whose handle it
// passes to "<program> /p <handle>". It then looks at the preview window
// from outside, as the system's screen saver host would, destroys its own
// window and reports how the program ended. With --quick it only reports
// the window and the end (what the hostile matrix asks of every row, and
// what a test saver's and a sample's preview are checked by). With --top it
// looks instead at a screen saver running full-screen.
//
//   preview_parent.exe [--quick] <program>
//   preview_parent.exe --top     the top-level "WindowsScreenSaverClass"
//                                window: "found <pid> popup=<0|1>
//                                topmost=<0|1> visible=<0|1> <x> <y> <w> <h>",
//                                or "none" and exit code 1
//
// Output, one "name=value" line per finding:
//   parent-client                       its own client area, "152 112"
//   class, style, exstyle, text, rect   the program's child window (rect in
//                                       the parent's client coordinates;
//                                       --quick: class and rect only), or
//                                       "class=none" if none appeared
//   alive-after-input                   1 when keys, clicks, Alt keys and
//                                       loss of activation sent to it left
//                                       it open
//   alive-after-syscommand              1 when SC_CLOSE and SC_SCREENSAVE
//                                       were swallowed ("unsettled", for
//                                       either, when it took them without
//                                       answering the mark behind them)
//   contextmenu-result                  what WM_CONTEXTMENU returned
//   contextmenu-forwarded               "<wParam> <lParam>" of the
//                                       WM_CONTEXTMENU the parent then got,
//                                       with "parent" for its own handle
//   exit                                the program's exit code after the
//                                       parent was destroyed, "running" if
//                                       it did not end within 10 s
// It ends with 0 when it could run the whole sequence, 1 otherwise. Every
// wait is bounded.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kClientWidth = 152;
constexpr int kClientHeight = 112;

HWND g_parent = nullptr;
bool g_forwarded = false;
WPARAM g_forwardedWParam = 0;
LPARAM g_forwardedLParam = 0;

void Say(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fflush(stdout);
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONTEXTMENU) {
        g_forwarded = true;
        g_forwardedWParam = wParam;
        g_forwardedLParam = lParam;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Runs the parent's message loop for a while.
void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

// The preview is created visible but 0x0 and maximized afterwards by a
// separate call, which another process can overtake: it counts as shown once
// it has a size.
bool Shown(HWND preview) {
    RECT rect;
    return IsWindowVisible(preview) && GetWindowRect(preview, &rect) && !IsRectEmpty(&rect);
}

// The parent's child window once it is shown, or null after 30 s. Any
// class: a wrong one is reported, not waited out.
HWND WaitForPreview(HANDLE process) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 30000) {
        HWND preview = FindWindowExA(g_parent, nullptr, nullptr, nullptr);
        if (preview && Shown(preview)) return preview;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
        PumpFor(50);
    }
    return nullptr;
}

void Describe(HWND preview, bool quick) {
    char name[64] = "";
    GetClassNameA(preview, name, sizeof name);
    Say("class=%s\n", name);
    if (!quick) {
        Say("style=%08lx\n", static_cast<unsigned long>(GetWindowLongA(preview, GWL_STYLE)));
        Say("exstyle=%08lx\n", static_cast<unsigned long>(GetWindowLongA(preview, GWL_EXSTYLE)));
        char text[64] = "";
        GetWindowTextA(preview, text, sizeof text);
        Say("text=%s\n", text);
    }
    RECT rect;
    GetWindowRect(preview, &rect);
    MapWindowPoints(nullptr, g_parent, reinterpret_cast<POINT*>(&rect), 2);
    Say("rect=%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
}

// Whether the preview is still there once it has taken every message posted
// to it so far, and whatever taking them made it post itself. A context
// menu request posted behind them is a mark the preview posts on to this
// parent (as the test below checks it does), so its arrival says the
// preview got that far: the mark is waited for twice, 5 s at most each.
// "unsettled" when a mark did not come back while the window lived.
const char* AliveOnceSettled(HWND preview) {
    for (LPARAM mark = MAKELPARAM(1, 1); mark <= MAKELPARAM(2, 2); mark += MAKELPARAM(1, 1)) {
        g_forwarded = false;
        PostMessageA(preview, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(preview), mark);
        for (const DWORD start = GetTickCount(); !(g_forwarded && g_forwardedLParam == mark);
             PumpFor(20)) {
            if (!IsWindow(preview)) return "0";
            if (GetTickCount() - start > 5000) return "unsettled";
        }
    }
    g_forwarded = false;
    return IsWindow(preview) ? "1" : "0";
}

void Provoke(HWND preview) {
    const UINT messages[][2] = {
        {WM_KEYDOWN, VK_SPACE}, {WM_SYSKEYDOWN, 'X'}, {WM_LBUTTONDOWN, MK_LBUTTON},
        {WM_RBUTTONDOWN, MK_RBUTTON}, {WM_MBUTTONDOWN, MK_MBUTTON}, {WM_ACTIVATEAPP, 0},
    };
    for (const auto& m : messages) PostMessageA(preview, m[0], m[1], MAKELPARAM(10, 10));
    Say("alive-after-input=%s\n", AliveOnceSettled(preview));

    SendMessageA(preview, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(preview, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    Say("alive-after-syscommand=%s\n", AliveOnceSettled(preview));

    const LPARAM where = MAKELPARAM(120, 130);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(preview, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(preview), where,
                        SMTO_ABORTIFHUNG, 5000, &result);
    Say("contextmenu-result=%lld\n", static_cast<long long>(result));
    for (int i = 0; i < 50 && !g_forwarded; ++i) PumpFor(20);
    if (!g_forwarded) {
        Say("contextmenu-forwarded=none\n");
    } else if (g_forwardedWParam == reinterpret_cast<WPARAM>(g_parent)) {
        Say("contextmenu-forwarded=parent %lld\n", static_cast<long long>(g_forwardedLParam));
    } else {
        Say("contextmenu-forwarded=%llu %lld\n",
            static_cast<unsigned long long>(g_forwardedWParam),
            static_cast<long long>(g_forwardedLParam));
    }
}

int DescribeTop() {
    HWND window = FindWindowA("WindowsScreenSaverClass", nullptr);
    if (!window) {
        Say("none\n");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    RECT rect;
    GetWindowRect(window, &rect);
    Say("found %lu popup=%d topmost=%d visible=%d %ld %ld %ld %ld\n",
        static_cast<unsigned long>(pid), (style & WS_POPUP) != 0,
        (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, IsWindowVisible(window) != 0,
        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--top") == 0) return DescribeTop();
    const bool quick = argc == 3 && std::strcmp(argv[1], "--quick") == 0;
    if (argc != (quick ? 3 : 2)) {
        Say("usage: preview_parent.exe [--quick] <program> | --top\n");
        return 1;
    }
    const char* program = argv[argc - 1];
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "SlumbermixPreviewParent";
    if (!RegisterClassA(&wc)) return 1;

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    g_parent = CreateWindowExA(0, wc.lpszClassName, "Preview parent", style, 100, 100,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr,
                               nullptr, instance, nullptr);
    if (!g_parent) return 1;
    PumpFor(100);
    RECT client;
    GetClientRect(g_parent, &client);
    Say("parent-client=%ld %ld\n", client.right, client.bottom);

    char command[1024];
    std::snprintf(command, sizeof command, "\"%s\" /p %lld", program,
                  static_cast<long long>(reinterpret_cast<INT_PTR>(g_parent)));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        Say("cannot start %s: error %lu\n", command, static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    CloseHandle(pi.hThread);

    HWND preview = WaitForPreview(pi.hProcess);
    bool complete = preview != nullptr;
    if (preview) {
        Describe(preview, quick);
        if (!quick) Provoke(preview);
    } else {
        Say("class=none\n");
    }

    DestroyWindow(g_parent);
    DWORD wait = WAIT_TIMEOUT;
    for (int i = 0; i < 200 && wait == WAIT_TIMEOUT; ++i) {
        PumpFor(20);
        wait = WaitForSingleObject(pi.hProcess, 30);
    }
    if (wait == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        Say("exit=%lu\n", static_cast<unsigned long>(code));
    } else {
        Say("exit=running\n");
        TerminateProcess(pi.hProcess, 99);
        complete = false;
    }
    CloseHandle(pi.hProcess);
    return complete ? 0 : 1;
}
