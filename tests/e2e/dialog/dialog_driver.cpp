// Operates SLUMBMIX.SCR's settings dialog from outside, the way a user would,
// with window messages only. "Message box" below means any dialog the
// settings dialog owns: the support question, the folder browser, or the
// settings dialog of a screen saver that took ours as its owner. Run under
// the same Wine prefix as the dialog.
//
//   dialog_driver <step> [<step> ...]
//
// Steps run in order; each prints what it saw as "key=value" lines (UTF-8)
// and the driver exits 1 at the first step that fails, 0 otherwise.
//   find <ms>             wait up to <ms> for the dialog to be shown
//   dump                  the title, every control's state (text, enabled,
//                         visible, check) by its id, and the list lines
//   click <id>            press a button or check box (BM_CLICK, synchronous)
//   post-click <id>       press it without waiting for the dialog (Setting, Preview)
//   settext <id> <text>   replace an edit box's text, as typing would
//   select <index>        choose a list line (its selection change notification included)
//   close                 the caption's close box
//   responsive <ms>       whether the dialog's thread runs its message loop: a
//                         message posted to it is taken within <ms>
//   serves-sent <ms>      whether the dialog answers a sent message within <ms>
//   gone <ms>             wait up to <ms> for the dialog to end
//   rect                  the dialog's screen rectangle: left top width height
//   centre <id>           the screen point at the middle of a control: x y,
//                         where a real click (xdotool) on it lands
//   handle                the dialog's window handle, in decimal, as a screen
//                         saver's "/c:<handle>" takes it
//   enabled               whether the dialog takes input (a modal dialog it
//                         owns disables it)
//   saver-shown <ms>      wait up to <ms> for a "WindowsScreenSaverClass" window
//   close-saver           post WM_CLOSE to that window
//   box <ms>              wait up to <ms> for a message box owned by the dialog;
//                         print its caption and text
//   box-click <id>        press a button of that message box (6 Yes, 7 No)
//   box-gone <ms>         wait up to <ms> until no such box is shown
//   ideal-size <id>       BCM_GETIDEALSIZE to a button: answered (1) with its
//                         size only by the buttons of Common Controls 6
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

HWND g_dialog = nullptr;
HWND g_box = nullptr;

std::string Utf8(const wchar_t* text) {
    char buffer[4096];
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return n > 0 ? std::string(buffer, n - 1) : std::string();
}

void Print(const std::string& key, const std::string& value) {
    std::printf("%s=%s\n", key.c_str(), value.c_str());
}

// WM_GETTEXT rather than GetWindowText: across processes the latter does not
// ask an edit box for its text.
std::string WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return lstrcmpiW(className, name) == 0;
}

// The first visible dialog window that is the settings dialog (no owner
// given: its title starts with "Slumbermix") or that the given window owns.
struct DialogSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<DialogSearch*>(param);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    const bool wanted = search.owner ? GetWindow(window, GW_OWNER) == search.owner
                                     : std::wcsncmp(title, L"Slumbermix", 10) == 0;
    if (!wanted || !HasClass(window, L"#32770") || !IsWindowVisible(window)) return TRUE;
    search.found = window;
    return FALSE;
}

