// The fake of platform/input.h. Scripted state for the last input, the
// cursor and imitated keys.
#pragma once

#include <deque>

#include "fake/fake.h"
#include "platform/input.h"

namespace fake {

struct InputState {
    // GetCursorPos answers with `cursor` while the position is readable;
    // SetCursorPos moves it, as the system would.
    bool cursorReadable = true;
    plat::Point cursor = {100, 200};
    plat::Hcursor arrow = Token(102);  // LoadCursorA(NULL, IDC_ARROW)
    // GetLastInputInfo answers in order; when empty, a tick one later than
    // its last answer, as if the user touched something between any two
    // looks. An answer above 0xFFFFFFFF makes it fail.
    std::deque<std::uint64_t> lastInput;
    std::uint32_t lastInputAnswer = 0;
};
inline Scripted<InputState> input;

}  // namespace fake
