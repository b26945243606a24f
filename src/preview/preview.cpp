#include "preview/preview.h"

#include "platform/input.h"
#include "platform/modules.h"
#include "platform/window.h"
#include "settings/settings.h"

namespace {

const char kProductName[] = "Slumbermix";
constexpr std::int32_t kProductNameLength = 10;
constexpr std::uintptr_t kIconId = 1;

// The layout takes the icon as 32x32 pixels and the name as 100 pixels wide.
constexpr std::int32_t kIconSize = 32;
constexpr std::int32_t kNameWidth = 100;
constexpr std::uint32_t kLightGrey = 0xC0C0C0;
constexpr std::uint32_t kBlack = 0x000000;

// The one preview window of the process.
struct PreviewState {
    plat::Hwnd parent;  // null when the window runs stand-alone
    plat::Rect client;  // taken once, after the window is shown
    plat::Hicon icon;
    // ImmAssociateContext, when IMM32.DLL was already loaded, and the input
    // context it took away from the window at creation.
    plat::FarProc associateContext;
    plat::Himc savedContext;
};

PreviewState Preview;  // written by RunPreview and the window procedure

bool StandAlone() { return Preview.parent == nullptr; }

// The window gets no input-method context while it exists. IMM32.DLL is only
// used when something else already loaded it into the process.
void DetachInputContext(plat::Hwnd window) {
    Preview.associateContext = nullptr;
    Preview.savedContext = nullptr;
    plat::Hmodule imm = plat::GetModuleHandleA("IMM32.DLL");
    if (!imm) return;
    Preview.associateContext = plat::GetProcAddress(imm, "ImmAssociateContext");
    if (!Preview.associateContext) return;
    Preview.savedContext = plat::CallImmAssociateContext(Preview.associateContext, window, nullptr);
}

void RestoreInputContext(plat::Hwnd window) {
    if (Preview.associateContext && Preview.savedContext)
        plat::CallImmAssociateContext(Preview.associateContext, window, Preview.savedContext);
}

// Halving is an arithmetic shift, so a window smaller than the picture puts
// it at negative coordinates rounded towards minus infinity.
void Paint(plat::Hwnd window) {
    const std::int32_t width = Preview.client.right - Preview.client.left;
    const std::int32_t height = Preview.client.bottom - Preview.client.top;
    const std::int32_t middle = (height - kIconSize) >> 1;

    plat::PaintStruct paint;
    plat::Hdc dc = plat::BeginPaint(window, &paint);
    plat::DrawIcon(dc, (width - kIconSize) >> 1, middle - 16, Preview.icon);
    plat::SetTextColor(dc, kLightGrey);
    plat::SetBkColor(dc, kBlack);
    plat::TextOutA(dc, (width - kNameWidth) >> 1, middle + 32, kProductName, kProductNameLength);
    plat::EndPaint(window, &paint);
}

void CloseWhenStandAlone(plat::Hwnd window) {
    if (StandAlone()) plat::PostMessageA(window, plat::kWmClose, 0, 0);
}

}  // namespace

plat::LResult PreviewWindowProc(plat::Hwnd window, std::uint32_t message, plat::WParam wParam,
                                plat::LParam lParam) {
    switch (message) {
        case plat::kWmCreate:
            DetachInputContext(window);
            return 0;
        case plat::kWmDestroy:
            RestoreInputContext(window);
            plat::PostQuitMessage(0);
            return 0;
        case plat::kWmPaint:
            Paint(window);
            return 0;
        case plat::kWmActivateApp:
            if (wParam == 0) CloseWhenStandAlone(window);
            return 0;
        case plat::kWmKeyDown:
        case plat::kWmSysKeyDown:
        case plat::kWmLButtonDown:
        case plat::kWmRButtonDown:
        case plat::kWmMButtonDown:
            CloseWhenStandAlone(window);
            return 0;
        case plat::kWmSetCursor:
            if (StandAlone()) plat::SetCursor(nullptr);
            return 0;
        case plat::kWmHelp:
        case plat::kWmContextMenu:
            // Help belongs to the dialog that holds the preview.
            if (StandAlone()) return 0;
            plat::PostMessageA(Preview.parent, message,
                               reinterpret_cast<plat::WParam>(Preview.parent), lParam);
            return 1;
        case plat::kWmSysCommand:
            // No system command is carried out, SC_SCREENSAVE included.
            return 0;
        default:
            return plat::DefWindowProcA(window, message, wParam, lParam);
    }
}

std::intptr_t RunPreview(plat::Hwnd parent, plat::Hmodule instance) {
    // Nothing from the settings is used here; loading them creates the
    // settings key when it is missing.
    LoadSettings();

    Preview = PreviewState{};
    Preview.parent = parent;
    Preview.icon = plat::LoadIconA(instance, kIconId);

    plat::WndClass windowClass{};
    windowClass.style = 0;
    windowClass.proc = PreviewWindowProc;
    windowClass.instance = instance;
    windowClass.icon = Preview.icon;
    windowClass.cursor = StandAlone() ? nullptr : plat::LoadCursorA(nullptr, plat::kIdcArrow);
    windowClass.background = plat::GetStockObject(plat::kBlackBrush);
    windowClass.menuName = nullptr;
    windowClass.className = plat::kScreenSaverClass;
    if (!plat::RegisterClassA(&windowClass)) return 0;

    const std::uint32_t style = StandAlone() ? plat::kWsPopupPreview : plat::kWsChildPreview;
    plat::Hwnd window = plat::CreateWindowExA(0, plat::kScreenSaverClass, kProductName, style, 0, 0, 0, 0,
                                              parent, nullptr, instance, nullptr);
    if (!window) return 0;

    plat::ShowWindow(window, plat::kSwShowMaximized);
    plat::GetClientRect(window, &Preview.client);
    plat::UpdateWindow(window);

    plat::Msg msg;
    while (plat::GetMessageA(&msg, nullptr, 0, 0)) {
        plat::TranslateMessage(&msg);
        plat::DispatchMessageA(&msg);
    }
    return static_cast<std::intptr_t>(msg.wParam);
}
