// Input and the cursor.
#include "platform/input.h"
#include "platform/win32/win32.h"

namespace plat {
using win32::As;

std::int32_t GetCursorPos(Point* point) {
    POINT p;
    BOOL ok = ::GetCursorPos(&p);
    if (ok) {
        point->x = p.x;
        point->y = p.y;
    }
    return ok;
}
std::int32_t SetCursorPos(std::int32_t x, std::int32_t y) { return ::SetCursorPos(x, y); }
void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) {
    ::keybd_event(vk, scan, flags, extra);
}
std::int32_t GetLastInputInfo(std::uint32_t* tick) {
    LASTINPUTINFO info = {};
    info.cbSize = sizeof info;
    BOOL ok = ::GetLastInputInfo(&info);
    if (ok) *tick = info.dwTime;
    return ok;
}
Hcursor SetCursor(Hcursor cursor) { return ::SetCursor(As<HCURSOR>(cursor)); }
Hcursor LoadCursorA(Hmodule instance, std::uintptr_t id) {
    return ::LoadCursorA(As<HINSTANCE>(instance), MAKEINTRESOURCEA(id));
}

}  // namespace plat
