#include "dialog/dialog.h"

#include <cstdint>
#include <cstring>

#include "catalogue/catalogue.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "player/launcher.h"
#include "settings/settings.h"
#include "text/text.h"

// A page of this project; shown in the support question and opened on Yes.
const char kSupportUrl[] = "https://slumbermix.example.org/support/";

namespace {

constexpr std::uint32_t kChangeTimeUnit = 60000;  // the field shows minutes
constexpr plat::LParam kSpinRange = 10000;         // upper 10000, lower 0
constexpr std::uint32_t kBrowseFlags = plat::kBifReturnOnlyFsDirs | plat::kBifStatusText;
constexpr std::uint32_t kSupportQuestionStyle =
    plat::kMbYesNo | plat::kMbIconQuestion | plat::kMbDefButton2;

// The change time the field's minutes stand for. Minutes whose milliseconds
// do not fit the 32-bit value take the largest (or, below zero, the
// smallest) it holds: wrapping would turn 71583 minutes into a rotation of
// 12.7 seconds that shows as 0 minutes next time. The field takes digits
// but not a limit on their number, so the minutes themselves are read
// without wrapping: 4294967296 would otherwise be 0.
std::int32_t MillisecondsFromMinutes(std::int32_t minutes) {
    constexpr std::int32_t kMostMinutes = INT32_MAX / static_cast<std::int32_t>(kChangeTimeUnit);
    if (minutes > kMostMinutes) return INT32_MAX;
    if (minutes < -kMostMinutes) return INT32_MIN;
    return minutes * static_cast<std::int32_t>(kChangeTimeUnit);
}

// The support question is the same in both languages. Its fixed parts are
// code page 932 (Shift-JIS) bytes handed to MessageBoxA as they are, so they
// read as Japanese where that is the system code page. One literal per
// character keeps a following byte from joining an escape.
const char kSupportCaption[] =  // インターネット接続の確認
    "\x83\x43" "\x83\x93" "\x83\x5e" "\x81\x5b" "\x83\x6c" "\x83\x62" "\x83\x67"
    "\x90\xda" "\x91\xb1" "\x82\xcc" "\x8a\x6d" "\x94\x46";
const char kSupportPagePrefix[] =  // のサポートページ(
    "\x82\xcc" "\x83\x54" "\x83\x7c" "\x81\x5b" "\x83\x67" "\x83\x79" "\x81\x5b" "\x83\x57" "(";
const char kSupportPageSuffix[] =  // )に
    ")" "\x82\xc9";
const char kSupportConfirm[] =  // 接続を行います。よろしいですか？
    "\x90\xda" "\x91\xb1" "\x82\xf0" "\x8d\x73" "\x82\xa2" "\x82\xdc" "\x82\xb7" "\x81\x42"
    "\x82\xe6" "\x82\xeb" "\x82\xb5" "\x82\xa2" "\x82\xc5" "\x82\xb7" "\x82\xa9" "\x81\x48";

// ------------------------------------------------------------ controls

plat::Hwnd Control(plat::Hwnd dialog, std::int32_t id) { return plat::GetDlgItem(dialog, id); }

plat::LResult SendToControl(plat::Hwnd dialog, std::int32_t id, std::uint32_t message,
                            plat::WParam wParam, plat::LParam lParam) {
    return plat::SendMessageA(Control(dialog, id), message, wParam, lParam);
}

void SetCheck(plat::Hwnd dialog, std::int32_t id, std::int32_t stored) {
    // The stored value goes to the check box as it is; the control decides
    // how it shows anything other than 0 or 1.
    plat::CheckDlgButton(dialog, id, static_cast<std::uint32_t>(stored));
}

std::int32_t GetCheck(plat::Hwnd dialog, std::int32_t id) {
    return static_cast<std::int32_t>(plat::IsDlgButtonChecked(dialog, id));
}

void EnableApply(plat::Hwnd dialog, bool enable) {
    plat::EnableWindow(Control(dialog, kIdApply), enable ? 1 : 0);
}

// Text of list line `index` into a MAX_PATH buffer. LB_GETTEXT takes no
// buffer size, so it writes into a buffer large enough for the length that
// LB_GETTEXTLEN reports. That length may be more than the real one: for an
// ANSI caller Windows may count up to two bytes for every character of
// double-byte text, so a line of up to MAX_PATH - 1 bytes can report up to
// twice that. What counts is the length LB_GETTEXT returns; a line that
// really would not fit with its NUL is not taken (the scan never produces
// one, but the list box is not ours to trust blindly).
constexpr std::size_t kListReadSize = 2 * plat::kMaxPath;

bool ReadListLine(plat::Hwnd dialog, plat::WParam index, char (&line)[plat::kMaxPath]) {
    const plat::LResult reported =
        SendToControl(dialog, kIdSaverList, plat::kLbGetTextLen, index, 0);
    if (reported < 0 || reported >= static_cast<plat::LResult>(kListReadSize)) return false;
    char text[kListReadSize];
    const plat::LResult copied = SendToControl(dialog, kIdSaverList, plat::kLbGetText, index,
                                               reinterpret_cast<plat::LParam>(text));
    if (copied < 0 || copied >= static_cast<plat::LResult>(sizeof line)) return false;
    std::memcpy(line, text, static_cast<std::size_t>(copied));
    line[copied] = '\0';
    return true;
}

plat::LResult SelectedLine(plat::Hwnd dialog) {
    return SendToControl(dialog, kIdSaverList, plat::kLbGetCurSel, 0, 0);
}

// A system folder into its static text. A failed query, or one that needs a
// larger buffer than MAX_PATH, shows nothing rather than stale bytes.
void ShowFolder(plat::Hwnd dialog, std::int32_t id,
                std::uint32_t (*query)(char*, std::uint32_t)) {
    char folder[plat::kMaxPath] = {};
    const std::uint32_t length = query(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) folder[0] = '\0';
    plat::SetDlgItemTextA(dialog, id, folder);
}

// Refills the list box from a fresh scan with the settings as they stand and
// selects the line naming DefSaver.
void FillSaverList(plat::Hwnd dialog);
// Runs the selected saver with the given arguments and waits until it ends.
void LaunchSelected(plat::Hwnd dialog, const char* arguments);

// ------------------------------------------------------------ messages

std::intptr_t OnInitDialog(plat::Hwnd dialog) {
    LoadSettings();

    SetCheck(dialog, kIdUseWinDir, Settings.UseWinDir);
    ShowFolder(dialog, kIdWinDirText, plat::GetWindowsDirectoryA);
    SetCheck(dialog, kIdUseSysDir, Settings.UseSysDir);
    ShowFolder(dialog, kIdSysDirText, plat::GetSystemDirectoryA);

    SetCheck(dialog, kIdUseExtDir, Settings.UseExtDir);
    SendToControl(dialog, kIdExtDir, plat::kEmLimitText, plat::kMaxPath, 0);
    plat::SetDlgItemTextA(dialog, kIdExtDir, Settings.ExtDir);

    SetCheck(dialog, kIdExtSubDir, Settings.ExtSubDir);
    SetCheck(dialog, kIdRandom, Settings.Random);

    // Whole minutes, truncated toward zero like the division itself.
    char minutes[12];
    FormatInt(Settings.ChangeTime / static_cast<std::int32_t>(kChangeTimeUnit), minutes);
    plat::SetDlgItemTextA(dialog, kIdChangeTime, minutes);
    // Only the range: the up-down control takes its position from its buddy.
    SendToControl(dialog, kIdChangeTimeSpin, plat::kUdmSetRange, 0, kSpinRange);

    if (DwmLibrary)
        SetCheck(dialog, kIdDisableDwm, Settings.DisableDWM);
    else
        plat::ShowWindow(Control(dialog, kIdDisableDwm), plat::kSwHide);

    FillSaverList(dialog);
    // Last: filling the two edit boxes has already announced changes.
    EnableApply(dialog, false);
    return 1;
}

void SaveAndRefresh(plat::Hwnd dialog) {
    if (!plat::IsWindowEnabled(Control(dialog, kIdApply))) return;
    ReadControls(dialog);
    SaveSettings();
    FillSaverList(dialog);
    EnableApply(dialog, false);
}

void BrowseForFolder(plat::Hwnd dialog) {
    char displayName[plat::kMaxPath];
    const plat::BrowseInfo info{dialog, nullptr, displayName, "Select screen saver's directory",
                                kBrowseFlags};
    plat::Pidl chosen = plat::SHBrowseForFolderA(&info);
    if (!chosen) return;
    char path[plat::kMaxPath] = {};
    if (plat::SHGetPathFromIDListA(chosen, path)) {
        path[sizeof path - 1] = '\0';
        plat::CheckDlgButton(dialog, kIdUseExtDir, plat::kBstChecked);
        plat::SetDlgItemTextA(dialog, kIdExtDir, path);  // its EN_CHANGE enables Apply
    }
    plat::CoTaskMemFree(chosen);
}

void AskSupport(plat::Hwnd dialog) {
    // Cut short rather than refused: the question is only read, and the page
    // opened on Yes goes to the shell whole.
    char message[512];
    BoundedText text = StartText(message, sizeof message);
    AppendCut(text, "Slumbermix");
    AppendCut(text, " ");
    AppendCut(text, kSupportPagePrefix);
    AppendCut(text, kSupportUrl);
    AppendCut(text, kSupportPageSuffix);
    AppendCut(text, "\n");
    AppendCut(text, kSupportConfirm);
    if (plat::MessageBoxA(dialog, message, kSupportCaption, kSupportQuestionStyle) != plat::kIdYes)
        return;
    plat::ShellExecuteA(dialog, "open", kSupportUrl, nullptr, nullptr, plat::kSwHide);
}

std::intptr_t OnCommand(plat::Hwnd dialog, std::int32_t id, std::uint32_t code) {
    switch (id) {
        case kIdOk:
            ReadControls(dialog);
            SaveSettings();
            plat::EndDialog(dialog, kIdOk);
            return 0;
        case kIdCancel:
            plat::EndDialog(dialog, kIdCancel);
            return 0;
        case kIdUseWinDir:
        case kIdUseSysDir:
        case kIdUseExtDir:
        case kIdExtSubDir:
        case kIdRandom:
        case kIdDisableDwm:
            EnableApply(dialog, true);
            return 0;
        case kIdExtDir:
        case kIdChangeTime:
            if (code == plat::kEnChange) EnableApply(dialog, true);
            return 0;
        case kIdSaverList:
            if (code == plat::kLbnSelChange) EnableApply(dialog, true);
            return 0;
        case kIdSetting:
            LaunchSelected(dialog, "");  // the saver shows its own settings
            return 0;
        case kIdPreview:
            LaunchSelected(dialog, "/s");  // the saver runs full-screen
            return 0;
        case kIdSupport:
            AskSupport(dialog);
            return 0;
        case kIdBrowse:
            BrowseForFolder(dialog);
            return 1;
        case kIdApply:
            SaveAndRefresh(dialog);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

void ReadControls(plat::Hwnd dialog) {
    Settings.UseWinDir = GetCheck(dialog, kIdUseWinDir);
    Settings.UseSysDir = GetCheck(dialog, kIdUseSysDir);
    Settings.UseExtDir = GetCheck(dialog, kIdUseExtDir);
    plat::GetDlgItemTextA(dialog, kIdExtDir, Settings.ExtDir, sizeof Settings.ExtDir);
    Settings.ExtDir[sizeof Settings.ExtDir - 1] = '\0';
    Settings.ExtSubDir = GetCheck(dialog, kIdExtSubDir);
    Settings.Random = GetCheck(dialog, kIdRandom);

    char minutes[plat::kMaxPath] = {};
    plat::GetDlgItemTextA(dialog, kIdChangeTime, minutes, sizeof minutes);
    minutes[sizeof minutes - 1] = '\0';
    Settings.ChangeTime = MillisecondsFromMinutes(ParseIntClamped(minutes));

    Settings.DisableDWM = GetCheck(dialog, kIdDisableDwm);  // 0 while the box is hidden

    const plat::LResult selected = SelectedLine(dialog);
    char line[plat::kMaxPath] = {};
    if (selected != plat::kLbErr && ReadListLine(dialog, static_cast<plat::WParam>(selected), line))
        std::memcpy(Settings.DefSaver, line, sizeof line);
}

namespace {

void FillSaverList(plat::Hwnd dialog) {
    SendToControl(dialog, kIdSaverList, plat::kLbResetContent, 0, 0);

    SaverList savers{};
    ScanAll(savers);
    for (std::int32_t i = 0; i < savers.count; ++i)
        SendToControl(dialog, kIdSaverList, plat::kLbAddString, 0,
                      reinterpret_cast<plat::LParam>(EntryPath(savers, i)));
    // The list box sorts its lines as they come in, so the line naming
    // DefSaver is looked for in the list box's own order, first match wins.
    if (savers.count > 0) {
        const plat::LResult lines = SendToControl(dialog, kIdSaverList, plat::kLbGetCount, 0, 0);
        char line[plat::kMaxPath];
        for (plat::LResult i = 0; i < lines; ++i) {
            const auto index = static_cast<plat::WParam>(i);
            if (ReadListLine(dialog, index, line) && EqualNoCase(line, Settings.DefSaver)) {
                SendToControl(dialog, kIdSaverList, plat::kLbSetCurSel, index, 0);
                break;
            }
        }
    }
    // Also when nothing was found: a failed growth may still have left a block.
    FreeList(savers);
}

void LaunchSelected(plat::Hwnd dialog, const char* arguments) {
    const plat::LResult selected = SelectedLine(dialog);
    if (selected == plat::kLbErr) return;
    ApplyCompositionSetting();
    char path[plat::kMaxPath];
    if (!ReadListLine(dialog, static_cast<plat::WParam>(selected), path)) return;
    plat::Handle child = nullptr;
    if (!LaunchSaver(path, arguments, &child)) return;
    WaitDroppingInput(child);
    plat::CloseHandle(child);
    // A saver's settings dialog owned by ours disabled it, and only that
    // dialog's own end enables it again: after a crash or a kill ours would
    // stay disabled for good.
    plat::EnableWindow(dialog, 1);
}

}  // namespace

std::intptr_t SettingsDialogProc(plat::Hwnd dialog, std::uint32_t message, plat::WParam wParam,
                                 plat::LParam) {
    switch (message) {
        case plat::kWmInitDialog:
            return OnInitDialog(dialog);
        case plat::kWmCommand:
            return OnCommand(dialog, static_cast<std::int32_t>(wParam & 0xFFFF),
                             static_cast<std::uint32_t>((wParam >> 16) & 0xFFFF));
        case plat::kWmClose:
            plat::EndDialog(dialog, kIdCancel);  // the close box saves nothing
            return 0;
        default:
            return 0;
    }
}
