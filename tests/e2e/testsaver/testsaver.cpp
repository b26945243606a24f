// A screen saver for the end-to-end tests: it behaves like a simple real
// saver and writes down everything a test needs to see.
//
// Build output: testsaver.exe. Tests copy it to names ending in .scr; the
// copy's own file name chooses its behaviour by the first keyword it
// contains (case does not matter), looked for in this order:
//
//   bystander  not a saver: another program's ordinary window, in any
//           mode. It takes the foreground, logs every key and button it
//           gets, ignores them, and ends on WM_CLOSE.
//   hung    once its window has appeared, stops answering: its thread
//           sleeps until the cap, so only being ended stops it sooner.
//   exit    ends at once, in every mode, without making a window.
//   crash   in run mode, kCrashAfterMs after its start, writes to a
//           read-only page: an access violation nothing handles, so the
//           system ends it with the exception status as its exit code. It
//           makes no window: under Wine a window appearing under the pointer
//           counts as input for GetLastInputInfo, which the player would
//           take for the user's. Other modes as "close".
//   escape  ends only on WM_KEYDOWN with VK_ESCAPE; ignores WM_CLOSE, other
//           keys, mouse buttons and movement.
//   input   ignores WM_CLOSE; ends on any key press, mouse button or mouse
//           movement beyond the threshold.
//   close   ends on WM_CLOSE, and on input like "input".
//   (none)  same as close.
//
// Two more words in the name change the run-mode window, whatever the
// behaviour:
//   ownclass  its class is "Slumbermix test saver class", as savers not
//           built on the usual screen saver library have classes of their
//           own.
//   behind  it is shown without taking the foreground (as when Windows
//           refuses it), and logs "foreground 0x<hwnd>": the window that
//           holds it.
//
// Modes, chosen from its own command line as a screen saver would (program
// path, blanks, an optional "/" or "-", then the letter):
//   S        run: one full-screen, top-most top-level window, of class
//            "WindowsScreenSaverClass", titled "Slumbermix test saver
//            (<keyword>) pid <process id>" (saver_frame.h), painted in the
//            behaviour's colour with its file name; it ends as its
//            behaviour says.
//   anything else (settings "", "/c", preview "/p <hwnd>", ...): it logs
//            and ends after kOtherModeMs, making no window.
// Whatever happens, it ends by itself after SLUMBERMIX_TEST_CAP_MS
// milliseconds (default 120000), so a test can never leave it behind.
//
// Log (saver_frame.h), one line per event, in the order they can occur:
//   start, cmdline, cwd, priority    as every start (saver_frame.h); the
//            priority e.g. 0x40 for IDLE_PRIORITY_CLASS
//   behaviour <keyword> mode <run|other>
//   window 0x<hwnd> <width>x<height> run mode (and bystander) only, once
//            the window exists and has been made the foreground window
//            (behind: shown); its size as GetWindowRect gives it
//   foreground 0x<hwnd>             behind only: the foreground window
//            once its own window is shown
//   hung asleep                      hung only: from here on it answers
//            nothing
//   mouse <x> <y>                    where moves are measured from: the
//            cursor's position when the window appeared, or at the first
//            move when it could not be read then (run mode only)
//   WM_CLOSE honoured|ignored
//   WM_KEYDOWN|WM_SYSKEYDOWN|WM_KEYUP|WM_SYSKEYUP 0x<wParam> lParam=0x<..>
//            extra=0x<GetMessageExtraInfo> honoured|ignored
//   WM_LBUTTONDOWN|WM_RBUTTONDOWN|WM_MBUTTONDOWN <x> <y> honoured|ignored
//   WM_MOUSEMOVE <x> <y> honoured|ignored   (only beyond kMoveThreshold
//            pixels from the last position noted)
//   WM_ACTIVATEAPP <0|1>
//   crash access-violation           (crash only) just before it crashes;
//            no exit line follows
//   exit <reason>                    last line: immediate, close, key,
//            button, move, cap, other-mode, no-window
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "saver_frame.h"

