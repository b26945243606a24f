// Measures the texts of the settings dialog against their boxes, the way the
// system draws them: each template of SLUMBMIX.SCR is created (hidden) and
// every static text, button, check box and group box text is measured with
// the dialog's own font. The dialog is made under the program's own
// manifest, as Windows starts the program: with the controls of Common
// Controls 6, aware of the system DPI, so that it is measured at the size
// the user sees.
//
//   label_fit.exe <SLUMBMIX.SCR>
//
// First "codepage <the system's ANSI code page>" and "dpi <dots per inch>",
// then one line per control with a text:
//   <template> <control number> <id> text <width> box <width> fits|overflows
// Check boxes count their box and the gap before the text. Ends with 0 when
// it could measure both templates.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct Walk {
    int templateId;
    int number;
};

BOOL CALLBACK Measure(HWND control, LPARAM param) {
    Walk& walk = *reinterpret_cast<Walk*>(param);
    ++walk.number;
    wchar_t text[128] = L"";
    if (GetWindowTextW(control, text, 128) == 0) return TRUE;
    wchar_t cls[32] = L"";
    GetClassNameW(control, cls, 32);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (lstrcmpiW(cls, L"Button") != 0 && lstrcmpiW(cls, L"Static") != 0) return TRUE;

    HDC dc = GetDC(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    RECT need = {0, 0, 0, 0};
    DrawTextW(dc, text, -1, &need, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(control, dc);

    RECT box;
    GetClientRect(control, &box);
    LONG room = box.right;
    const LONG kind = style & BS_TYPEMASK;
    if (lstrcmpiW(cls, L"Button") == 0 && (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX))
        room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the check box and the gap after it
    if (lstrcmpiW(cls, L"Button") == 0 && kind == BS_GROUPBOX) room -= 16;  // frame before and after
    char utf8[512];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%d %d %d text %ld box %ld %s %s\n", walk.templateId, walk.number,
                GetDlgCtrlID(control), need.right, room, need.right <= room ? "fits" : "overflows",
                utf8);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    ACTCTXA manifest = {};
    manifest.cbSize = sizeof manifest;
    manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    manifest.lpSource = argv[1];
    manifest.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&manifest);
    ULONG_PTR cookie = 0;
    if (context == INVALID_HANDLE_VALUE || !ActivateActCtx(context, &cookie)) return 2;
    SetProcessDPIAware();  // what the manifest's dpiAware does for the program
    std::printf("codepage %u\n", GetACP());
    HDC screen = GetDC(nullptr);
    std::printf("dpi %d\n", GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return 2;
    for (int id = 1; id <= 2; ++id) {
        HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(id), nullptr, Quiet, 0);
        if (!dialog) return 2;
        Walk walk = {id, 0};
        EnumChildWindows(dialog, Measure, reinterpret_cast<LPARAM>(&walk));
        DestroyWindow(dialog);
    }
    std::fflush(stdout);
    return 0;
}
