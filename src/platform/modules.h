// Modules and the start of the process: loading libraries and calling what
// they export, the command line and the user's locale.
//
//   constants  the Japanese language id
//   calls      modules: LoadLibraryA, FreeLibrary, GetProcAddress,
//              GetModuleHandleA, CallDwmEnableComposition,
//              CallImmAssociateContext
//              start-up: GetCommandLineA, GetUserDefaultLCID
//
// Win32: src/platform/win32/modules.cpp. Fake: tests/unit/fake/fake_modules.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
// Locale
constexpr std::uint16_t kLangJapanese = 0x0411;

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

}  // namespace plat
