// Module loading, the command line, the locale and the modal dialog call.
#include "platform/win32/win32.h"

namespace plat {
using win32::As;

Hmodule LoadLibraryA(const char* name) { return ::LoadLibraryA(name); }
std::int32_t FreeLibrary(Hmodule module) { return ::FreeLibrary(As<HMODULE>(module)); }
FarProc GetProcAddress(Hmodule module, const char* name) {
    return As<FarProc>(::GetProcAddress(As<HMODULE>(module), name));
}
Hmodule GetModuleHandleA(const char* name) { return ::GetModuleHandleA(name); }

std::int32_t CallDwmEnableComposition(FarProc fn, std::uint32_t enable) {
    using Fn = HRESULT(WINAPI*)(UINT);
    return As<Fn>(fn)(enable);
}

Himc CallImmAssociateContext(FarProc fn, Hwnd window, Himc context) {
    using Fn = void*(WINAPI*)(HWND, void*);
    return As<Fn>(fn)(As<HWND>(window), context);
}

const char* GetCommandLineA() { return ::GetCommandLineA(); }
std::uint32_t GetUserDefaultLCID() { return ::GetUserDefaultLCID(); }

namespace {
// The process shows at most one dialog, so the portable procedure behind the
// stdcall thunk can live in one variable.
DialogProc g_dialogProc = nullptr;

INT_PTR CALLBACK DialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return g_dialogProc ? g_dialogProc(dialog, message, wParam, lParam) : FALSE;
}
}  // namespace

std::intptr_t DialogBoxParamA(Hmodule instance, std::uintptr_t templateId, Hwnd owner,
                              DialogProc proc, LParam param) {
    g_dialogProc = proc;
    return ::DialogBoxParamA(As<HINSTANCE>(instance), MAKEINTRESOURCEA(templateId),
                             As<HWND>(owner), DialogThunk, param);
}

}  // namespace plat
