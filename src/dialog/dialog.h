// Settings mode: the dialog procedure for templates 1 and 2, and the three
// operations it is built from.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Control identifiers shared by both templates.
constexpr std::int32_t kIdOk = 1;
constexpr std::int32_t kIdCancel = 2;
constexpr std::int32_t kIdUseWinDir = 100;
constexpr std::int32_t kIdWinDirText = 101;
constexpr std::int32_t kIdUseSysDir = 102;
constexpr std::int32_t kIdSysDirText = 103;
constexpr std::int32_t kIdUseExtDir = 104;
constexpr std::int32_t kIdExtDir = 105;
constexpr std::int32_t kIdExtSubDir = 106;
constexpr std::int32_t kIdRandom = 107;
constexpr std::int32_t kIdChangeTime = 108;   // minutes
constexpr std::int32_t kIdChangeTimeSpin = 109;
constexpr std::int32_t kIdSaverList = 110;
constexpr std::int32_t kIdSetting = 111;
constexpr std::int32_t kIdPreview = 112;
constexpr std::int32_t kIdSupport = 113;
constexpr std::int32_t kIdDisableDwm = 114;
constexpr std::int32_t kIdBrowse = 30717;
constexpr std::int32_t kIdApply = 30719;

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
