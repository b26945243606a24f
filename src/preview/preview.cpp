#include "preview/preview.h"

// Preview mode is not built yet: no window is made.
std::intptr_t RunPreview(plat::Hwnd, plat::Hmodule) { return 0; }
