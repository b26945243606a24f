// Module loading, the command line and the locale.
#include "platform/modules.h"
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

}  // namespace plat
