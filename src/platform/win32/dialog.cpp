// The modal dialog, dialog controls and message boxes.
#include "platform/dialog.h"
#include "platform/win32/win32.h"

namespace plat {
using win32::As;

namespace {
// The process shows at most one dialog, so the portable procedure behind the
// stdcall thunk can live in one variable.
DialogProc PortableDialogProc = nullptr;  // written by DialogBoxParamA, read by DialogThunk

INT_PTR CALLBACK DialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return PortableDialogProc ? PortableDialogProc(dialog, message, wParam, lParam) : FALSE;
}
}  // namespace

std::intptr_t DialogBoxParamA(Hmodule instance, std::uintptr_t templateId, Hwnd owner,
                              DialogProc proc, LParam param) {
    PortableDialogProc = proc;
    return ::DialogBoxParamA(As<HINSTANCE>(instance), MAKEINTRESOURCEA(templateId),
                             As<HWND>(owner), DialogThunk, param);
}

std::int32_t CheckDlgButton(Hwnd dialog, std::int32_t id, std::uint32_t state) {
    return ::CheckDlgButton(As<HWND>(dialog), id, state);
}
std::uint32_t IsDlgButtonChecked(Hwnd dialog, std::int32_t id) {
    return ::IsDlgButtonChecked(As<HWND>(dialog), id);
}
std::int32_t SetDlgItemTextA(Hwnd dialog, std::int32_t id, const char* text) {
    return ::SetDlgItemTextA(As<HWND>(dialog), id, text);
}
std::uint32_t GetDlgItemTextA(Hwnd dialog, std::int32_t id, char* buffer, std::int32_t size) {
    return ::GetDlgItemTextA(As<HWND>(dialog), id, buffer, size);
}
Hwnd GetDlgItem(Hwnd dialog, std::int32_t id) { return ::GetDlgItem(As<HWND>(dialog), id); }
std::int32_t EndDialog(Hwnd dialog, std::intptr_t result) {
    return ::EndDialog(As<HWND>(dialog), result);
}
std::int32_t MessageBoxA(Hwnd owner, const char* text, const char* caption, std::uint32_t type) {
    return ::MessageBoxA(As<HWND>(owner), text, caption, type);
}

}  // namespace plat
