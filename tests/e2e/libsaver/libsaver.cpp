// A screen saver for the end-to-end tests that behaves like one built with
// the usual screen saver library, the kind most screen savers people have
// are: what it does with each option, when it closes, and above all which
// window its settings dialog belongs to.
//
// Build output: libsaver.exe; tests copy it to names ending in .scr. Its
// option is found as such savers find it: after the program's own name,
// blanks, an optional "/" or "-", then one letter in any case.
//
//   s          run: a full-screen, top-most popup window of class
//              "WindowsScreenSaverClass", titled "Library-style test saver
//              pid <process id>" (../testsaver/saver_frame.h). It closes on WM_CLOSE, a key, a
//              mouse button, a mouse move of more than kMoveThreshold
//              pixels from the first position it was told of, and on
//              losing activation (WM_ACTIVATEAPP or WM_ACTIVATE inactive).
//   p <hwnd>   preview: a child window filling <hwnd>'s client area, until
//              that window goes away. Input does not end it.
//   c:<hwnd>   settings: a modal dialog owned by <hwnd>.
//   c, none    settings: a modal dialog owned by the foreground window.
//              Making a dialog owned by a window of another thread sends
//              that thread messages: while it serves none, this saver
//              waits, and so does whoever waits for this saver.
//   other      (a, the password option, and the like) ends at once.
// A window handle is unsigned decimal, after blanks or a colon.
//
// Whatever it is doing, even stuck in a call that waits for another thread,
// it ends after SLUMBERMIX_TEST_CAP_MS milliseconds: a watchdog thread ends
// the process, so that a test can never leave it behind.
//
// Log (../testsaver/saver_frame.h), one line per event, in the order they can occur:
//   start, cmdline, cwd, priority           as every start (saver_frame.h)
//   behaviour library mode <run|preview|settings|other>
//   parent 0x<hwnd>                         preview: the window it was given
//   owner 0x<hwnd>                          settings: the owner it asks for
//   window 0x<hwnd> <width>x<height>        run and preview, once it exists
//   mouse <x> <y>                           run mode: the first position it
//                                           was told of, which moves are
//                                           measured from
//   WM_MOUSEMOVE <x> <y> <honoured|ignored> run mode: each later position
//                                           it is told of, and whether it
//                                           is beyond the threshold
//   dialog shown owner 0x<hwnd>             settings: the dialog is on screen
//                                           and this is its actual owner
//   WM_ACTIVATEAPP <0|1>                    run mode
//   WM_ACTIVATE <WA_ state>                 run mode
//   WM_CLOSE                                a WM_CLOSE from outside
//   exit <reason>                           last line: close, key, button,
//       move, deactivated, parent-gone, ok, cancel, cap, no-window,
//       no-parent, no-dialog, other-mode
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

#include "../testsaver/saver_frame.h"
#include "libsaver.h"

namespace {

constexpr int kMoveThreshold = 4;  // pixels on either axis
constexpr UINT_PTR kParentTimer = 1;
constexpr UINT kParentPollMs = 200;

enum class Mode { Run, Preview, Settings, Other };
constexpr const char* kModeNames[] = {"run", "preview", "settings", "other"};

struct SaverState {
    Mode mode;
    HWND parent;
    bool mouseKnown;
    POINT firstMouse;
    POINT lastMouse;
    const char* exitReason;
    bool dialogShown;
};

SaverState g_saver;

constexpr auto Log = frame::Write;

using frame::HandleValue;

Mode ModeOf(char letter) {
    switch (letter) {
        case 's': return Mode::Run;
        case 'p': return Mode::Preview;
        case 'c':
        case 0: return Mode::Settings;
        default: return Mode::Other;
    }
}

// ------------------------------------------------------------------ the window

// The first cause wins; WM_CLOSE then takes the window down as any close.
void Close(HWND window, const char* reason) {
    if (g_saver.exitReason) return;
    g_saver.exitReason = reason;
    PostMessageA(window, WM_CLOSE, 0, 0);
}

bool MovedFar(LPARAM lParam) {
    const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!g_saver.mouseKnown) {  // the first report only says where the pointer rests
        g_saver.mouseKnown = true;
        g_saver.firstMouse = g_saver.lastMouse = at;
        Log("mouse %ld %ld", at.x, at.y);
        return false;
    }
    const bool beyond = std::abs(at.x - g_saver.firstMouse.x) > kMoveThreshold ||
                        std::abs(at.y - g_saver.firstMouse.y) > kMoveThreshold;
    // A report of the same place again is no move.
    if (at.x != g_saver.lastMouse.x || at.y != g_saver.lastMouse.y)
        Log("WM_MOUSEMOVE %ld %ld %s", at.x, at.y, beyond ? "honoured" : "ignored");
    g_saver.lastMouse = at;
    return beyond;
}