namespace {

constexpr DWORD kOtherModeMs = 500;
constexpr int kMoveThreshold = 3;  // pixels on either axis
// Longer than a player's shortest play (2 s), so that only its exit code
// tells the crash from an end.
constexpr DWORD kCrashAfterMs = 3000;

enum class Behaviour { Close, Input, Escape, Exit, Crash, Hung, Bystander };

struct SaverState {
    Behaviour behaviour;
    const char* keyword;
    COLORREF colour;  // of its full-screen window
    POINT lastMouse;
    bool mouseKnown;
    const char* exitReason;
    frame::WindowKind window;
};

SaverState g_saver;

constexpr auto Log = frame::Write;

void ChooseBehaviour(const char* modulePath) {
    const char* name = modulePath;
    for (const char* p = modulePath; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    char lower[MAX_PATH];
    lstrcpynA(lower, name, sizeof lower);
    CharLowerA(lower);

    struct Keyword {
        const char* text;
        Behaviour behaviour;
        COLORREF colour;
    };
    static const Keyword keywords[] = {{"bystander", Behaviour::Bystander, RGB(128, 128, 128)},
                                       {"hung", Behaviour::Hung, RGB(96, 0, 96)},
                                       {"exit", Behaviour::Exit, RGB(96, 96, 96)},
                                       {"crash", Behaviour::Crash, RGB(96, 96, 96)},
                                       {"escape", Behaviour::Escape, RGB(160, 0, 0)},
                                       {"input", Behaviour::Input, RGB(0, 128, 0)},
                                       {"close", Behaviour::Close, RGB(0, 0, 160)}};
    g_saver = {Behaviour::Close, "close", RGB(0, 0, 160), {}, false, nullptr, {}};
    for (const Keyword& k : keywords) {
        if (std::strstr(lower, k.text)) {
            g_saver = {k.behaviour, k.text, k.colour, {}, false, nullptr, {}};
            break;
        }
    }
    if (std::strstr(lower, "ownclass")) g_saver.window.className = "Slumbermix test saver class";
    g_saver.window.behind = std::strstr(lower, "behind") != nullptr;
    if (g_saver.behaviour == Behaviour::Bystander) {
        g_saver.window.className = "Slumbermix test bystander";
        g_saver.window.ordinary = true;
    }
}

void End(HWND window, const char* reason) {
    if (!g_saver.exitReason) g_saver.exitReason = reason;
    DestroyWindow(window);
}

bool EndsOnInput() {
    return g_saver.behaviour == Behaviour::Close || g_saver.behaviour == Behaviour::Input;
}

// A write to a read-only page of its own faults on every system (Wine leaves
// address 0 writable); the pointer is read from a volatile so the compiler
// cannot drop the write.
void Crash() {
    Log("crash access-violation");
    int* volatile readOnly = static_cast<int*>(
        VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READONLY));
    *readOnly = 1;
}

const char* Verdict(bool honoured) { return honoured ? "honoured" : "ignored"; }

void OnKey(HWND window, UINT message, WPARAM key, LPARAM lParam) {
    const char* name = message == WM_KEYDOWN      ? "WM_KEYDOWN"
                       : message == WM_SYSKEYDOWN ? "WM_SYSKEYDOWN"
                       : message == WM_KEYUP      ? "WM_KEYUP"
                                                  : "WM_SYSKEYUP";
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool honoured = (down && EndsOnInput()) ||
                          (message == WM_KEYDOWN && key == VK_ESCAPE &&
                           g_saver.behaviour == Behaviour::Escape);
    Log("%s 0x%02lx lParam=0x%08lx extra=0x%08lx %s", name, static_cast<unsigned long>(key),
        static_cast<unsigned long>(lParam), static_cast<unsigned long>(GetMessageExtraInfo()),
        Verdict(honoured));
    if (honoured) End(window, "key");
}

void OnButton(HWND window, const char* name, LPARAM lParam) {
    const bool honoured = EndsOnInput();
    Log("%s %d %d %s", name, static_cast<short>(LOWORD(lParam)),
        static_cast<short>(HIWORD(lParam)), Verdict(honoured));
    if (honoured) End(window, "button");
}

// Movement is measured from where the cursor was when the window appeared,
// then from the last position logged, on the screen's own coordinates.
void OnMouseMove(HWND window) {
    POINT now;
    if (!GetCursorPos(&now)) return;
    if (!g_saver.mouseKnown) {
        g_saver.lastMouse = now;
        g_saver.mouseKnown = true;
        Log("mouse %ld %ld", now.x, now.y);
        return;
    }
    if (std::abs(now.x - g_saver.lastMouse.x) <= kMoveThreshold &&
        std::abs(now.y - g_saver.lastMouse.y) <= kMoveThreshold)
        return;
    g_saver.lastMouse = now;
    const bool honoured = EndsOnInput();
    Log("WM_MOUSEMOVE %ld %ld %s", now.x, now.y, Verdict(honoured));
    if (honoured) End(window, "move");
}

LRESULT CALLBACK SaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE: {
            const bool honoured = g_saver.behaviour == Behaviour::Close ||
                                  g_saver.behaviour == Behaviour::Bystander;
            Log("WM_CLOSE %s", Verdict(honoured));
            if (honoured) End(window, "close");
            return 0;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: OnKey(window, message, wParam, lParam); return 0;
        case WM_LBUTTONDOWN: OnButton(window, "WM_LBUTTONDOWN", lParam); return 0;
        case WM_RBUTTONDOWN: OnButton(window, "WM_RBUTTONDOWN", lParam); return 0;
        case WM_MBUTTONDOWN: OnButton(window, "WM_MBUTTONDOWN", lParam); return 0;
        case WM_MOUSEMOVE: OnMouseMove(window); return 0;
        case WM_ACTIVATEAPP: Log("WM_ACTIVATEAPP %d", wParam ? 1 : 0); return 0;
        case WM_SETCURSOR: SetCursor(nullptr); return TRUE;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: frame::Paint(window, g_saver.colour, true); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

int RunWindow(HINSTANCE instance) {
    char what[48];
    std::snprintf(what, sizeof what, "Slumbermix test saver (%s)", g_saver.keyword);
    HWND window = frame::CreateSaverWindow(instance, SaverProc, what, g_saver.window);
    if (!window) {
        Log("exit no-window");
        return 0;
    }
    g_saver.mouseKnown = GetCursorPos(&g_saver.lastMouse) != 0;
    frame::StartCapWatchdog();
    if (!g_saver.window.behind) frame::TakeInput(window);
    // Only now does the window take input as a test means it: the log says
    // so, and where moves are measured from.
    RECT rect;
    GetWindowRect(window, &rect);
    Log("window 0x%llx %ldx%ld", frame::HandleValue(window), rect.right - rect.left,
        rect.bottom - rect.top);
    if (g_saver.window.behind)
        Log("foreground 0x%llx", frame::HandleValue(GetForegroundWindow()));
    if (g_saver.mouseKnown) Log("mouse %ld %ld", g_saver.lastMouse.x, g_saver.lastMouse.y);
    if (g_saver.behaviour == Behaviour::Hung) {
        Log("hung asleep");
        Sleep(INFINITE);
    }
    frame::RunMessageLoop();
    Log("exit %s", g_saver.exitReason ? g_saver.exitReason : "close");
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char modulePath[MAX_PATH];
    const bool runMode = frame::ParseOption(frame::LogStart(modulePath)).letter == 's';
    ChooseBehaviour(modulePath);
    Log("behaviour %s mode %s", g_saver.keyword, runMode ? "run" : "other");

    if (g_saver.behaviour == Behaviour::Exit) {
        Log("exit immediate");
        return 0;
    }
    if (g_saver.behaviour == Behaviour::Crash && runMode) {
        Sleep(kCrashAfterMs);
        Crash();
    }
    if (!runMode && g_saver.behaviour != Behaviour::Bystander) {
        Sleep(kOtherModeMs);
        Log("exit other-mode");
        return 0;
    }
    return RunWindow(instance);
}
