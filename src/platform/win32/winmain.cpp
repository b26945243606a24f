// The Windows entry point. It makes the up-down control class available
// before any dialog can be created (the settings templates name
// "msctls_updown32"), then hands over to the portable start-up code.
#include "platform/win32/win32.h"

#include <commctrl.h>

#include "startup/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_UPDOWN_CLASS;
    ::InitCommonControlsEx(&controls);
    return RunSlumbermix(instance);
}
