#include "fake/fake_modules.h"

namespace fake {

// One lambda expression, so one function, whenever it is called.
plat::FarProc FakeExport() { return [] {}; }

}  // namespace fake

namespace plat {
using fake::Record;
using fake::modules;

Hmodule LoadLibraryA(const char* name) {
    Record("LoadLibraryA", name);
    auto it = modules.loadable.find(name);
    if (it == modules.loadable.end()) return nullptr;
    modules.loaded[name] = it->second;
    return it->second;
}

std::int32_t FreeLibrary(Hmodule module) { return fake::Answer(1, "FreeLibrary", module); }

FarProc GetProcAddress(Hmodule module, const char* name) {
    Record("GetProcAddress", module, name);
    auto it = modules.exports.find({module, name});
    return it == modules.exports.end() ? nullptr : it->second;
}

Hmodule GetModuleHandleA(const char* name) {
    Record("GetModuleHandleA", name);
    auto it = modules.loaded.find(name);
    return it == modules.loaded.end() ? nullptr : it->second;
}

std::int32_t CallDwmEnableComposition(FarProc fn, std::uint32_t enable) {
    return fake::Answer(0, "DwmEnableComposition", reinterpret_cast<void*>(fn), enable);
}

Himc CallImmAssociateContext(FarProc fn, Hwnd window, Himc context) {
    Record("ImmAssociateContext", reinterpret_cast<void*>(fn), window, context);
    return modules.immResult;
}

const char* GetCommandLineA() {
    return fake::Answer(modules.commandLine.c_str(), "GetCommandLineA");
}

std::uint32_t GetUserDefaultLCID() { return fake::Answer(modules.lcid, "GetUserDefaultLCID"); }

}  // namespace plat
