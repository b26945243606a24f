// The wait for a saver the settings dialog started: the Setting and Preview
// buttons' trial of a saver.
#include "player/launcher.h"

#include "platform/process.h"
#include "platform/window.h"

// Waits for a saver started from the dialog to end. The dialog stays
// unresponsive meanwhile, it is the user's trial of that saver, so posted
// messages stay queued and input for it is dropped. Messages sent by other
// threads are served, though: a saver showing its settings makes its dialog
// owned by the foreground window, ours, and creating it sends our thread
// messages (disabling and activating the owner). A thread that blocks
// without serving them would hang the saver, and the saver would hang us.
//
// Input has to be taken out too: Windows joins the input queues of two
// threads when a window of one owns a window of the other, so while the
// saver's dialog is up a click on ours, or the pointer passing over it,
// waits at the head of the queue both share, and no later input reaches the
// saver's dialog. The wait wakes only for input that arrived since the last
// look, so the queue is emptied of both kinds before waiting again; the
// filter covers every kind the wait wakes for, or it would wake at once.
//
// From Windows 8 input also comes as touch and pen (pointer) messages, which
// sit in the shared queue just the same; older systems refuse those flags,
// and the wait then goes on with the kinds they know.
void WaitDroppingInput(plat::Handle child) {
    const plat::Handle handles[] = {child};
    std::uint32_t input = plat::kQsInput | plat::kQsTouch | plat::kQsPointer;
    for (;;) {
        const std::uint32_t woke = plat::MsgWaitForMultipleObjects(
            1, handles, 0, plat::kInfinite, plat::kQsSendMessage | input);
        if (woke == plat::kWaitFailed && input != plat::kQsInput) {
            input = plat::kQsInput;
            continue;
        }
        // The child ended, or the wait failed: either way nothing is left to wait for.
        if (woke != plat::kWaitObject0 + 1) return;
        // Delivers the sent messages and hands out, never dispatched, the input.
        plat::Msg message;
        while (plat::PeekMessageA(&message, nullptr, 0, 0,
                                  plat::kPmRemove | (input << 16) | plat::kPmQsSendMessage)) {
        }
    }
}
