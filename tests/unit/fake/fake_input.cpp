#include "fake/fake_input.h"

namespace plat {
using fake::input;
using fake::Record;

std::int32_t GetCursorPos(Point* point) {
    Record("GetCursorPos");
    if (!input.cursorReadable) return 0;
    *point = input.cursor;
    return 1;
}

std::int32_t SetCursorPos(std::int32_t x, std::int32_t y) {
    Record("SetCursorPos", x, y);
    input.cursor = {x, y};
    return 1;
}

void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) {
    Record("keybd_event", vk, scan, flags, extra);
}

std::int32_t GetLastInputInfo(std::uint32_t* tick) {
    Record("GetLastInputInfo");
    const std::uint64_t last =
        fake::NextAnswer(input.lastInput, std::uint64_t{input.lastInputAnswer} + 1u);
    if (last > 0xFFFFFFFFu) return 0;
    input.lastInputAnswer = static_cast<std::uint32_t>(last);
    *tick = input.lastInputAnswer;
    return 1;
}

Hcursor SetCursor(Hcursor cursor) { return fake::Answer(nullptr, "SetCursor", cursor); }

Hcursor LoadCursorA(Hmodule instance, std::uintptr_t id) {
    Record("LoadCursorA", instance, id);
    return !instance && id == kIdcArrow ? input.arrow : fake::Token(200 + id);
}

}  // namespace plat
