// The fake of platform/window.h. Scripted state for windows, the message
// loop and painting.
//
// One window at a time: RegisterClassA remembers the procedure, and
// CreateWindowExA, DispatchMessageA and DefWindowProcA call it the way the
// system would (WM_CREATE during creation; WM_DESTROY when DefWindowProcA
// handles WM_CLOSE). Messages sent to a dialog's controls, and the enabling
// of controls, act on the controls of fake_dialog.h.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "fake/fake.h"
#include "platform/window.h"

namespace fake {

// A top-level window of some process, as EnumWindows and the calls about a
// window see it.
struct TopLevelWindow {
    plat::Hwnd window;
    std::uint32_t processId;
    bool visible = true;
};

struct WindowState {
    // Answers.
    std::uint16_t classAtom = 0xC123;               // RegisterClassA; 0 makes it fail
    plat::Hwnd created = Token(100);                // CreateWindowExA; null makes it fail
    plat::Rect client = {0, 0, 152, 112};           // GetClientRect
    plat::Hicon icon = Token(101);                  // LoadIconA
    plat::Hbrush blackBrush = Token(103);           // GetStockObject(BLACK_BRUSH)
    plat::Hdc paintDc = Token(104);                 // BeginPaint
    plat::LResult defResult = 0;                    // DefWindowProcA
    plat::Hwnd foreground = Token(900);             // GetForegroundWindow
    // FindWindowA answers in order; null (no such window) when empty.
    std::deque<plat::Hwnd> foundWindows;
    // The top-level windows, in the order EnumWindows gives them. A window
    // not listed is gone: it belongs to no process.
    std::vector<TopLevelWindow> topLevel;
    // Messages GetMessageA hands out, in order. When the queue runs dry the
    // loop gets WM_QUIT with wParam 0, so a test can never hang in it.
    std::deque<plat::Msg> queue;
    // PeekMessageA answers in order (non-zero: a message was taken); 0 when
    // empty. Sent messages are never scripted.
    std::deque<std::int32_t> peeks;

    // What the fake saw.
    plat::WindowProc proc = nullptr;  // the registered procedure
    std::string className;            // its class
    bool quitPosted = false;          // PostQuitMessage was called...
    std::int32_t quitCode = 0;        // ...with this exit code
    std::vector<plat::LResult> dispatched;  // DispatchMessageA's results, in order
};
inline Scripted<WindowState> window;

// Queues a message for the window CreateWindowExA answers with.
void QueueMessage(std::uint32_t message, plat::WParam wParam = 0, plat::LParam lParam = 0);

}  // namespace fake
