// The fake of platform/dialog.h. Scripted state for the modal dialog, the
// controls a test declares (with an emulated sorted list box) and message
// boxes.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "fake/fake.h"
#include "platform/dialog.h"

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
    // By id; none until the test declares those its dialog's template creates.
    std::map<std::int32_t, Control> controls;
    // When set, an edit control whose text is set announces EN_CHANGE to this
    // procedure, as a real single-line edit control does.
    plat::DialogProc proc = nullptr;
    int endCount = 0;  // EndDialog calls
    std::intptr_t dialogBoxResult = -1;  // DialogBoxParamA, which runs no procedure

    std::deque<std::int32_t> messageBoxAnswers;  // answers in order; 1 (IDOK) when empty
    std::int32_t messageBoxCount = 0;
};
inline Scripted<DialogState> dialog;

// Adds a control as a dialog's template would create it, enabled, and
// returns it for the test to set up further.
Control& DeclareControl(std::int32_t id, ControlKind kind);

// The handle GetDlgItem gives for a control id.
plat::Hwnd ControlHandle(std::int32_t id);

// The control with this id (it must exist).
Control& Ctl(std::int32_t id);

// The control behind a handle GetDlgItem gave, or null for any other window.
Control* FindControl(plat::Hwnd window);
// What a control does with a message sent to it (SendMessageA): the list
// box keeps its lines and selection, an edit box its limit, an up-down
// control its range; anything else is answered with 0.
plat::LResult ControlMessage(Control& control, std::uint32_t message, plat::WParam wParam,
                             plat::LParam lParam);

}  // namespace fake
