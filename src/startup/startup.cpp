#include "startup/startup.h"

#include "dialog/dialog.h"
#include "platform/dialog.h"
#include "platform/modules.h"
#include "player/player.h"
#include "preview/preview.h"
#include "settings/settings.h"

int RunSlumbermix(plat::Hmodule instance) {
    DwmLibrary = plat::LoadLibraryA("dwmapi.dll");
    const CommandLine command = ParseCommandLine(plat::GetCommandLineA());

    switch (command.mode) {
        case RunMode::Run:
            RunPlayer(command.optionText);
            break;
        case RunMode::Preview:
            RunPreview(plat::WindowFromNumber(command.handle), instance);
            break;
        case RunMode::Settings:
            plat::DialogBoxParamA(instance, DialogTemplateFor(plat::GetUserDefaultLCID()),
                                  plat::WindowFromNumber(command.handle), SettingsDialogProc, 0);
            break;
    }

    if (DwmLibrary) plat::FreeLibrary(DwmLibrary);
    DwmLibrary = nullptr;
    return 0;
}
