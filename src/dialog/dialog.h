// Settings mode: the dialog procedure for templates 1 and 2.
#pragma once

#include "platform/platform.h"

std::intptr_t SettingsDialogProc(plat::Hwnd dialog, std::uint32_t message, plat::WParam wParam,
                                 plat::LParam lParam);
