// Scripted state for dialog controls and the shell: the settings dialog's
// controls as its template creates them, an emulated sorted list box, the
// folder browser and ShellExecuteA.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake/fake.h"

namespace fake {

enum class ControlKind { Button, CheckBox, Static, Edit, ListBox, UpDown };

struct Control {
    ControlKind kind = ControlKind::Static;
    std::string text;
    std::uint32_t check = 0;  // check boxes
    bool enabled = true;
    std::uintptr_t textLimit = 0;    // EM_LIMITTEXT
    plat::LParam range = 0;          // UDM_SETRANGE
    std::vector<std::string> lines;  // list box, in its sorted order
    int selection = -1;              // list box; -1 for none
    // LB_GETTEXTLEN reports the line's length times this, as Windows may for
    // an ANSI caller when the text holds double-byte characters.
    int reportedLengthFactor = 1;
};

struct DialogState {
    // By id; starts as the settings template creates it (Apply disabled).
    std::map<std::int32_t, Control> controls;
    // When set, an edit control whose text is set announces EN_CHANGE to this
    // procedure, as a real single-line edit control does.
    plat::DialogProc proc = nullptr;
    int endCount = 0;  // EndDialog calls
    std::intptr_t endResult = 0;

    // SHBrowseForFolderA returns browseResult (null: the user cancelled) and
    // writes browseDisplayName; SHGetPathFromIDListA gives browsePath, or
    // fails when it is empty.
    plat::Pidl browseResult = nullptr;
    std::string browseDisplayName = "Savers";
    std::optional<std::string> browsePath;
    std::intptr_t shellExecuteResult = 42;  // above 32: success
    std::int32_t coInitializeResult = 0;    // S_OK; negative: a failure
};
extern DialogState dialog;

// The handle GetDlgItem gives for a control id, and back.
plat::Hwnd ControlHandle(std::int32_t id);
std::int32_t ControlId(plat::Hwnd control);

// The control with this id (it must exist).
Control& Ctl(std::int32_t id);

// The list box's collation: bytes compared after folding ASCII A-Z to a-z.
// The real list box compares by the user's locale without regard to case;
// for the ASCII paths the tests use, both give the same order.
int CompareListText(const std::string& a, const std::string& b);

}  // namespace fake
