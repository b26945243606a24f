#include "fake/fake_window.h"

#include <cstring>
#include <utility>

#include "fake/fake_dialog.h"

namespace fake {

void QueueMessage(std::uint32_t message, plat::WParam wParam, plat::LParam lParam) {
    window.queue.push_back(plat::Msg{window.created, message, wParam, lParam, 0, {}});
}

}  // namespace fake

namespace plat {
using fake::Record;
using fake::window;

Hwnd FindWindowA(const char* className, const char* title) {
    Record("FindWindowA", className, title);
    return fake::NextAnswer(window.foundWindows, nullptr);
}

std::int32_t EnumWindows(EnumWindowsProc proc, LParam lParam) {
    Record("EnumWindows");
    for (const auto& w : window.topLevel)
        if (!proc(w.window, lParam)) return 0;
    return 1;
}

namespace {
const fake::TopLevelWindow* Listed(Hwnd hwnd) {
    for (const auto& w : window.topLevel)
        if (w.window == hwnd) return &w;
    return nullptr;
}
}  // namespace

// The thread id is made from the process id; 0 for a window that is gone.
std::uint32_t GetWindowThreadProcessId(Hwnd hwnd, std::uint32_t* processId) {
    Record("GetWindowThreadProcessId", hwnd);
    const fake::TopLevelWindow* w = Listed(hwnd);
    *processId = w ? w->processId : 0;
    return w ? w->processId + 1 : 0;
}

std::int32_t IsWindowVisible(Hwnd hwnd) {
    const fake::TopLevelWindow* w = Listed(hwnd);
    return fake::Answer(w && w->visible ? 1 : 0, "IsWindowVisible", hwnd);
}

Hwnd GetForegroundWindow() { return fake::Answer(window.foreground, "GetForegroundWindow"); }

std::int32_t PostMessageA(Hwnd hwnd, std::uint32_t message, WParam wParam, LParam lParam) {
    return fake::Answer(1, "PostMessageA", hwnd, message, wParam, lParam);
}

// A message to one of the dialog's controls is answered by that control.
LResult SendMessageA(Hwnd hwnd, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == kLbAddString)
        Record("SendMessageA", hwnd, message, wParam, reinterpret_cast<const char*>(lParam));
    else
        Record("SendMessageA", hwnd, message, wParam, lParam);
    fake::Control* control = fake::FindControl(hwnd);
    return control ? fake::ControlMessage(*control, message, wParam, lParam) : 0;
}

void PostQuitMessage(std::int32_t exitCode) {
    Record("PostQuitMessage", exitCode);
    window.quitPosted = true;
    window.quitCode = exitCode;
}

LResult DefWindowProcA(Hwnd hwnd, std::uint32_t message, WParam wParam, LParam lParam) {
    Record("DefWindowProcA", hwnd, message, wParam, lParam);
    // The system's handling of WM_CLOSE destroys the window.
    if (message == kWmClose && window.proc) window.proc(hwnd, kWmDestroy, 0, 0);
    return window.defResult;
}

std::uint16_t RegisterClassA(const WndClass* c) {
    Record("RegisterClassA", c->style, reinterpret_cast<void*>(c->proc), c->classExtra,
           c->windowExtra, c->instance, c->icon, c->cursor, c->background, c->menuName,
           c->className);
    if (window.classAtom) {
        window.proc = c->proc;
        window.className = c->className ? c->className : "";
    }
    return window.classAtom;
}

Hwnd CreateWindowExA(std::uint32_t exStyle, const char* className, const char* title,
                     std::uint32_t style, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, Hwnd parent, void* menu, Hmodule instance, void* param) {
    Record("CreateWindowExA", exStyle, className, title, style, x, y, width, height, parent, menu,
           instance, param);
    if (!window.created || !window.proc || window.className != className) return nullptr;
    if (window.proc(window.created, kWmCreate, 0, 0) == -1) return nullptr;
    return window.created;
}

std::int32_t ShowWindow(Hwnd hwnd, std::uint32_t command) {
    return fake::Answer(0, "ShowWindow", hwnd, command);
}

