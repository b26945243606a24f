// Input and the cursor: when the last input came, the cursor's position and
// shape, and imitated key presses.
//
//   constants  virtual keys and key-event flags, the arrow cursor
//   calls      GetLastInputInfo, GetCursorPos, SetCursorPos, keybd_event,
//              SetCursor, LoadCursorA
//
// Win32: src/platform/win32/input.cpp. Fake: tests/unit/fake/fake_input.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
// Keyboard
constexpr std::uint8_t kVkEscape = 0x1B;
constexpr std::uint32_t kKeyEventFKeyUp = 0x0002;

// Cursors
constexpr std::uintptr_t kIdcArrow = 32512;

// ---------------------------------------------------------------- calls
// The tick count of the last input event the system received, any program's,
// real or imitated (GetLastInputInfo). 0 when it could not be read.
std::int32_t GetLastInputInfo(std::uint32_t* tick);
std::int32_t GetCursorPos(Point* point);
std::int32_t SetCursorPos(std::int32_t x, std::int32_t y);
void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra);
Hcursor SetCursor(Hcursor cursor);
Hcursor LoadCursorA(Hmodule instance, std::uintptr_t id);

}  // namespace plat
