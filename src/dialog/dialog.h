// Settings mode: the dialog procedure for templates 1 and 2.
#pragma once

#include <cstdint>

#include "platform/types.h"
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
extern const char kSupportUrl[];  // constant; nothing writes it

std::intptr_t SettingsDialogProc(plat::Hwnd dialog, std::uint32_t message, plat::WParam wParam,
                                 plat::LParam lParam);

// Copies the controls into Settings. OK and Apply save what it read; it is
// open to callers that want the record without a save.
void ReadControls(plat::Hwnd dialog);
