// Windows and messages: finding, making and showing windows, the message
// loop, sending and posting, enabling, and painting with the resources it
// draws.
//
//   constants  messages, the peek filters, the screen saver class, show
//              commands, window styles, the black brush
//   records    Msg, PaintStruct, WndClass (with its WindowProc)
//   calls      windows and messages: FindWindowA, EnumWindows,
//              GetWindowThreadProcessId, IsWindowVisible, GetForegroundWindow,
//              PostMessageA, SendMessageA, PostQuitMessage, DefWindowProcA,
//              RegisterClassA, CreateWindowExA, ShowWindow, UpdateWindow,
//              GetClientRect, GetMessageA, PeekMessageA, TranslateMessage,
//              DispatchMessageA, EnableWindow, IsWindowEnabled
//              painting and resources: LoadIconA, GetStockObject, BeginPaint,
//              EndPaint, DrawIcon, SetTextColor, SetBkColor, TextOutA
//
// Win32: src/platform/win32/window.cpp. Fake: tests/unit/fake/fake_window.cpp.
#pragma once

#include "platform/process.h"  // the queue states the peek filters are made of
#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
// Messages
constexpr std::uint32_t kWmCreate = 0x0001;
constexpr std::uint32_t kWmDestroy = 0x0002;
constexpr std::uint32_t kWmPaint = 0x000F;
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmQuit = 0x0012;
constexpr std::uint32_t kWmActivateApp = 0x001C;
constexpr std::uint32_t kWmSetCursor = 0x0020;
constexpr std::uint32_t kWmHelp = 0x0053;
constexpr std::uint32_t kWmContextMenu = 0x007B;
constexpr std::uint32_t kWmKeyDown = 0x0100;
constexpr std::uint32_t kWmSysKeyDown = 0x0104;
constexpr std::uint32_t kWmInitDialog = 0x0110;
constexpr std::uint32_t kWmCommand = 0x0111;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uint32_t kWmMouseMove = 0x0200;
constexpr std::uint32_t kWmLButtonDown = 0x0201;
constexpr std::uint32_t kWmRButtonDown = 0x0204;
constexpr std::uint32_t kWmMButtonDown = 0x0207;

// Peeking
constexpr std::uint32_t kPmNoRemove = 0x0000;
constexpr std::uint32_t kPmRemove = 0x0001;
constexpr std::uint32_t kPmQsInput = kQsInput << 16;
constexpr std::uint32_t kPmQsSendMessage = kQsSendMessage << 16;

// Windows
// The class of a screen saver's window: this program's preview window has it,
// and the player looks for it in the savers it runs.
inline constexpr char kScreenSaverClass[] = "WindowsScreenSaverClass";
constexpr std::uint32_t kSwHide = 0;
constexpr std::uint32_t kSwShow = 5;
constexpr std::uint32_t kSwShowMaximized = 3;
constexpr std::uint32_t kWsChildPreview = 0x56000000;  // WS_CHILD|WS_VISIBLE|WS_CLIPSIBLINGS|WS_CLIPCHILDREN
constexpr std::uint32_t kWsPopupPreview = 0x96000000;  // WS_POPUP|WS_VISIBLE|WS_CLIPSIBLINGS|WS_CLIPCHILDREN
constexpr std::int32_t kBlackBrush = 4;

// ---------------------------------------------------------------- records
struct Msg {
    Hwnd hwnd;
    std::uint32_t message;
    WParam wParam;
    LParam lParam;
    std::uint32_t time;
    Point pt;
};

// The system's paint record (PAINTSTRUCT), kept whole from BeginPaint to
// EndPaint, which expects every byte BeginPaint wrote. Nothing above the
// platform reads it: BeginPaint's result is the device context. A handle and
// 60 bytes: the erase flag, the rectangle, two flags and 32 reserved bytes.
struct PaintStruct {
    alignas(Hdc) unsigned char system[sizeof(Hdc) + 60];
};

using WindowProc = LResult (*)(Hwnd, std::uint32_t, WParam, LParam);
// Called once for each top-level window; returning 0 stops the enumeration.
using EnumWindowsProc = std::int32_t (*)(Hwnd, LParam);

struct WndClass {
    std::uint32_t style;
    WindowProc proc;
    std::int32_t classExtra;
    std::int32_t windowExtra;
    Hmodule instance;
    Hicon icon;
    Hcursor cursor;
    Hbrush background;
    const char* menuName;
    const char* className;
};

// ---------------------------------------------------------------- windows and messages
Hwnd FindWindowA(const char* className, const char* title);
std::int32_t EnumWindows(EnumWindowsProc proc, LParam lParam);
// The id of the thread that made the window; the process's id in *processId
// (0 when the window is gone).
std::uint32_t GetWindowThreadProcessId(Hwnd window, std::uint32_t* processId);
std::int32_t IsWindowVisible(Hwnd window);
Hwnd GetForegroundWindow();
std::int32_t PostMessageA(Hwnd window, std::uint32_t message, WParam wParam, LParam lParam);
LResult SendMessageA(Hwnd window, std::uint32_t message, WParam wParam, LParam lParam);
void PostQuitMessage(std::int32_t exitCode);
LResult DefWindowProcA(Hwnd window, std::uint32_t message, WParam wParam, LParam lParam);
std::uint16_t RegisterClassA(const WndClass* windowClass);
Hwnd CreateWindowExA(std::uint32_t exStyle, const char* className, const char* title,
                     std::uint32_t style, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height, Hwnd parent, void* menu, Hmodule instance, void* param);
std::int32_t ShowWindow(Hwnd window, std::uint32_t command);
std::int32_t UpdateWindow(Hwnd window);
std::int32_t GetClientRect(Hwnd window, Rect* rect);
std::int32_t GetMessageA(Msg* msg, Hwnd window, std::uint32_t first, std::uint32_t last);
std::int32_t PeekMessageA(Msg* msg, Hwnd window, std::uint32_t first, std::uint32_t last,
                          std::uint32_t remove);
std::int32_t TranslateMessage(const Msg* msg);
LResult DispatchMessageA(const Msg* msg);
std::int32_t EnableWindow(Hwnd window, std::int32_t enable);
std::int32_t IsWindowEnabled(Hwnd window);

// ---------------------------------------------------------------- painting and resources
Hicon LoadIconA(Hmodule instance, std::uintptr_t id);
Hbrush GetStockObject(std::int32_t object);
Hdc BeginPaint(Hwnd window, PaintStruct* paint);
std::int32_t EndPaint(Hwnd window, const PaintStruct* paint);
std::int32_t DrawIcon(Hdc dc, std::int32_t x, std::int32_t y, Hicon icon);
std::uint32_t SetTextColor(Hdc dc, std::uint32_t color);
std::uint32_t SetBkColor(Hdc dc, std::uint32_t color);
std::int32_t TextOutA(Hdc dc, std::int32_t x, std::int32_t y, const char* text, std::int32_t length);

}  // namespace plat
