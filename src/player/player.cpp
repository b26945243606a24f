// Run mode: the found screen savers play one after another, least played
// first, each as a child process. A child that ends by itself means the user
// touched the mouse or keyboard, and the whole run ends, unless it crashed or
// ended at once with nobody touching anything: then it is skipped. A child
// that is still running when the change time is up is closed, and the next
// one starts.
#include "player/player.h"

#include "catalogue/catalogue.h"
#include "platform/input.h"
#include "platform/process.h"
#include "platform/window.h"
#include "player/launcher.h"
#include "settings/settings.h"

namespace {

// How long each step of the change-over gives the child to end.
constexpr std::uint32_t kCloseWait = 3000;
constexpr std::uint32_t kInputWait = 1000;
// A child still running after the change-over has given it this long does
// not answer to anything (its windows hang, or it ignores every request):
// it is ended, as Task Manager would, so that the run goes on. It would not
// have ended on the user's input either.
constexpr std::uint32_t kLongestClose = 30000;
// How long an ended child is given to go; ending is asynchronous, and one
// stuck in the kernel must not hold the run.
constexpr std::uint32_t kEndWait = 5000;
constexpr std::uint32_t kEndedExitCode = 1;

// The imitated key: 0xFE (VK_OEM_CLEAR), a code ordinary keyboards do not
// send and programs do not act on, so it counts only as input; the extra
// information tags both events as imitated.
constexpr std::uint8_t kImitatedKey = 0xFE;
constexpr std::uintptr_t kImitatedKeyDownInfo = 0x0000FE00;
constexpr std::uintptr_t kImitatedKeyUpInfo = 0xC000FE00;
constexpr std::int32_t kCursorJump = 255;

// Any result but a timeout counts as the child having ended: a wait that
// fails would fail again, and waiting on would never end.
bool WaitForEnd(plat::Handle child, std::uint32_t milliseconds) {
    return plat::WaitForSingleObject(child, milliseconds) != plat::kWaitTimeout;
}

// The child being closed: its process id, which tells its windows from every
// other program's (0 when it cannot be read: then no window counts as its),
// and the window of the screen saver class the close request went to when
// it showed none of its own (a saver that draws from a helper process).
struct Closing {
    plat::Handle child;
    std::uint32_t processId;
    plat::Hwnd classWindow;
};

bool BelongsTo(plat::Hwnd window, std::uint32_t processId) {
    std::uint32_t owner = 0;
    return window && processId != 0 && plat::GetWindowThreadProcessId(window, &owner) != 0 &&
           owner == processId;
}

// A message posted to each visible top-level window of one process.
struct Broadcast {
    std::uint32_t processId;
    std::uint32_t message;
    plat::WParam wParam;
    plat::LParam lParam;
    std::int32_t posted;  // windows it went to
};

std::int32_t PostIfOwnWindow(plat::Hwnd window, plat::LParam lParam) {
    auto& broadcast = *reinterpret_cast<Broadcast*>(lParam);
    if (plat::IsWindowVisible(window) && BelongsTo(window, broadcast.processId)) {
        plat::PostMessageA(window, broadcast.message, broadcast.wParam, broadcast.lParam);
        ++broadcast.posted;
    }
    return 1;
}

// Posts the message to the child's own visible top-level windows, whatever
// their class (savers written with .NET, WPF, game engines or their own
// WinMain do not use the screen saver class); says how many there were.
std::int32_t PostToOwnWindows(const Closing& closing, std::uint32_t message, plat::WParam wParam,
                              plat::LParam lParam) {
    Broadcast broadcast = {closing.processId, message, wParam, lParam, 0};
    if (closing.processId != 0)
        plat::EnumWindows(PostIfOwnWindow, reinterpret_cast<plat::LParam>(&broadcast));
    return broadcast.posted;
}

// Step one: the request to close, to the child's own windows or, when it
// shows none, to the screen saver class's window. False when there was no
// window to ask.
bool AskToClose(Closing& closing) {
    closing.classWindow = nullptr;
    if (PostToOwnWindows(closing, plat::kWmClose, 0, 0) > 0) return true;
    closing.classWindow = plat::FindWindowA(plat::kScreenSaverClass, nullptr);
    if (!closing.classWindow) return false;
    plat::PostMessageA(closing.classWindow, plat::kWmClose, 0, 0);
    return true;
}

// Whether the foreground window is one the close request went to: only then
// does a key the system delivers to the foreground reach the child rather
// than another program.
bool ForegroundIsTheChilds(const Closing& closing, plat::Hwnd foreground) {
    return foreground &&
           (foreground == closing.classWindow || BelongsTo(foreground, closing.processId));
}

// A key press and a jump of the mouse, the way the user would end a saver.
// The key goes wherever the foreground is, so it is pressed only when the
// foreground is the child's: never typed into another program. When the
// cursor position cannot be read there is no place to jump from or to put
// the cursor back to, so the cursor is left alone. The key is always
// released, whether or not the child ended.
bool ImitateUserInput(const Closing& closing) {
    plat::Point cursor = {0, 0};
    const bool cursorKnown = plat::GetCursorPos(&cursor) != 0;
    const bool keyToChild = ForegroundIsTheChilds(closing, plat::GetForegroundWindow());

    if (keyToChild) plat::keybd_event(kImitatedKey, kImitatedKey, 0, kImitatedKeyDownInfo);
    if (cursorKnown) plat::SetCursorPos(cursor.x ^ kCursorJump, cursor.y ^ kCursorJump);
    const bool ended = WaitForEnd(closing.child, kInputWait);
    if (keyToChild)
        plat::keybd_event(kImitatedKey, kImitatedKey, plat::kKeyEventFKeyUp, kImitatedKeyUpInfo);
    if (cursorKnown) plat::SetCursorPos(cursor.x, cursor.y);
    return ended;
}

// Escape, to the child only: to the foreground window when that is the
// child's, otherwise to the child's own windows. With neither there is no
// one to tell, and another program's window is never told.
void PostEscape(const Closing& closing) {
    const plat::Hwnd foreground = plat::GetForegroundWindow();
    if (BelongsTo(foreground, closing.processId))
        plat::PostMessageA(foreground, plat::kWmKeyDown, plat::kVkEscape, 1);
    else
        PostToOwnWindows(closing, plat::kWmKeyDown, plat::kVkEscape, 1);
}

// Change-over: asks the running child to close, more and more firmly, until
// it has ended. Each pass waits at least a second, so it never spins; the
// time the waits have given the child is counted, and once it reaches
// kLongestClose the child is ended.
void CloseRunningSaver(plat::Handle child) {
    Closing closing = {child, plat::GetProcessId(child), nullptr};
    std::uint32_t given = 0;
    for (;;) {
        if (AskToClose(closing)) {
            if (WaitForEnd(child, kCloseWait)) return;
            given += kCloseWait;
        }
        if (ImitateUserInput(closing)) return;
        given += kInputWait;
        if (given >= kLongestClose) {
            plat::TerminateProcess(child, kEndedExitCode);
            WaitForEnd(child, kEndWait);
            return;
        }
        PostEscape(closing);
    }
}

// The shortest play. The dialog writes whole minutes, but the registry may
// hold any number: with a change time of a few milliseconds every child
// would be closed before it had shown its window, every key press or mouse
// move of the user would meet a change-over (which takes it as the child
// closing on request) and nothing the user did would end the run. Two
// seconds give a child time to start and the user's input time to reach it.
constexpr std::uint32_t kShortestPlay = 2000;

// The wait for a playing child. ChangeTime is taken as an unsigned count, so
// -1 is INFINITE and other negative values are simply very long.
std::uint32_t PlayTime() {
    if (Settings.ChangeTime == 0 || Settings.Random == 0) return plat::kInfinite;
    const auto milliseconds = static_cast<std::uint32_t>(Settings.ChangeTime);
    return milliseconds < kShortestPlay ? kShortestPlay : milliseconds;
}

std::int32_t LowestPlayCount(const SaverList& list) {
    const SaverEntry* entries = Entries(list);
    std::int32_t lowest = entries[0].playCount;
    for (std::int32_t i = 1; i < list.count; ++i)
        if (entries[i].playCount < lowest) lowest = entries[i].playCount;
    return lowest;
}

std::int32_t HighestPlayCount(const SaverList& list) {
    const SaverEntry* entries = Entries(list);
    std::int32_t highest = entries[0].playCount;
    for (std::int32_t i = 1; i < list.count; ++i)
        if (entries[i].playCount > highest) highest = entries[i].playCount;
    return highest;
}

// Launches that fail in a row (a child skipped because it crashed or ended
// at once counts as one). Without a limit a catalogue in which nothing
// can be started (files deleted since the scan, a broken DefSaver) would keep
// the loop launching without pause for as long as the system lets a screen
// saver run.
//
// Fixed play (Random off) has one candidate, DefSaver, and trying it again
// gives the same answer: the first failure ends the run. An empty DefSaver
// is such a failure.
//
// With Random on, the run ends once every listed saver has been tried and
// has failed since the last launch that worked. Each choice raises the
// chosen entry's play count, and nothing else raises it, so an entry whose
// count is now above the highest count the list held when the failures
// began has been chosen since then. When the lowest count is above that
// mark, every entry has failed. Least-played choice reaches that point
// within 2 x count - 1 failures. Counts are reset to zero when one overflows;
// the mark then follows them down so the test stays meaningful.
struct LaunchFailures {
    bool inRow;         // the last launch failed
    std::int32_t mark;  // highest play count when this row of failures began
};

bool EveryChoiceFailed(LaunchFailures& failures, const SaverList& list) {
    if (Settings.Random == 0) return true;
    const std::int32_t highest = HighestPlayCount(list);
    if (highest < failures.mark) failures.mark = highest;  // counts were reset
    return LowestPlayCount(list) > failures.mark;
}

bool Crashed(plat::Handle child) {
    std::uint32_t code = 0;
    return plat::GetExitCodeProcess(child, &code) != 0 && code >= plat::kFirstExceptionStatus;
}

// The system's tick of the last input, any program's, real or imitated;
// unknown when the system cannot say.
struct LastInput {
    bool known;
    std::uint32_t tick;
};

LastInput ReadLastInput() {
    LastInput last = {false, 0};
    last.known = plat::GetLastInputInfo(&last.tick) != 0;
    return last;
}

// A child that ended by itself normally means the user ended it. Not when
// nobody touched anything while it ran and it crashed (Windows ends a
// crashed program silently) or ended within the shortest play (it could
// not start: a missing runtime, a refused Windows version): such a saver is
// skipped like one that could not be launched. A saver closed on purpose
// by another program (WM_CLOSE to its window, for a call or a reminder)
// ends normally after its first seconds, and still ends the run.
//
// Nobody touched anything when the last input is the same as just before
// the launch. Comparing times instead would take the change-over's own
// imitated key for the user's: it falls in the same tick as the next
// launch. Ticks wrap after 49.7 days, so the play is a distance from the
// launch. When the system cannot say, it counts as input.
bool FailedWithoutInput(plat::Handle child, LastInput before, std::uint32_t launched) {
    const LastInput after = ReadLastInput();
    if (!before.known || !after.known || after.tick != before.tick) return false;
    const std::uint32_t played = plat::GetTickCount() - launched;
    return played < kShortestPlay || Crashed(child);
}

// Plays until a child ends by itself, its wait fails, or nothing can be
// launched any more.
void Play(SaverList& list, const char* optionText) {
    LaunchFailures failures = {false, 0};
    for (;;) {
        if (!failures.inRow && Settings.Random != 0) failures.mark = HighestPlayCount(list);
        const char* path =
            Settings.Random != 0 ? EntryPath(list, SelectLeastPlayed(list)) : Settings.DefSaver;

        plat::Handle child = nullptr;
        const LastInput inputBefore = ReadLastInput();
        const std::uint32_t launched = plat::GetTickCount();
        bool failed = !LaunchSaver(path, optionText, &child);
        if (!failed) {
            // A timeout means the change time is up: replace the saver.
            // Otherwise it ended by itself or the wait failed, and the run
            // is over, unless the child failed on its own.
            const std::uint32_t result = plat::WaitForSingleObject(child, PlayTime());
            if (result == plat::kWaitTimeout) CloseRunningSaver(child);
            failed = result == plat::kWaitObject0 && FailedWithoutInput(child, inputBefore, launched);
            plat::CloseHandle(child);
            if (result != plat::kWaitTimeout && !failed) return;
        }
        failures.inRow = failed;
        if (failed && EveryChoiceFailed(failures, list)) return;
    }
}

}  // namespace

void RunPlayer(const char* optionText) {
    SaverList list = {};
    LoadSettings();
    ApplyCompositionSetting();
    Reserve(list.items, sizeof(SaverEntry));
    ResetPool(list.names);
    ScanAll(list);

    // With no saver found nothing is played, DefSaver included, and nothing
    // is said.
    if (list.count > 0) Play(list, optionText);
    FreeList(list);
}