HWND VisibleDialog(HWND owner) {
    DialogSearch search = {owner, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitFor(bool (*done)(), int ms) {
    for (int waited = 0;; waited += 50) {
        if (done()) return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

bool Found() { return (g_dialog = VisibleDialog(nullptr)) != nullptr; }
bool Gone() { return !IsWindow(g_dialog); }
bool SaverShown() { return FindWindowW(L"WindowsScreenSaverClass", nullptr) != nullptr; }
bool BoxShown() { return (g_box = VisibleDialog(g_dialog)) != nullptr; }
bool BoxGone() { return !BoxShown(); }

// The message box's text: its longest static control.
BOOL CALLBACK LongestStatic(HWND window, LPARAM found) {
    auto& best = *reinterpret_cast<std::string*>(found);
    if (HasClass(window, L"Static")) {
        const std::string text = WindowText(window);
        if (text.size() > best.size()) best = text;
    }
    return TRUE;
}

HWND Item(int id) { return GetDlgItem(g_dialog, id); }

// A thread that waits while serving only sent messages still answers
// SendMessage; whether it runs its message loop shows in what it does with a
// posted message. The probe is EM_LIMITTEXT posted to the change-time field,
// toggling its limit between two values far above any number of minutes,
// read back with EM_GETLIMITTEXT (sent, so answered either way). A probe
// left in the queue is taken once the loop runs again; it changes nothing
// the user could notice.
LRESULT g_probeLimit = 0;

bool ProbeTaken() {
    DWORD_PTR limit = 0;
    return SendMessageTimeoutW(Item(108), EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 1000, &limit) &&
           static_cast<LRESULT>(limit) == g_probeLimit;
}

bool TakesPostedMessages(int ms) {
    DWORD_PTR limit = 0;
    if (!SendMessageTimeoutW(Item(108), EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, ms, &limit))
        return false;
    g_probeLimit = limit == 32767 ? 32766 : 32767;
    PostMessageW(Item(108), EM_LIMITTEXT, static_cast<WPARAM>(g_probeLimit), 0);
    return WaitFor(ProbeTaken, ms);
}

// BCM_GETIDEALSIZE writes a SIZE through its pointer, which is not carried
// across processes: the SIZE lives in the dialog's process, written and read
// back there. "ideal=<answer> <cx> <cy>"; the buttons of user32, which the
// dialog gets without Common Controls 6, leave the message to
// DefWindowProc: 0 0 0.
bool IdealSize(HWND button) {
    DWORD pid = 0;
    GetWindowThreadProcessId(button, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, pid);
    if (!process) return false;
    SIZE size = {0, 0};
    void* remote = VirtualAllocEx(process, nullptr, sizeof size, MEM_COMMIT, PAGE_READWRITE);
    bool read = false;
    DWORD_PTR answer = 0;
    if (remote && WriteProcessMemory(process, remote, &size, sizeof size, nullptr) &&
        SendMessageTimeoutW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(remote),
                            SMTO_NORMAL, 5000, &answer))
        read = ReadProcessMemory(process, remote, &size, sizeof size, nullptr);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (read)
        std::printf("ideal=%d %ld %ld\n", static_cast<int>(answer), size.cx, size.cy);
    return read;
}

// Every control of the dialog with an id, as its template made it: its
// text, whether it is enabled and visible, and a check box's state; then
// the list box's lines and selection.
BOOL CALLBACK DumpControl(HWND control, LPARAM) {
    const int id = GetDlgCtrlID(control);
    if (id == 0 || id == 0xFFFF || id == -1) return TRUE;
    const std::string at = std::to_string(id);
    Print("text." + at, WindowText(control));
    Print("enabled." + at, IsWindowEnabled(control) ? "1" : "0");
    Print("visible." + at, IsWindowVisible(control) ? "1" : "0");
    const LONG kind = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (HasClass(control, L"Button") && (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX))
        Print("check." + at, std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0)));
    return TRUE;
}

void Dump() {
    Print("title", WindowText(g_dialog));
    EnumChildWindows(g_dialog, DumpControl, 0);
    HWND list = Item(110);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    Print("list.count", std::to_string(count));
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t line[1024] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 1024) continue;
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        Print("list." + std::to_string(i), Utf8(line));
    }
    Print("list.sel", std::to_string(SendMessageW(list, LB_GETCURSEL, 0, 0)));
}

