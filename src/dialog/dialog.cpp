#include "dialog/dialog.h"

// The dialog's behaviour is not built yet: everything is left to the system.
std::intptr_t SettingsDialogProc(plat::Hwnd, std::uint32_t, plat::WParam, plat::LParam) {
    return 0;
}