std::int32_t UpdateWindow(Hwnd hwnd) { return fake::Answer(1, "UpdateWindow", hwnd); }

std::int32_t GetClientRect(Hwnd hwnd, Rect* rect) {
    Record("GetClientRect", hwnd);
    *rect = window.client;
    return 1;
}

// Destroying a window drops what was queued for it, so once PostQuitMessage
// was called WM_QUIT is the next message.
std::int32_t GetMessageA(Msg* msg, Hwnd hwnd, std::uint32_t first, std::uint32_t last) {
    Record("GetMessageA", hwnd, first, last);
    if (window.quitPosted || window.queue.empty()) {
        *msg = Msg{nullptr, kWmQuit, static_cast<WParam>(window.quitPosted ? window.quitCode : 0)};
        window.quitPosted = false;
        return 0;
    }
    *msg = window.queue.front();
    window.queue.pop_front();
    return msg->message == kWmQuit ? 0 : 1;
}

std::int32_t PeekMessageA(Msg* msg, Hwnd hwnd, std::uint32_t first, std::uint32_t last,
                          std::uint32_t remove) {
    Record("PeekMessageA", hwnd, first, last, remove);
    *msg = Msg{};
    return fake::NextAnswer(window.peeks, 0);
}

std::int32_t TranslateMessage(const Msg* msg) {
    return fake::Answer(0, "TranslateMessage", msg->hwnd, msg->message);
}

LResult DispatchMessageA(const Msg* msg) {
    Record("DispatchMessageA", msg->hwnd, msg->message, msg->wParam, msg->lParam);
    LResult result = 0;
    if (window.proc && msg->hwnd == window.created)
        result = window.proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    window.dispatched.push_back(result);
    return result;
}

std::int32_t EnableWindow(Hwnd hwnd, std::int32_t enable) {
    Record("EnableWindow", hwnd, enable);
    fake::Control* control = fake::FindControl(hwnd);
    if (!control) return 0;
    const bool wasEnabled = std::exchange(control->enabled, enable != 0);
    return wasEnabled ? 0 : 1;
}

std::int32_t IsWindowEnabled(Hwnd hwnd) {
    Record("IsWindowEnabled", hwnd);
    fake::Control* control = fake::FindControl(hwnd);
    return control && control->enabled ? 1 : 0;
}

Hicon LoadIconA(Hmodule instance, std::uintptr_t id) {
    return fake::Answer(window.icon, "LoadIconA", instance, id);
}

Hbrush GetStockObject(std::int32_t object) {
    Record("GetStockObject", object);
    return object == kBlackBrush ? window.blackBrush : fake::Token(300 + object);
}

// The record holds the device context first, as the system's does, and
// EndPaint logs the one it finds there.
Hdc BeginPaint(Hwnd hwnd, PaintStruct* paint) {
    Record("BeginPaint", hwnd);
    std::memcpy(paint->system, &window.paintDc, sizeof window.paintDc);
    return window.paintDc;
}

std::int32_t EndPaint(Hwnd hwnd, const PaintStruct* paint) {
    Hdc dc;
    std::memcpy(&dc, paint->system, sizeof dc);
    return fake::Answer(1, "EndPaint", hwnd, dc);
}

std::int32_t DrawIcon(Hdc dc, std::int32_t x, std::int32_t y, Hicon icon) {
    return fake::Answer(1, "DrawIcon", dc, x, y, icon);
}

std::uint32_t SetTextColor(Hdc dc, std::uint32_t color) {
    return fake::Answer(0, "SetTextColor", dc, color);
}

std::uint32_t SetBkColor(Hdc dc, std::uint32_t color) {
    return fake::Answer(0xFFFFFF, "SetBkColor", dc, color);
}

// Logs exactly the `length` bytes that would be drawn.
std::int32_t TextOutA(Hdc dc, std::int32_t x, std::int32_t y, const char* text,
                      std::int32_t length) {
    Record("TextOutA", dc, x, y, std::string(text, length > 0 ? length : 0), length);
    return 1;
}

}  // namespace plat
