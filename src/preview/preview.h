// Preview mode: the icon and the name on black, in the window the system gives.
#pragma once

#include "platform/types.h"

// Runs the preview window: a black child of `parent`, or a stand-alone
// full-screen window when `parent` is null. Returns the exit value of the
// window's message loop, or 0 when no window could be made.
std::intptr_t RunPreview(plat::Hwnd parent, plat::Hmodule instance);

// The procedure of the class "WindowsScreenSaverClass".
plat::LResult PreviewWindowProc(plat::Hwnd window, std::uint32_t message, plat::WParam wParam,
                                plat::LParam lParam);
