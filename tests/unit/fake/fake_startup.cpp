#include "fake/fake_startup.h"

namespace fake {

StartupState startup;
namespace {
ResetHook hook([] { startup = StartupState{}; });

void Export1() {}
void Export2() {}
void Export3() {}
}  // namespace

plat::FarProc FakeExport(int n) {
    switch (n) {
        case 1: return Export1;
        case 2: return Export2;
        default: return Export3;
    }
}

}  // namespace fake

namespace plat {
using fake::Record;
using fake::startup;

Hmodule LoadLibraryA(const char* name) {
    Record("LoadLibraryA", name);
    auto it = startup.loadable.find(name);
    if (it == startup.loadable.end()) return nullptr;
    startup.loaded[name] = it->second;
    return it->second;
}

std::int32_t FreeLibrary(Hmodule module) {
    Record("FreeLibrary", module);
    return 1;
}

FarProc GetProcAddress(Hmodule module, const char* name) {
    Record("GetProcAddress", module, name);
    auto it = startup.exports.find({module, name});
    return it == startup.exports.end() ? nullptr : it->second;
}

Hmodule GetModuleHandleA(const char* name) {
    Record("GetModuleHandleA", name);
    auto it = startup.loaded.find(name);
    return it == startup.loaded.end() ? nullptr : it->second;
}

std::int32_t CallDwmEnableComposition(FarProc fn, std::uint32_t enable) {
    Record("DwmEnableComposition", reinterpret_cast<void*>(fn), enable);
    return 0;
}

Himc CallImmAssociateContext(FarProc fn, Hwnd window, Himc context) {
    Record("ImmAssociateContext", reinterpret_cast<void*>(fn), window, context);
    return startup.immResult;
}

const char* GetCommandLineA() {
    Record("GetCommandLineA");
    return startup.commandLine.c_str();
}

std::uint32_t GetUserDefaultLCID() {
    Record("GetUserDefaultLCID");
    return startup.lcid;
}

std::intptr_t DialogBoxParamA(Hmodule instance, std::uintptr_t templateId, Hwnd owner,
                              DialogProc proc, LParam param) {
    Record("DialogBoxParamA", instance, templateId, owner, reinterpret_cast<void*>(proc), param);
    return startup.dialogResult;
}

}  // namespace plat
