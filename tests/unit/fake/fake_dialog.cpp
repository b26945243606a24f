#include "fake/fake_dialog.h"

#include <algorithm>
#include <cstring>

#include "platform/window.h"  // an edit box announces its changes with WM_COMMAND

namespace fake {

namespace {

constexpr std::uintptr_t kHandleBase = 3000;

// The id of the control behind a handle ControlHandle gave, or -1.
std::int32_t ControlId(plat::Hwnd control) {
    const auto value = reinterpret_cast<std::uintptr_t>(control);
    if (value < reinterpret_cast<std::uintptr_t>(Token(kHandleBase))) return -1;
    return static_cast<std::int32_t>((value - 0x10000) / 0x10 - kHandleBase);
}

// The list box's collation: bytes compared after folding ASCII A-Z to a-z.
// The real list box compares by the user's locale without regard to case;
// for the ASCII paths the tests use, both give the same order.
int CompareListText(const std::string& a, const std::string& b) {
    auto fold = [](char c) {
        return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

plat::LResult ListBoxMessage(Control& list, std::uint32_t message, plat::WParam wParam,
                             plat::LParam lParam) {
    auto& lines = list.lines;
    const bool valid = wParam < lines.size();
    switch (message) {
        case plat::kLbResetContent:
            lines.clear();
            list.selection = -1;
            return 0;
        case plat::kLbAddString: {
            // LBS_SORT: before the first line that does not sort below it.
            const std::string text = reinterpret_cast<const char*>(lParam);
            auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
                return CompareListText(line, text) >= 0;
            });
            const int index = static_cast<int>(at - lines.begin());
            lines.insert(at, text);
            if (list.selection >= index) ++list.selection;
            return index;
        }
        case plat::kLbSetCurSel:
            if (wParam == static_cast<plat::WParam>(-1)) {
                list.selection = -1;
                return plat::kLbErr;
            }
            if (!valid) return plat::kLbErr;
            list.selection = static_cast<int>(wParam);
            return list.selection;
        case plat::kLbGetCurSel:
            return list.selection < 0 ? plat::kLbErr : list.selection;
        case plat::kLbGetCount:
            return static_cast<plat::LResult>(lines.size());
        case plat::kLbGetTextLen:
            return valid ? static_cast<plat::LResult>(lines[wParam].size()) *
                               list.reportedLengthFactor
                         : plat::kLbErr;
        case plat::kLbGetText:
            if (!valid) return plat::kLbErr;
            // No size is given: the whole line and its NUL are written.
            std::memcpy(reinterpret_cast<char*>(lParam), lines[wParam].c_str(),
                        lines[wParam].size() + 1);
            return static_cast<plat::LResult>(lines[wParam].size());
        default:
            return 0;
    }
}

}  // namespace

plat::Hwnd ControlHandle(std::int32_t id) {
    return Token(kHandleBase + static_cast<std::uintptr_t>(id));
}


Control& Ctl(std::int32_t id) { return dialog.controls.at(id); }

Control& DeclareControl(std::int32_t id, ControlKind kind) {
    return dialog.controls[id] = Control{kind};
}

Control* FindControl(plat::Hwnd window) {
    auto it = dialog.controls.find(ControlId(window));
    return it == dialog.controls.end() ? nullptr : &it->second;
}

plat::LResult ControlMessage(Control& control, std::uint32_t message, plat::WParam wParam,
                             plat::LParam lParam) {
    switch (control.kind) {
        case ControlKind::ListBox:
            return ListBoxMessage(control, message, wParam, lParam);
        case ControlKind::Edit:
            if (message == plat::kEmLimitText) control.textLimit = wParam;
            return 0;
        case ControlKind::UpDown:
            if (message == plat::kUdmSetRange) control.range = lParam;
            return 0;
        default:
            return 0;
    }
}

}  // namespace fake

namespace plat {
using fake::dialog;
using fake::Record;

std::intptr_t DialogBoxParamA(Hmodule instance, std::uintptr_t templateId, Hwnd owner,
                              DialogProc proc, LParam param) {
    Record("DialogBoxParamA", instance, templateId, owner, reinterpret_cast<void*>(proc), param);
    return dialog.dialogBoxResult;
}

std::int32_t CheckDlgButton(Hwnd window, std::int32_t id, std::uint32_t state) {
    Record("CheckDlgButton", window, id, state);
    auto it = dialog.controls.find(id);
    if (it == dialog.controls.end()) return 0;
    // A two-state check box shows anything above checked as checked.
    it->second.check = std::min(state, kBstChecked);
    return 1;
}

std::uint32_t IsDlgButtonChecked(Hwnd window, std::int32_t id) {
    Record("IsDlgButtonChecked", window, id);
    auto it = dialog.controls.find(id);
    return it == dialog.controls.end() ? 0 : it->second.check;
}

std::int32_t SetDlgItemTextA(Hwnd window, std::int32_t id, const char* text) {
    Record("SetDlgItemTextA", window, id, text);
    auto it = dialog.controls.find(id);
    if (it == dialog.controls.end()) return 0;
    it->second.text = text;
    if (it->second.kind == fake::ControlKind::Edit && dialog.proc)
        dialog.proc(window, kWmCommand, static_cast<WParam>(id) | (WParam{kEnChange} << 16),
                    reinterpret_cast<LParam>(fake::ControlHandle(id)));
    return 1;
}

std::uint32_t GetDlgItemTextA(Hwnd window, std::int32_t id, char* buffer, std::int32_t size) {
    Record("GetDlgItemTextA", window, id, size);
    if (size <= 0) return 0;
    auto it = dialog.controls.find(id);
    const std::string text = it == dialog.controls.end() ? std::string() : it->second.text;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

Hwnd GetDlgItem(Hwnd window, std::int32_t id) {
    Record("GetDlgItem", window, id);
    return dialog.controls.count(id) ? fake::ControlHandle(id) : nullptr;
}

std::int32_t EndDialog(Hwnd window, std::intptr_t result) {
    Record("EndDialog", window, result);
    ++dialog.endCount;
    return 1;
}

std::int32_t MessageBoxA(Hwnd owner, const char* text, const char* caption, std::uint32_t type) {
    Record("MessageBoxA", owner, text, caption, type);
    ++dialog.messageBoxCount;
    return fake::NextAnswer(dialog.messageBoxAnswers, 1);
}

}  // namespace plat
