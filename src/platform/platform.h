// Every operating-system operation Slumbermix performs goes through this file.
//
// The names follow the Win32 calls they stand for, so src/platform/win32/ is a
// thin translation and the logic above reads like the Windows program it is.
// Types are neutral (fixed-width integers and opaque handles); constants whose
// values the behaviour depends on keep their Win32 values.
//
// Two implementations exist and are chosen at link time: the real one in
// src/platform/win32/ and the recording fake used by the host unit tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat {

// ---------------------------------------------------------------- handles
using Handle = void*;       // kernel objects: processes, threads, find handles
using Hkey = void*;         // registry keys
using Hmodule = void*;      // loaded modules and the instance handle
using Hwnd = void*;         // windows
using Hdc = void*;          // device contexts
using Hicon = void*;
using Hcursor = void*;
using Hbrush = void*;
using Himc = void*;         // input-method contexts
using Pidl = void*;         // shell item id lists
using FarProc = void (*)(); // an exported function, before it is cast

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

inline Handle const kInvalidHandle = reinterpret_cast<Handle>(static_cast<std::intptr_t>(-1));

// A handle value given as decimal text on the command line.
inline Hwnd WindowFromNumber(std::int32_t n) {
    return reinterpret_cast<Hwnd>(static_cast<std::intptr_t>(n));
}

// ---------------------------------------------------------------- constants
constexpr std::uint32_t kMaxPath = 260;

// Registry
inline Hkey const kHkeyCurrentUser =
    reinterpret_cast<Hkey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000001)));
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::int32_t kErrorSuccess = 0;

// Waits
constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
constexpr std::uint32_t kWaitObject0 = 0;
constexpr std::uint32_t kWaitTimeout = 0x102;
constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
constexpr std::uint32_t kQsSendMessage = 0x0040;
constexpr std::uint32_t kQsInput = 0x0407;  // QS_MOUSE | QS_KEY | QS_RAWINPUT (QS_INPUT)
// Input kinds added by Windows 8; older systems refuse them as wake flags.
constexpr std::uint32_t kQsTouch = 0x0800;
constexpr std::uint32_t kQsPointer = 0x1000;
constexpr std::uint32_t kPmNoRemove = 0x0000;
constexpr std::uint32_t kPmRemove = 0x0001;
constexpr std::uint32_t kPmQsInput = kQsInput << 16;
constexpr std::uint32_t kPmQsSendMessage = kQsSendMessage << 16;

// Processes
constexpr std::uint32_t kIdlePriorityClass = 0x40;
constexpr std::uint32_t kCreateSeparateWowVdm = 0x800;
// Exit codes from here up are exception statuses (NTSTATUS severity
// "error"): the code Windows gives a process it ends because it crashed.
constexpr std::uint32_t kFirstExceptionStatus = 0xC0000000;
// sizeof(STARTUPINFOA), the value a child's start-up record carries in its
// size field: 68 bytes in the 32-bit program, 104 in the 64-bit one. The
// host build stands for the 32-bit release program. The Win32 side checks
// this against the real structure at compile time.
#if defined(_WIN64)
constexpr std::uint32_t kStartupInfoSize = 104;
#else
constexpr std::uint32_t kStartupInfoSize = 68;
#endif

// Files
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kFileReadAttributes = 0x0080;
constexpr std::uint32_t kFileShareAll = 0x7;  // read, write and delete
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kFileFlagBackupSemantics = 0x02000000;  // lets a folder be opened

// COM
constexpr std::uint32_t kCoinitApartmentThreaded = 0x2;
constexpr std::uint32_t kCoinitDisableOle1Dde = 0x4;

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

// Keyboard
constexpr std::uint8_t kVkEscape = 0x1B;
constexpr std::uint32_t kKeyEventFKeyUp = 0x0002;

// Windows
// The class of a screen saver's window: this program's preview window has it,
// and the player looks for it in the savers it runs.
inline constexpr char kScreenSaverClass[] = "WindowsScreenSaverClass";
constexpr std::uint32_t kSwHide = 0;
constexpr std::uint32_t kSwShow = 5;
constexpr std::uint32_t kSwShowMaximized = 3;
constexpr std::uint32_t kWsChildPreview = 0x56000000;  // WS_CHILD|WS_VISIBLE|WS_CLIPSIBLINGS|WS_CLIPCHILDREN
constexpr std::uint32_t kWsPopupPreview = 0x96000000;  // WS_POPUP|WS_VISIBLE|WS_CLIPSIBLINGS|WS_CLIPCHILDREN
constexpr std::uintptr_t kIdcArrow = 32512;
constexpr std::int32_t kBlackBrush = 4;

