// The fake of platform/modules.h. Scripted state for modules and their
// exports, the command line and the locale.
#pragma once

#include <map>
#include <string>

#include "fake/fake.h"
#include "platform/modules.h"

namespace fake {

struct ModulesState {
    std::string commandLine = "SLUMBMIX.SCR";
    std::uint32_t lcid = 0x0409;
    // Libraries LoadLibraryA can find, and what GetModuleHandleA sees as loaded.
    std::map<std::string, plat::Hmodule> loadable;
    std::map<std::string, plat::Hmodule> loaded;
    // Exports: "module-token:name" is looked up by GetProcAddress.
    std::map<std::pair<plat::Hmodule, std::string>, plat::FarProc> exports;
    plat::Himc immResult = nullptr;  // what ImmAssociateContext returns
};
inline Scripted<ModulesState> modules;

// A non-null function pointer to script as an export.
plat::FarProc FakeExport();

}  // namespace fake
