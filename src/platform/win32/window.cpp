// Windows, messages, painting and resources.
#include "platform/window.h"
#include "platform/win32/win32.h"

namespace plat {
using win32::As;

Hwnd FindWindowA(const char* className, const char* title) {
    return ::FindWindowA(className, title);
}

namespace {
// The portable callback and its parameter, carried through EnumWindows's
// own parameter to the system's calling convention.
struct Enumeration {
    EnumWindowsProc proc;
    LParam lParam;
};

BOOL CALLBACK EnumerationThunk(HWND window, LPARAM lParam) {
    const auto* enumeration = As<const Enumeration*>(lParam);
    return enumeration->proc(window, enumeration->lParam);
}
}  // namespace

std::int32_t EnumWindows(EnumWindowsProc proc, LParam lParam) {
    Enumeration enumeration = {proc, lParam};
    return ::EnumWindows(EnumerationThunk, As<LPARAM>(&enumeration));
}
std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId) {
    DWORD id = 0;
    const DWORD thread = ::GetWindowThreadProcessId(As<HWND>(window), &id);
    *processId = id;
    return thread;
}
std::int32_t IsWindowVisible(Hwnd window) { return ::IsWindowVisible(As<HWND>(window)); }
Hwnd GetForegroundWindow() { return ::GetForegroundWindow(); }
std::int32_t PostMessageA(Hwnd window, std::uint32_t message, WParam wParam, LParam lParam) {
    return ::PostMessageA(As<HWND>(window), message, wParam, lParam);
}
LResult SendMessageA(Hwnd window, std::uint32_t message, WParam wParam, LParam lParam) {
    return ::SendMessageA(As<HWND>(window), message, wParam, lParam);
}
void PostQuitMessage(std::int32_t exitCode) { ::PostQuitMessage(exitCode); }
LResult DefWindowProcA(Hwnd window, std::uint32_t message, WParam wParam, LParam lParam) {
    return ::DefWindowProcA(As<HWND>(window), message, wParam, lParam);
}

namespace {
// One window class per process: the portable procedure behind the stdcall
// thunk lives in one variable.
WindowProc PortableWindowProc = nullptr;  // written by RegisterClassA, read by WindowThunk

LRESULT CALLBACK WindowThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PortableWindowProc) return ::DefWindowProcA(window, message, wParam, lParam);
    return PortableWindowProc(window, message, wParam, lParam);
}

void ToWin32(const Msg* from, MSG* to) {
    to->hwnd = As<HWND>(from->hwnd);
    to->message = from->message;
    to->wParam = from->wParam;
    to->lParam = from->lParam;
    to->time = from->time;
    to->pt.x = from->pt.x;
    to->pt.y = from->pt.y;
}

void FromWin32(const MSG& m, Msg* msg) {
    msg->hwnd = m.hwnd;
    msg->message = m.message;
    msg->wParam = m.wParam;
    msg->lParam = m.lParam;
    msg->time = m.time;
    msg->pt.x = m.pt.x;
    msg->pt.y = m.pt.y;
}
}  // namespace

std::uint16_t RegisterClassA(const WndClass* c) {
    PortableWindowProc = c->proc;
    WNDCLASSA wc;
    wc.style = c->style;
    wc.lpfnWndProc = WindowThunk;
    wc.cbClsExtra = c->classExtra;
    wc.cbWndExtra = c->windowExtra;
    wc.hInstance = As<HINSTANCE>(c->instance);
    wc.hIcon = As<HICON>(c->icon);
    wc.hCursor = As<HCURSOR>(c->cursor);
    wc.hbrBackground = As<HBRUSH>(c->background);
    wc.lpszMenuName = c->menuName;
    wc.lpszClassName = c->className;
    return ::RegisterClassA(&wc);
}

Hwnd CreateWindowExA(std::uint32_t exStyle, const char* className, const char* title,
                     std::uint32_t style, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, Hwnd parent, void* menu, Hmodule instance, void* param) {
    return ::CreateWindowExA(exStyle, className, title, style, x, y, width, height,
                             As<HWND>(parent), As<HMENU>(menu), As<HINSTANCE>(instance), param);
}
std::int32_t ShowWindow(Hwnd window, std::uint32_t command) {
    return ::ShowWindow(As<HWND>(window), command);
}
std::int32_t UpdateWindow(Hwnd window) { return ::UpdateWindow(As<HWND>(window)); }
std::int32_t GetClientRect(Hwnd window, Rect* rect) {
    RECT r;
    BOOL ok = ::GetClientRect(As<HWND>(window), &r);
    if (ok) {
        rect->left = r.left;
        rect->top = r.top;
        rect->right = r.right;
        rect->bottom = r.bottom;
    }
    return ok;
}
std::int32_t GetMessageA(Msg* msg, Hwnd window, std::uint32_t first, std::uint32_t last) {
    MSG m;
    BOOL rc = ::GetMessageA(&m, As<HWND>(window), first, last);
    FromWin32(m, msg);
    return rc;
}
std::int32_t PeekMessageA(Msg* msg, Hwnd window, std::uint32_t first, std::uint32_t last,
                          std::uint32_t remove) {
    MSG m = {};
    BOOL rc = ::PeekMessageA(&m, As<HWND>(window), first, last, remove);
    FromWin32(m, msg);
    return rc;
}
std::int32_t TranslateMessage(const Msg* msg) {
    MSG m;
    ToWin32(msg, &m);
    return ::TranslateMessage(&m);
}
LResult DispatchMessageA(const Msg* msg) {
    MSG m;
    ToWin32(msg, &m);
    return ::DispatchMessageA(&m);
}
std::int32_t EnableWindow(Hwnd window, std::int32_t enable) {
    return ::EnableWindow(As<HWND>(window), enable);
}
std::int32_t IsWindowEnabled(Hwnd window) { return ::IsWindowEnabled(As<HWND>(window)); }

Hicon LoadIconA(Hmodule instance, std::uintptr_t id) {
    return ::LoadIconA(As<HINSTANCE>(instance), MAKEINTRESOURCEA(id));
}
Hbrush GetStockObject(std::int32_t object) { return ::GetStockObject(object); }
static_assert(sizeof(PaintStruct) == sizeof(PAINTSTRUCT) &&
              alignof(PaintStruct) >= alignof(PAINTSTRUCT));
Hdc BeginPaint(Hwnd window, PaintStruct* paint) {
    return ::BeginPaint(As<HWND>(window), reinterpret_cast<PAINTSTRUCT*>(paint->system));
}
std::int32_t EndPaint(Hwnd window, const PaintStruct* paint) {
    return ::EndPaint(As<HWND>(window), reinterpret_cast<const PAINTSTRUCT*>(paint->system));
}
std::int32_t DrawIcon(Hdc dc, std::int32_t x, std::int32_t y, Hicon icon) {
    return ::DrawIcon(As<HDC>(dc), x, y, As<HICON>(icon));
}
std::uint32_t SetTextColor(Hdc dc, std::uint32_t color) {
    return ::SetTextColor(As<HDC>(dc), color);
}
std::uint32_t SetBkColor(Hdc dc, std::uint32_t color) { return ::SetBkColor(As<HDC>(dc), color); }
std::int32_t TextOutA(Hdc dc, std::int32_t x, std::int32_t y, const char* text,
                      std::int32_t length) {
    return ::TextOutA(As<HDC>(dc), x, y, text, length);
}

}  // namespace plat
