// Scripted state for the cursor, imitated input and the window search.
#pragma once

#include <deque>

#include "fake/fake.h"

namespace fake {

struct InputState {
    // GetCursorPos answers with `cursor` while the position is readable;
    // SetCursorPos moves it, as the system would.
    bool cursorReadable = true;
    plat::Point cursor = {100, 200};
    // FindWindowA answers in order; null (no such window) when empty.
    std::deque<plat::Hwnd> foundWindows;
    plat::Hwnd foreground = Token(900);
    // GetLastInputInfo answers in order; when empty, a tick one later than
    // its last answer, as if the user touched something between any two
    // looks. An answer above 0xFFFFFFFF makes it fail.
    std::deque<std::uint64_t> lastInput;
    std::uint32_t lastInputAnswer = 0;
};
extern InputState input;

}  // namespace fake
