#include "platform/modules.h"
#include "settings/settings.h"

plat::Hmodule DwmLibrary = nullptr;

void ApplyCompositionSetting() {
    if (!DwmLibrary || Settings.DisableDWM == 0) return;
    plat::FarProc enable = plat::GetProcAddress(DwmLibrary, "DwmEnableComposition");
    if (!enable) return;
    plat::CallDwmEnableComposition(enable, 0);  // DWM_EC_DISABLECOMPOSITION; result not needed
}
