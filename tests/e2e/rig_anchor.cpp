// Keeps the rig's Wine session alive between tests.
//
// When the last program of a prefix ends, Wine shuts down the prefix's
// system processes (services, the desktop); a program started during that
// shut-down waits 10 s for a service that is going away. With this program
// always running, each test's programs start into a settled session.
// It touches the desktop once, so that the desktop process is up before the
// first test, and ends by itself after the number of seconds given on its
// command line (default 3600) in case the rig's cleanup never runs.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    GetDesktopWindow();
    long seconds = std::strtol(arguments, nullptr, 10);
    if (seconds <= 0) seconds = 3600;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
}