LRESULT CALLBACK SaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // What only the full-screen window answers; the rest goes on to the
    // common handling.
    if (g_saver.mode == Mode::Run) {
        switch (message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN: Close(window, "key"); return 0;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN: Close(window, "button"); return 0;
            case WM_MOUSEMOVE:
                if (MovedFar(lParam)) Close(window, "move");
                return 0;
            case WM_ACTIVATEAPP:
                Log("WM_ACTIVATEAPP %d", wParam ? 1 : 0);
                if (!wParam) Close(window, "deactivated");
                return 0;
            case WM_ACTIVATE:
                Log("WM_ACTIVATE %u", static_cast<unsigned>(LOWORD(wParam)));
                if (LOWORD(wParam) == WA_INACTIVE) Close(window, "deactivated");
                return 0;
            case WM_SETCURSOR: SetCursor(nullptr); return TRUE;
            case WM_SYSCOMMAND:
                // Already the screen saver: neither a second start nor the
                // system menu's close applies.
                if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE) return 0;
                break;
            default: break;
        }
    }
    switch (message) {
        case WM_CLOSE:
            if (!g_saver.exitReason) {
                g_saver.exitReason = "close";
                Log("WM_CLOSE");
            }
            DestroyWindow(window);
            return 0;
        case WM_TIMER:
            // The parent lives in another process: its end may not reach
            // this window as a WM_DESTROY of its own.
            if (wParam == kParentTimer && !IsWindow(g_saver.parent)) DestroyWindow(window);
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: frame::Paint(window, RGB(0, 96, 96), false); return 0;
        case WM_DESTROY:
            if (!g_saver.exitReason) g_saver.exitReason = "parent-gone";
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

const char* RunWindow(HINSTANCE instance, const frame::Option& option) {
    if (g_saver.mode == Mode::Preview) {
        Log("parent 0x%llx", HandleValue(option.window));
        if (!IsWindow(option.window)) return "no-parent";
        g_saver.parent = option.window;
    }
    HWND window = frame::CreateSaverWindow(instance, SaverProc, "Library-style test saver",
                                           {g_saver.parent});
    if (!window) return "no-window";
    RECT rect;
    GetWindowRect(window, &rect);
    Log("window 0x%llx %ldx%ld", HandleValue(window), rect.right - rect.left,
        rect.bottom - rect.top);
    if (g_saver.mode == Mode::Run)
        frame::TakeInput(window);
    else
        SetTimer(window, kParentTimer, kParentPollMs, nullptr);
    frame::RunMessageLoop();
    return g_saver.exitReason ? g_saver.exitReason : "close";
}

// ------------------------------------------------------------------ the settings dialog

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_SHOWWINDOW:
            if (wParam && !g_saver.dialogShown) {
                g_saver.dialogShown = true;
                Log("dialog shown owner 0x%llx", HandleValue(GetWindow(dialog, GW_OWNER)));
            }
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

const char* RunSettings(HINSTANCE instance, const frame::Option& option) {
    HWND owner = option.windowGiven ? option.window : GetForegroundWindow();
    Log("owner 0x%llx", HandleValue(owner));
    const INT_PTR ended = DialogBoxParamA(instance, MAKEINTRESOURCEA(kSettingsDialog), owner,
                                          SettingsProc, 0);
    return ended == IDOK ? "ok" : ended == IDCANCEL ? "cancel" : "no-dialog";
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char modulePath[MAX_PATH];
    const frame::Option option = frame::ParseOption(frame::LogStart(modulePath));
    g_saver.mode = ModeOf(option.letter);
    Log("behaviour library mode %s", kModeNames[static_cast<int>(g_saver.mode)]);
    frame::StartCapWatchdog();

    const char* reason = "other-mode";
    switch (g_saver.mode) {
        case Mode::Run:
        case Mode::Preview: reason = RunWindow(instance, option); break;
        case Mode::Settings: reason = RunSettings(instance, option); break;
        case Mode::Other: break;
    }
    Log("exit %s", reason);
    return 0;
}
