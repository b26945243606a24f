#include "startup/startup.h"

#include "dialog/dialog.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "platform/shell.h"
#include "player/player.h"
#include "preview/preview.h"
#include "settings/settings.h"
#include "text/text.h"

namespace {

// dwmapi.dll is not one of the DLLs Windows always takes from System32, so
// asked for by name it would be looked for first in the folder the program
// was started from, where anything downloaded with it may lie. It is loaded
// from the System directory by its full path, or not at all.
plat::Hmodule LoadSystemLibrary(const char* name) {
    char folder[plat::kMaxPath];
    const std::uint32_t length = plat::GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return nullptr;
    char path[plat::kMaxPath];
    BoundedText text = StartText(path, sizeof path);
    AppendBytes(text, folder, length);
    Append(text, "\\");
    Append(text, name);
    return text.fits ? plat::LoadLibraryA(path) : nullptr;
}

// Settings mode's shell calls (the folder browser, ShellExecuteA) need COM
// on this thread, in a single-threaded apartment. A failure leaves them to
// do what they can without it.
void ShowSettingsDialog(plat::Hmodule instance, plat::Hwnd owner) {
    const std::int32_t com =
        plat::CoInitializeEx(nullptr, plat::kCoinitApartmentThreaded | plat::kCoinitDisableOle1Dde);
    plat::DialogBoxParamA(instance, DialogTemplateFor(plat::GetUserDefaultLCID()), owner,
                          SettingsDialogProc, 0);
    if (com >= 0) plat::CoUninitialize();
}

}  // namespace

int RunSlumbermix(plat::Hmodule instance) {
    DwmLibrary = LoadSystemLibrary("dwmapi.dll");
    const CommandLine command = ParseCommandLine(plat::GetCommandLineA());

    switch (command.mode) {
        case RunMode::Run:
            RunPlayer(command.optionText);
            break;
        case RunMode::Preview:
            RunPreview(plat::WindowFromNumber(command.handle), instance);
            break;
        case RunMode::Settings:
            ShowSettingsDialog(instance, plat::WindowFromNumber(command.handle));
            break;
    }

    if (DwmLibrary) plat::FreeLibrary(DwmLibrary);
    DwmLibrary = nullptr;
    return 0;
}