// Dialog controls and their messages
constexpr std::uint32_t kBstUnchecked = 0;
constexpr std::uint32_t kBstChecked = 1;
constexpr std::uint32_t kEmLimitText = 0x00C5;
constexpr std::uint32_t kEnChange = 0x0300;
constexpr std::uint32_t kLbResetContent = 0x0184;
constexpr std::uint32_t kLbAddString = 0x0180;
constexpr std::uint32_t kLbSetCurSel = 0x0186;
constexpr std::uint32_t kLbGetCurSel = 0x0188;
constexpr std::uint32_t kLbGetText = 0x0189;
constexpr std::uint32_t kLbGetCount = 0x018B;
constexpr std::uint32_t kLbGetTextLen = 0x018A;
constexpr std::uint32_t kLbnSelChange = 1;
constexpr std::intptr_t kLbErr = -1;
constexpr std::uint32_t kUdmSetRange = 0x0465;  // WM_USER + 101

// Message boxes
constexpr std::uint32_t kMbOk = 0x0000;
constexpr std::uint32_t kMbYesNo = 0x0004;
constexpr std::uint32_t kMbIconQuestion = 0x0020;
constexpr std::uint32_t kMbDefButton2 = 0x0100;
constexpr std::int32_t kIdYes = 6;

// Folder browser
constexpr std::uint32_t kBifReturnOnlyFsDirs = 0x0001;
constexpr std::uint32_t kBifStatusText = 0x0004;

// Locale
constexpr std::uint16_t kLangJapanese = 0x0411;

// ---------------------------------------------------------------- records
// The fields of BY_HANDLE_FILE_INFORMATION that tell one file or folder
// from every other: its volume and its index on that volume.
struct FileIdentity {
    std::uint32_t volumeSerialNumber;
    std::uint32_t fileIndexHigh;
    std::uint32_t fileIndexLow;
};

struct FindData {
    std::uint32_t attributes;
    char fileName[kMaxPath];
    char alternateFileName[14];
};

// The fields of STARTUPINFOA the launcher sets; the platform fills the rest
// with zeros. cb is the caller's choice so the size it passes is visible.
struct StartupInfo {
    std::uint32_t cb;
    char* reserved;
    char* desktop;
    char* title;
    std::uint32_t flags;
    std::uint16_t cbReserved2;
    std::uint8_t* reserved2;
};

struct ProcessInformation {
    Handle process;
    Handle thread;
    std::uint32_t processId;
    std::uint32_t threadId;
};

struct Point {
    std::int32_t x;
    std::int32_t y;
};

struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct Msg {
    Hwnd hwnd;
    std::uint32_t message;
    WParam wParam;
    LParam lParam;
    std::uint32_t time;
    Point pt;
};

struct PaintStruct {
    Hdc hdc;
    std::int32_t erase;
    Rect paint;
};

using WindowProc = LResult (*)(Hwnd, std::uint32_t, WParam, LParam);
using DialogProc = std::intptr_t (*)(Hwnd, std::uint32_t, WParam, LParam);

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

struct BrowseInfo {
    Hwnd owner;
    Pidl root;
    char* displayName;  // at least kMaxPath bytes
    const char* title;
    std::uint32_t flags;
};

// ---------------------------------------------------------------- modules
Hmodule LoadLibraryA(const char* name);
std::int32_t FreeLibrary(Hmodule module);
FarProc GetProcAddress(Hmodule module, const char* name);
Hmodule GetModuleHandleA(const char* name);  // no load, no reference taken
// The two exported functions the program calls through a looked-up address.
std::int32_t CallDwmEnableComposition(FarProc fn, std::uint32_t enable);
Himc CallImmAssociateContext(FarProc fn, Hwnd window, Himc context);

// ---------------------------------------------------------------- start-up
const char* GetCommandLineA();
std::uint32_t GetUserDefaultLCID();
std::intptr_t DialogBoxParamA(Hmodule instance, std::uintptr_t templateId, Hwnd owner,
                              DialogProc proc, LParam param);

// ---------------------------------------------------------------- registry
std::int32_t RegCreateKeyExA(Hkey root, const char* subKey, const char* className,
                             std::uint32_t options, std::uint32_t access, Hkey* result);