// A control's notification: posted when the dialog may block on it (Setting,
// Preview), sent otherwise, as the control itself sends it, so that the
// steps that follow see its effect.
void PostCommand(int id, int code) {
    PostMessageW(g_dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

void SendCommand(int id, int code) {
    SendMessageW(g_dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
}

int Fail(const char* what) {
    Print("error", what);
    return 1;
}

}  // namespace

int main() {
    // Every line reaches the test's file as it is printed, even when a time
    // limit ends the driver.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
        const std::wstring step = argv[i];
        auto next = [&]() -> const wchar_t* { return i + 1 < argc ? argv[++i] : L""; };
        // No dialog is what "find" waits out and "gone" waits for.
        if (!g_dialog && !Found() && step != L"find" && step != L"gone") return Fail("no dialog");

        if (step == L"find") {
            if (!WaitFor(Found, _wtoi(next()))) return Fail("dialog not shown");
            Print("found", "1");
        } else if (step == L"dump") {
            Dump();
        } else if (step == L"click") {
            HWND button = Item(_wtoi(next()));
            if (!button) return Fail("no such control");
            SendMessageW(button, BM_CLICK, 0, 0);
        } else if (step == L"post-click") {
            PostCommand(_wtoi(next()), BN_CLICKED);
        } else if (step == L"settext") {
            HWND edit = Item(_wtoi(next()));
            const std::wstring text = next();
            if (!edit) return Fail("no such control");
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        } else if (step == L"select") {
            const int index = _wtoi(next());
            if (SendMessageW(Item(110), LB_SETCURSEL, index, 0) == LB_ERR)
                return Fail("no such line");
            SendCommand(110, LBN_SELCHANGE);
        } else if (step == L"close") {
            PostMessageW(g_dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (step == L"responsive") {
            Print("responsive", TakesPostedMessages(_wtoi(next())) ? "1" : "0");
        } else if (step == L"serves-sent") {
            DWORD_PTR result = 0;
            const bool answered = SendMessageTimeoutW(g_dialog, WM_NULL, 0, 0, SMTO_NORMAL,
                                                      _wtoi(next()), &result) != 0;
            Print("serves-sent", answered ? "1" : "0");
        } else if (step == L"gone") {
            if (!WaitFor(Gone, _wtoi(next()))) return Fail("dialog still open");
            Print("gone", "1");
        } else if (step == L"rect") {
            RECT r;
            GetWindowRect(g_dialog, &r);
            std::printf("rect=%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left,
                        r.bottom - r.top);
        } else if (step == L"centre") {
            RECT r;
            if (!GetWindowRect(Item(_wtoi(next())), &r)) return Fail("no such control");
            std::printf("centre=%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        } else if (step == L"handle") {
            Print("handle", std::to_string(reinterpret_cast<UINT_PTR>(g_dialog)));
        } else if (step == L"enabled") {
            Print("enabled", IsWindowEnabled(g_dialog) ? "1" : "0");
        } else if (step == L"saver-shown") {
            if (!WaitFor(SaverShown, _wtoi(next()))) return Fail("no saver window");
            Print("saver", "shown");
        } else if (step == L"close-saver") {
            HWND saver = FindWindowW(L"WindowsScreenSaverClass", nullptr);
            if (!saver) return Fail("no saver window");
            PostMessageW(saver, WM_CLOSE, 0, 0);
        } else if (step == L"box") {
            if (!WaitFor(BoxShown, _wtoi(next()))) return Fail("no message box");
            std::string text;
            EnumChildWindows(g_box, LongestStatic, reinterpret_cast<LPARAM>(&text));
            Print("box.title", WindowText(g_box));
            // One line per line of the text.
            for (std::size_t start = 0, n = 0;; ++n) {
                const std::size_t end = text.find('\n', start);
                std::string line = text.substr(start, end - start);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                Print("box.text." + std::to_string(n), line);
                if (end == std::string::npos) break;
                start = end + 1;
            }
        } else if (step == L"ideal-size") {
            HWND button = Item(_wtoi(next()));
            if (!button) return Fail("no such control");
            if (!IdealSize(button)) return Fail("could not ask the button");
        } else if (step == L"box-gone") {
            if (!WaitFor(BoxGone, _wtoi(next()))) return Fail("message box still shown");
            Print("box", "gone");
        } else if (step == L"box-click") {
            if (!g_box) BoxShown();
            HWND button = g_box ? GetDlgItem(g_box, _wtoi(next())) : nullptr;
            if (!button) return Fail("no such message box button");
            PostMessageW(button, BM_CLICK, 0, 0);
        } else {
            return Fail("unknown step");
        }
    }
    return 0;
}
