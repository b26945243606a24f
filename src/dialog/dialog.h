// Settings mode: the dialog procedure for templates 1 and 2, and the three
// operations it is built from.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Control identifiers shared by both templates.
enum DialogControl : std::int32_t {
    kIdOk = 1,
    kIdCancel = 2,
    kIdUseWinDir = 100,
    kIdWinDirText = 101,
    kIdUseSysDir = 102,
    kIdSysDirText = 103,
    kIdUseExtDir = 104,
    kIdExtDir = 105,
    kIdExtSubDir = 106,
    kIdRandom = 107,
    kIdChangeTime = 108,   // minutes
    kIdChangeTimeSpin = 109,
    kIdSaverList = 110,
    kIdSetting = 111,
    kIdPreview = 112,
    kIdSupport = 113,
    kIdDisableDwm = 114,
    kIdBrowse = 30717,
    kIdApply = 30719,
};

// The address the Support button offers to open.
extern const char kSupportUrl[];

std::intptr_t SettingsDialogProc(plat::Hwnd dialog, std::uint32_t message, plat::WParam wParam,
                                 plat::LParam lParam);

// Refills the list box from a fresh scan with the settings as they stand and
// selects the line naming DefSaver.
void FillSaverList(plat::Hwnd dialog);
// Copies the controls into Settings.
void ReadControls(plat::Hwnd dialog);
// Runs the selected saver with the given arguments and waits until it ends.
void LaunchSelected(plat::Hwnd dialog, const char* arguments);
