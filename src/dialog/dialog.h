// Settings mode: the dialog procedure for templates 1 and 2, and the three
// operations it is built from.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "resource.h"

// Control identifiers shared by both templates, from the header the resource
// script builds them with.
constexpr std::int32_t kIdOk = 1;      // IDOK
constexpr std::int32_t kIdCancel = 2;  // IDCANCEL
constexpr std::int32_t kIdUseWinDir = IDC_USE_WINDIR;
constexpr std::int32_t kIdWinDirText = IDC_WINDIR_PATH;
constexpr std::int32_t kIdUseSysDir = IDC_USE_SYSDIR;
constexpr std::int32_t kIdSysDirText = IDC_SYSDIR_PATH;
constexpr std::int32_t kIdUseExtDir = IDC_USE_EXTDIR;
constexpr std::int32_t kIdExtDir = IDC_EXTDIR;
constexpr std::int32_t kIdExtSubDir = IDC_EXT_SUBDIR;
constexpr std::int32_t kIdRandom = IDC_RANDOM;
constexpr std::int32_t kIdChangeTime = IDC_CHANGE_TIME;  // minutes
constexpr std::int32_t kIdChangeTimeSpin = IDC_CHANGE_TIME_SPIN;
constexpr std::int32_t kIdSaverList = IDC_SAVER_LIST;
constexpr std::int32_t kIdSetting = IDC_SAVER_SETTING;
constexpr std::int32_t kIdPreview = IDC_SAVER_PREVIEW;
constexpr std::int32_t kIdSupport = IDC_SUPPORT;
constexpr std::int32_t kIdDisableDwm = IDC_DISABLE_DWM;
constexpr std::int32_t kIdBrowse = IDC_BROWSE;
constexpr std::int32_t kIdApply = IDC_APPLY;

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
