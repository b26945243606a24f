// The Windows entry point. It first shuts the library search off from the
// folders a downloaded file lands in, then makes the up-down control class
// available before any dialog can be created (the settings templates name
// "msctls_updown32"), then hands over to the portable start-up code.
#include "platform/win32/win32.h"

#include <commctrl.h>

#include "startup/startup.h"

namespace {

// People run a downloaded SLUMBMIX.SCR where it lies (Test, Configure,
// Install), and whatever else was downloaded lies beside it or in the
// current folder. A DLL loaded by name, by us or by a system DLL on our
// behalf (the shell's folder browser and ShellExecute load more as they
// go), would be looked for in those folders before the system's. The
// current folder leaves the search everywhere; where the system can (from
// Windows 8, or 7 with KB2533623) System32 becomes the only default place,
// which also takes out the program's own folder. Looked up at run time: an
// import of it would stop the program from starting on an unpatched
// Windows 7.
void KeepLibrarySearchToSystem() {
    ::SetDllDirectoryA("");
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    if (!kernel) return;
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    KeepLibrarySearchToSystem();
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_UPDOWN_CLASS;
    ::InitCommonControlsEx(&controls);
    return RunSlumbermix(instance);
}