std::int32_t RegQueryValueExA(Hkey key, const char* name, std::uint32_t* type, void* data,
                              std::uint32_t* size);
std::int32_t RegSetValueExA(Hkey key, const char* name, std::uint32_t type, const void* data,
                            std::uint32_t size);
std::int32_t RegCloseKey(Hkey key);

// ---------------------------------------------------------------- heap
Handle GetProcessHeap();
void* HeapAlloc(Handle heap, std::uint32_t flags, std::size_t bytes);
void* HeapReAlloc(Handle heap, std::uint32_t flags, void* block, std::size_t bytes);
std::int32_t HeapFree(Handle heap, std::uint32_t flags, void* block);

// ---------------------------------------------------------------- files and folders
std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size);
std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size);
// Start of the character before `current`, honouring the system code page's
// double-byte characters.
const char* CharPrevA(const char* start, const char* current);
Handle FindFirstFileA(const char* pattern, FindData* data);
std::int32_t FindNextFileA(Handle find, FindData* data);
std::int32_t FindClose(Handle find);
// A folder opens only with kFileFlagBackupSemantics; a link is followed to
// what it names. Closed with CloseHandle.
Handle CreateFileA(const char* name, std::uint32_t access, std::uint32_t share,
                   std::uint32_t disposition, std::uint32_t flags);
std::int32_t GetFileInformationByHandle(Handle file, FileIdentity* identity);

// ---------------------------------------------------------------- processes and waits
std::int32_t CreateProcessA(const char* applicationName, char* commandLine,
                            void* processAttributes, void* threadAttributes,
                            std::int32_t inheritHandles, std::uint32_t creationFlags,
                            void* environment, const char* currentDirectory,
                            StartupInfo* startupInfo, ProcessInformation* processInformation);
std::uint32_t WaitForSingleObject(Handle handle, std::uint32_t milliseconds);
// WAIT_OBJECT_0 + count when input of the wake mask arrived, not a handle.
std::uint32_t MsgWaitForMultipleObjects(std::uint32_t count, const Handle* handles,
                                        std::int32_t waitAll, std::uint32_t milliseconds,
                                        std::uint32_t wakeMask);
std::int32_t CloseHandle(Handle handle);
std::int32_t GetExitCodeProcess(Handle process, std::uint32_t* exitCode);
std::uint32_t GetTickCount();

// ---------------------------------------------------------------- input and cursor
// The tick count of the last input event the system received, any program's,
// real or imitated (GetLastInputInfo). 0 when it could not be read.
std::int32_t GetLastInputInfo(std::uint32_t* tick);
std::int32_t GetCursorPos(Point* point);
std::int32_t SetCursorPos(std::int32_t x, std::int32_t y);
void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra);
Hcursor SetCursor(Hcursor cursor);
Hcursor LoadCursorA(Hmodule instance, std::uintptr_t id);

// ---------------------------------------------------------------- windows and messages
Hwnd FindWindowA(const char* className, const char* title);
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

// ---------------------------------------------------------------- dialogs
std::int32_t CheckDlgButton(Hwnd dialog, std::int32_t id, std::uint32_t state);
std::uint32_t IsDlgButtonChecked(Hwnd dialog, std::int32_t id);
std::int32_t SetDlgItemTextA(Hwnd dialog, std::int32_t id, const char* text);
std::uint32_t GetDlgItemTextA(Hwnd dialog, std::int32_t id, char* buffer, std::int32_t size);
Hwnd GetDlgItem(Hwnd dialog, std::int32_t id);
std::int32_t EndDialog(Hwnd dialog, std::intptr_t result);
std::int32_t MessageBoxA(Hwnd owner, const char* text, const char* caption, std::uint32_t type);

// ---------------------------------------------------------------- shell
Pidl SHBrowseForFolderA(const BrowseInfo* info);
std::int32_t SHGetPathFromIDListA(Pidl list, char* path);
void CoTaskMemFree(void* block);
// An HRESULT: S_OK or S_FALSE (already initialised) must each be matched by
// CoUninitialize; a failure must not.
std::int32_t CoInitializeEx(void* reserved, std::uint32_t flags);
void CoUninitialize();
std::intptr_t ShellExecuteA(Hwnd window, const char* verb, const char* file,
                            const char* parameters, const char* directory, std::int32_t show);

}  // namespace plat
