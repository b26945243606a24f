// Preview mode: the icon and the name on black, in the window the system gives.
#pragma once

#include "platform/platform.h"

// Returns the exit value of the window's message loop, or 0 when no window
// could be made.
std::intptr_t RunPreview(plat::Hwnd parent, plat::Hmodule instance);
