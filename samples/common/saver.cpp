// The shared frame of the sample screen savers.
//
//   /s, -s, s (any case)   full screen: a topmost WS_POPUP window of class
//                          "WindowsScreenSaverClass" over every monitor, the
//                          cursor hidden, ending on a key, a click, a mouse
//                          move of more than a few pixels, or WM_CLOSE
//   /p <hwnd>, /p:<hwnd>   preview: a child window filling that parent, for
//                          as long as the parent lives
//   /c[:<hwnd>], none      a message box describing the saver
//   anything else          (for example /a, the password option) exits
//
// With SLUMBERMIX_DEMO_LOG naming a file, each start and end is appended to
// it as "<hh:mm:ss.mmm> <name> started <option>" and "... ended <reason>";
// the demo reads it to show what was played, in order.
#include "saver.h"

#include <math.h>
#include <stdlib.h>

namespace {

constexpr char kClassName[] = "WindowsScreenSaverClass";
constexpr UINT_PTR kTimerId = 1;
// Mouse moves up to this many pixels away from where the pointer first was
// are jitter, not a user.
constexpr int kMoveSlop = 4;

enum Mode { kModeRun, kModePreview, kModeAbout, kModeNone };

struct CommandLine {
    Mode mode;
    HWND window;  // the preview parent, or the owner of the message box
};

struct SaverState {
    bool fullScreen;
    Canvas canvas;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    DWORD startTick;
    bool haveMouse;
    POINT mouse;
    const char* endReason;
    bool endLogged;
    uint32_t random;
};

SaverState state;

// ------------------------------------------------------------------ log

void Log(const char* event, const char* detail) {
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("SLUMBERMIX_DEMO_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char line[256];
    int size = wsprintfA(line, "%02u:%02u:%02u.%03u %s %s %s\n", now.wHour, now.wMinute,
                         now.wSecond, now.wMilliseconds, kSampleName, event, detail);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
}

// ------------------------------------------------------------------ command line

const char* SkipBlanks(const char* p) {
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

// A window handle as the system passes it: unsigned decimal.
HWND ParseWindow(const char* p) {
    p = SkipBlanks(p);
    if (*p == ':') p = SkipBlanks(p + 1);
    ULONG_PTR value = 0;
    while (*p >= '0' && *p <= '9') value = value * 10 + static_cast<ULONG_PTR>(*p++ - '0');
    return reinterpret_cast<HWND>(value);
}

CommandLine ParseCommandLine(const char* p) {
    // Skip the program's own name, quoted or not.
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    p = SkipBlanks(p);
    if (*p == '/' || *p == '-') ++p;
    switch (*p | 0x20) {
    case 's': return {kModeRun, nullptr};
    case 'p': return {kModePreview, ParseWindow(p + 1)};
    case 'c': return {kModeAbout, ParseWindow(p + 1)};
    default: return {*p ? kModeNone : kModeAbout, nullptr};
    }
}

// ------------------------------------------------------------------ drawing

void FreeCanvas() {
    if (!state.canvas.dc) return;
    SelectObject(state.canvas.dc, state.oldBitmap);
    DeleteObject(state.bitmap);
    DeleteDC(state.canvas.dc);
    state.canvas = {};
}

// A back buffer the size of the window's client area; false when the size
// is unchanged or no buffer could be made.
bool MakeCanvas(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    int width = client.right > 0 ? client.right : 1;
    int height = client.bottom > 0 ? client.bottom : 1;
    if (state.canvas.dc && state.canvas.width == width && state.canvas.height == height)
        return false;
    FreeCanvas();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    state.bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    state.canvas.dc = CreateCompatibleDC(screen);
    ReleaseDC(window, screen);
    if (!state.bitmap || !state.canvas.dc) {
        if (state.bitmap) DeleteObject(state.bitmap);
        if (state.canvas.dc) DeleteDC(state.canvas.dc);
        state.canvas = {};
        return false;
    }
    state.oldBitmap = SelectObject(state.canvas.dc, state.bitmap);
    state.canvas.pixels = static_cast<uint32_t*>(bits);
    state.canvas.width = width;
    state.canvas.height = height;
    SampleStart(state.canvas);
    return true;
}

void Present(HDC target) {
    if (!state.canvas.dc) return;
    BitBlt(target, 0, 0, state.canvas.width, state.canvas.height, state.canvas.dc, 0, 0, SRCCOPY);
}

void DrawFrame() {
    if (!state.canvas.dc) return;
    GdiFlush();  // the last frame's blit is done before pixels are written
    SampleFrame(state.canvas, static_cast<float>(GetTickCount() - state.startTick) / 1000.0f);
}

// ------------------------------------------------------------------ window

// The end is logged as the window starts to go, so the log never says a
// saver is on screen after its window has left it.
void LogEnd(const char* reason) {
    if (state.endLogged) return;
    state.endLogged = true;
    Log("ended", reason);
}

void End(HWND window, const char* reason) {
    if (!state.endReason) state.endReason = reason;
    PostMessageA(window, WM_CLOSE, 0, 0);
}

bool MovedFar(LPARAM lParam) {
    POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!state.haveMouse) {  // the first report only says where the pointer is
        state.haveMouse = true;
        state.mouse = at;
        return false;
    }
    return abs(at.x - state.mouse.x) > kMoveSlop || abs(at.y - state.mouse.y) > kMoveSlop;
}

LRESULT CALLBACK SaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (MakeCanvas(window)) DrawFrame();
        return 0;
    case WM_TIMER:
        // A preview whose parent has gone (in another process) ends too.
        if (!state.fullScreen && !IsWindow(GetParent(window))) {
            DestroyWindow(window);
            return 0;
        }
        DrawFrame();
        if (HDC dc = GetDC(window)) {
            Present(dc);
            ReleaseDC(window, dc);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the frame covers everything
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        Present(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SETCURSOR:
        if (!state.fullScreen) break;
        SetCursor(nullptr);
        return TRUE;
    case WM_SYSCOMMAND:
        // Already the screen saver; a second start or a close from the
        // system menu has no place here.
        if (state.fullScreen && ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_CLOSE))
            return 0;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (state.fullScreen) End(window, "key");
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        if (state.fullScreen) End(window, "click");
        return 0;
    case WM_MOUSEMOVE:
        if (state.fullScreen && MovedFar(lParam)) End(window, "mouse-move");
        return 0;
    case WM_CLOSE:
        LogEnd(state.endReason ? state.endReason : "close");
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        LogEnd("parent-gone");  // a preview whose parent was destroyed
        KillTimer(window, kTimerId);
        FreeCanvas();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateSaverWindow(HINSTANCE instance, const CommandLine& command) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SaverProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) return nullptr;

    if (state.fullScreen) {
        int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        if (width <= 0 || height <= 0) {
            x = y = 0;
            width = GetSystemMetrics(SM_CXSCREEN);
            height = GetSystemMetrics(SM_CYSCREEN);
        }
        return CreateWindowExA(WS_EX_TOPMOST, kClassName, kSampleName, WS_POPUP, x, y, width,
                               height, nullptr, nullptr, instance, nullptr);
    }
    RECT parent;
    GetClientRect(command.window, &parent);
    return CreateWindowExA(0, kClassName, kSampleName, WS_CHILD, 0, 0, parent.right,
                           parent.bottom, command.window, nullptr, instance, nullptr);
}

int RunWindow(HINSTANCE instance, const CommandLine& command) {
    state.fullScreen = command.mode == kModeRun;
    state.startTick = GetTickCount();
    if (!state.fullScreen && !IsWindow(command.window)) return 0;

    HWND window = CreateSaverWindow(instance, command);
    if (!window) return 0;
    MakeCanvas(window);  // WM_SIZE during creation normally made it already
    DrawFrame();         // the first picture is there before the window shows
    Log("started", state.fullScreen ? "/s" : "/p");
    if (state.fullScreen) {
        ShowCursor(FALSE);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(window);
    } else {
        ShowWindow(window, SW_SHOW);
    }
    UpdateWindow(window);
    SetTimer(window, kTimerId, kSampleFrameMs, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (state.fullScreen) ShowCursor(TRUE);
    return 0;
}

}  // namespace

// ------------------------------------------------------------------ helpers

uint32_t SampleRandom() {  // xorshift32: cheap and plenty for pictures
    uint32_t x = state.random;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    state.random = x;
    return x;
}

float SampleRandomUnit() {
    return static_cast<float>(SampleRandom() >> 8) / 16777216.0f;
}

COLORREF SampleHue(float hue, float value) {
    hue -= floorf(hue);
    float h = hue * 6.0f;
    int sector = static_cast<int>(h);
    float f = h - static_cast<float>(sector);
    float rgb[3];
    switch (sector) {
    case 0: rgb[0] = 1; rgb[1] = f; rgb[2] = 0; break;
    case 1: rgb[0] = 1 - f; rgb[1] = 1; rgb[2] = 0; break;
    case 2: rgb[0] = 0; rgb[1] = 1; rgb[2] = f; break;
    case 3: rgb[0] = 0; rgb[1] = 1 - f; rgb[2] = 1; break;
    case 4: rgb[0] = f; rgb[1] = 0; rgb[2] = 1; break;
    default: rgb[0] = 1; rgb[1] = 0; rgb[2] = 1 - f; break;
    }
    if (value < 0) value = 0;
    if (value > 1) value = 1;
    return RGB(static_cast<int>(rgb[0] * value * 255.0f), static_cast<int>(rgb[1] * value * 255.0f),
               static_cast<int>(rgb[2] * value * 255.0f));
}

void SampleClear(const Canvas& canvas, COLORREF colour) {
    SetBkColor(canvas.dc, colour);
    RECT all = {0, 0, canvas.width, canvas.height};
    ExtTextOutA(canvas.dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    state.random = GetTickCount() * 2654435761u ^ GetCurrentProcessId() ^ 0x9E3779B9u;
    if (state.random == 0) state.random = 1;
    CommandLine command = ParseCommandLine(GetCommandLineA());
    switch (command.mode) {
    case kModeRun:
    case kModePreview:
        return RunWindow(instance, command);
    case kModeAbout: {
        char text[512];
        wsprintfA(text, "%s\n\n%s\n\nA sample screen saver that comes with Slumbermix. It has no settings.",
                  kSampleName, kSampleAbout);
        HWND owner = IsWindow(command.window) ? command.window : nullptr;
        MessageBoxA(owner, text, kSampleName, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    case kModeNone:
        return 0;
    }
    return 0;
}
