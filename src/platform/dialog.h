// Dialogs: the modal dialog call, the controls of a dialog, and message
// boxes.
//
//   constants  check states, control messages and notifications, message
//              box styles and answers
//   records    DialogProc
//   calls      DialogBoxParamA, CheckDlgButton, IsDlgButtonChecked,
//              SetDlgItemTextA, GetDlgItemTextA, GetDlgItem, EndDialog,
//              MessageBoxA
//
// Messages to controls go with SendMessageA, and controls are enabled with
// EnableWindow (both in window.h): controls are windows.
//
// Win32: src/platform/win32/dialog.cpp. Fake: tests/unit/fake/fake_dialog.cpp.
#pragma once

#include "platform/types.h"

namespace plat {

// ---------------------------------------------------------------- constants
// Dialog controls and their messages
constexpr std::uint32_t kBstUnchecked = 0;
constexpr std::uint32_t kBstChecked = 1;
constexpr std::uint32_t kEmLimitText = 0x00C5;
constexpr std::uint32_t kEnChange = 0x0300;
constexpr std::uint32_t kLbResetContent = 0x0184;
constexpr std::uint32_t kLbAddString = 0x0180;
constexpr std::uint32_t kLbSetCurSel = 0x0186;
constexpr std::uint32_t kLbGetCurSel = 0x0188;
constexpr std::uint32_t kLbGetText = 0x0189;
constexpr std::uint32_t kLbGetCount = 0x018B;
constexpr std::uint32_t kLbGetTextLen = 0x018A;
constexpr std::uint32_t kLbnSelChange = 1;
constexpr std::intptr_t kLbErr = -1;
constexpr std::uint32_t kUdmSetRange = 0x0465;  // WM_USER + 101

// Message boxes
constexpr std::uint32_t kMbOk = 0x0000;
constexpr std::uint32_t kMbYesNo = 0x0004;
constexpr std::uint32_t kMbIconQuestion = 0x0020;
constexpr std::uint32_t kMbDefButton2 = 0x0100;
constexpr std::int32_t kIdYes = 6;

// ---------------------------------------------------------------- records
using DialogProc = std::intptr_t (*)(Hwnd, std::uint32_t, WParam, LParam);

// ---------------------------------------------------------------- calls
std::intptr_t DialogBoxParamA(Hmodule instance, std::uintptr_t templateId, Hwnd owner,
                              DialogProc proc, LParam param);
std::int32_t CheckDlgButton(Hwnd dialog, std::int32_t id, std::uint32_t state);
std::uint32_t IsDlgButtonChecked(Hwnd dialog, std::int32_t id);
std::int32_t SetDlgItemTextA(Hwnd dialog, std::int32_t id, const char* text);
std::uint32_t GetDlgItemTextA(Hwnd dialog, std::int32_t id, char* buffer, std::int32_t size);
Hwnd GetDlgItem(Hwnd dialog, std::int32_t id);
std::int32_t EndDialog(Hwnd dialog, std::intptr_t result);
std::int32_t MessageBoxA(Hwnd owner, const char* text, const char* caption, std::uint32_t type);

}  // namespace plat
