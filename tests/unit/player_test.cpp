#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "fake/fake_files.h"
#include "fake/fake_heap.h"
#include "fake/fake_input.h"
#include "fake/fake_modules.h"
#include "fake/fake_process.h"
#include "fake/fake_registry.h"
#include "fake/fake_window.h"
#include "fixture.h"
#include "player/player.h"
#include "settings/settings.h"

namespace {

using fake::Call;
using fake::ProcessHandle;
using fake::ThreadHandle;
using fake::Texts;
using plat::kWaitObject0;
using plat::kWaitTimeout;
using plat::kWaitFailed;

constexpr const char* kSaverClass = "WindowsScreenSaverClass";
constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
plat::Hwnd const kChildWindow = fake::Token(700);
plat::Hwnd const kForeground = fake::Token(701);

// The calls the player makes itself, and the launcher's closing of each
// child's thread handle, which marks where each launch happened.
Texts PlayerCalls() {
    return fake::CallsNamed({"WaitForSingleObject", "CloseHandle", "GetProcessId", "EnumWindows",
                             "FindWindowA", "PostMessageA", "GetCursorPos", "SetCursorPos",
                             "keybd_event", "GetForegroundWindow", "TerminateProcess"});
}

Texts LaunchedCommandLines() {
    Texts lines;
    for (const auto& launch : fake::process.launches) lines.push_back(launch.commandLine);
    return lines;
}

// Each tick twice: the selection's reading of the clock and the launch's.
std::deque<std::uint32_t> Twice(const std::vector<std::uint32_t>& ticks) {
    std::deque<std::uint32_t> both;
    for (auto tick : ticks) both.insert(both.end(), {tick, tick});
    return both;
}

std::string Quoted(const std::string& path, const char* option = "/s") {
    return "\"" + path + "\" " + option;
}

class Player : public FakeFixture {
protected:
    void Arrange() override { fake::window.foreground = kForeground; }
    void Finish() override {
        // Whatever happened, the run gives back both list buffers.
        EXPECT_TRUE(fake::heap.blocks.empty());
    }

    // Savers in the Windows directory, in this order; the System directory
    // and the extra folder are off so the list is exactly these.
    void GiveSavers(std::initializer_list<const char*> names) {
        Settings.UseSysDir = 0;
        auto& folder = fake::files.folders[std::string(kWinDir) + "\\"];
        for (const char* name : names) folder.push_back(fake::File(name));
    }
    static std::string Saver(const char* name) { return std::string(kWinDir) + "\\" + name; }

    static constexpr const char* kWinDir = "C:\\WINDOWS";
};

// ------------------------------------------------------------ change-over

// The first saver's windows, of any class: two visible and a hidden one; a
// window of the screen saver class that another process shows (a saver
// drawing from a helper); and another program's ordinary window.
plat::Hwnd const kChildWindow2 = fake::Token(702);
plat::Hwnd const kClassWindow = fake::Token(703);
const fake::TopLevelWindow kOwn = {kChildWindow, fake::ProcessId(0)};
const fake::TopLevelWindow kOwn2 = {kChildWindow2, fake::ProcessId(0)};
const fake::TopLevelWindow kOwnHidden = {fake::Token(704), fake::ProcessId(0), false};
const fake::TopLevelWindow kHelper = {kClassWindow, 4343};
const fake::TopLevelWindow kOther = {kForeground, 4242};

Texts Join(std::initializer_list<Texts> parts) {
    Texts all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}
// The calls of one launch up to the end of its play wait.
Texts Launch(int n, std::uint32_t wait) {
    return {Call("CloseHandle", ThreadHandle(n)), Call("WaitForSingleObject", ProcessHandle(n), wait)};
}
Texts Wait(std::uint32_t milliseconds) {
    return {Call("WaitForSingleObject", ProcessHandle(0), milliseconds)};
}
// The change-over steps of the first saver, with the cursor at (100, 200):
// a message to each of its own visible windows...
Texts ToOwn(std::uint32_t message, plat::WParam wParam = 0, plat::LParam lParam = 0) {
    return {Call("EnumWindows"), Call("PostMessageA", kChildWindow, message, wParam, lParam)};
}
// ...WM_CLOSE to them and the wait for it to end...
Texts Close() { return Join({ToOwn(plat::kWmClose), Wait(3000)}); }
// ...or, with none of its own, the class search, and WM_CLOSE to what it finds...
Texts NoWindow() { return {Call("EnumWindows"), Call("FindWindowA", kSaverClass, nullptr)}; }
Texts CloseByClass() {
    return Join(
        {NoWindow(), {Call("PostMessageA", kClassWindow, plat::kWmClose, 0, 0)}, Wait(3000)});
}
// ...the imitated input, the key only when the foreground is the saver's,
// the cursor moved and put back when its place is known...
Texts Imitate(bool key = true, bool cursor = true) {
    Texts calls = {Call("GetCursorPos"), Call("GetForegroundWindow")};
    if (key) calls.push_back(Call("keybd_event", 0xFE, 0xFE, 0, 0x0000FE00));
    if (cursor) calls.push_back(Call("SetCursorPos", 100 ^ 255, 200 ^ 255));
    calls.push_back(Wait(1000)[0]);
    if (key) calls.push_back(Call("keybd_event", 0xFE, 0xFE, 2, 0xC000FE00));
    if (cursor) calls.push_back(Call("SetCursorPos", 100, 200));
    return calls;
}
// ...and Escape to the foreground window when that is the saver's, else to
// its own windows.
Texts Escape(plat::Hwnd to) {
    return {Call("GetForegroundWindow"), Call("PostMessageA", to, 0x100, 0x1B, 1)};
}
Texts EscapeToOwn() { return Join({{Call("GetForegroundWindow")}, ToOwn(0x100, 0x1B, 1)}); }
Texts NoEscape() { return {Call("GetForegroundWindow"), Call("EnumWindows")}; }
Texts Repeat(int times, const Texts& calls) {
    Texts all;
    for (int i = 0; i < times; ++i) all.insert(all.end(), calls.begin(), calls.end());
    return all;
}
Texts CloseProcess(int n) { return {Call("CloseHandle", ProcessHandle(n))}; }

struct ChangeOverCase {
    const char* name;
    std::vector<std::uint32_t> changeOverWaits;  // after the first play wait times out
    std::vector<fake::TopLevelWindow> topLevel;
    plat::Hwnd foreground;
    Texts expected;                     // between the first launch and the second
    std::vector<plat::Hwnd> found = {};  // FindWindowA answers
    bool cursorReadable = true;
};

TEST_F(Player, ChangeOverSequences) {
    const std::vector<std::uint32_t> hangs(16, kWaitTimeout);  // 8 passes of 4 s
    const ChangeOverCase cases[] = {
        // One WM_CLOSE for a saver of the usual library, whose one window
        // has the foreground; every visible window of its own for others.
        {"ends on WM_CLOSE to each of its visible windows", {kWaitObject0},
         {kOwn, kOther, kOwnHidden, kOwn2}, kChildWindow,
         {Call("EnumWindows"), Call("PostMessageA", kChildWindow, plat::kWmClose, 0, 0),
          Call("PostMessageA", kChildWindow2, plat::kWmClose, 0, 0), Wait(3000)[0]}},
        {"a failed wait after WM_CLOSE counts as ended", {kWaitFailed}, {kOwn}, kChildWindow,
         Close()},
        {"needs the imitated input", {kWaitTimeout, kWaitObject0}, {kOwn}, kChildWindow,
         Join({Close(), Imitate()})},
        {"a failed wait during the input still releases and restores",
         {kWaitTimeout, kWaitFailed}, {kOwn}, kChildWindow, Join({Close(), Imitate()})},
        {"no window of its own: the class's window is asked, and takes the key",
         {kWaitTimeout, kWaitObject0}, {kOther, kHelper}, kClassWindow,
         Join({CloseByClass(), Imitate()}), {kClassWindow}},
        {"no window found", {kWaitObject0}, {kOther}, kForeground,
         Join({NoWindow(), Imitate(false)})},
        {"cursor unreadable: the key only", {kWaitTimeout, kWaitObject0}, {kOwn}, kChildWindow,
         Join({Close(), Imitate(true, false)}), {}, false},
        {"needs Escape", {kWaitTimeout, kWaitTimeout, kWaitObject0}, {kOwn}, kChildWindow,
         Join({Close(), Imitate(), Escape(kChildWindow), Close()})},
        // Another program holds the foreground: it gets no key at all.
        {"a foreign foreground: no key, Escape to the saver's own window",
         {kWaitTimeout, kWaitTimeout, kWaitObject0}, {kOther, kOwn}, kForeground,
         Join({Close(), Imitate(false), EscapeToOwn(), Close()})},
        {"no foreground window: Escape to the saver's own window",
         {kWaitTimeout, kWaitTimeout, kWaitObject0}, {kOwn}, nullptr,
         Join({Close(), Imitate(false), EscapeToOwn(), Close()})},
        {"no window of its own, a foreign foreground: no Escape at all; the search is made again",
         {kWaitTimeout, kWaitTimeout, kWaitObject0}, {kOther, kHelper}, kForeground,
         Join({CloseByClass(), Imitate(false), NoEscape(), NoWindow(), Imitate(false)}),
         {kClassWindow}},
        // A saver that answers to nothing is ended once the waits have
        // given it 30 s: eight passes with a window, thirty without.
        {"hung: ended after 30 s of asking", hangs, {kOwn}, kChildWindow,
         Join({Repeat(7, Join({Close(), Imitate(), Escape(kChildWindow)})), Close(), Imitate(),
               {Call("TerminateProcess", ProcessHandle(0), 1)}, Wait(5000)})},
        {"no window and ignoring input: ended after 30 s", std::vector(30, kWaitTimeout), {},
         nullptr,
         Join({Repeat(29, Join({NoWindow(), Imitate(false), NoEscape()})), NoWindow(),
               Imitate(false), {Call("TerminateProcess", ProcessHandle(0), 1)}, Wait(5000)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NextRow();
        GiveSavers({"a.scr"});
        Settings.ChangeTime = 5000;
        fake::process.waitResults.push_back(kWaitTimeout);
        for (auto r : c.changeOverWaits) fake::process.waitResults.push_back(r);
        fake::process.waitResults.push_back(kWaitObject0);  // after the end: gone at once
        fake::process.waitResults.push_back(kWaitObject0);  // the next saver is ended by the user
        fake::window.topLevel = c.topLevel;
        fake::window.foreground = c.foreground;
        fake::window.foundWindows.assign(c.found.begin(), c.found.end());
        fake::input.cursorReadable = c.cursorReadable;

        RunPlayer("/s");

        EXPECT_EQ(PlayerCalls(), Join({Launch(0, 5000), {Call("GetProcessId", ProcessHandle(0))},
                                       c.expected, CloseProcess(0), Launch(1, 5000),
                                       CloseProcess(1)}));
        EXPECT_EQ(fake::input.cursor.x, 100);
        EXPECT_EQ(fake::input.cursor.y, 200);
    }
}

// ------------------------------------------------------------ set-up and waits

TEST_F(Player, SetUpLoadsSwitchesPreparesAndScansInOrder) {
    GiveSavers({"a.scr"});
    plat::Hmodule dwm = fake::Token(42);
    DwmLibrary = dwm;
    fake::modules.exports[{dwm, "DwmEnableComposition"}] = fake::FakeExport();
    // The registry decides: the change time comes from it, not the defaults.
    fake::registry.keys[kSettingsKey]["ChangeTime"] = fake::Dword(7000);
    fake::process.waitResults = {kWaitObject0};

    RunPlayer("/s");

    const auto calls = fake::CallsNamed({"RegCreateKeyExA", "DwmEnableComposition", "HeapAlloc",
                                         "GetWindowsDirectoryA", "CreateProcessA",
                                         "WaitForSingleObject", "HeapFree"});
    Texts names;
    for (const auto& call : calls) names.push_back(call.substr(0, call.find('(')));
    EXPECT_EQ(names, (Texts{"RegCreateKeyExA", "DwmEnableComposition",
                                               "HeapAlloc", "HeapAlloc", "GetWindowsDirectoryA",
                                               "CreateProcessA", "WaitForSingleObject",
                                               "HeapFree", "HeapFree"}));
    EXPECT_EQ(fake::CallsNamed({"WaitForSingleObject"}),
              (Texts{Call("WaitForSingleObject", ProcessHandle(0), 7000)}));
}

struct WaitCase {
    std::int32_t changeTime;
    std::int32_t random;
    std::uint32_t expected;
};

TEST_F(Player, PlayWaitIsTheChangeTimeOnlyWithRandomPlayAndAtLeastTwoSeconds) {
    const WaitCase cases[] = {
        {180000, 1, 180000},     {5000, 1, 5000},  {0, 1, kInfinite},
        {-1, 1, kInfinite},      {-2, 1, 0xFFFFFFFE}, {5000, 0, kInfinite},
        {0, 0, kInfinite},
        // Shorter than the shortest play: raised to it.
        {1, 1, 2000},            {1999, 1, 2000},  {2000, 1, 2000},
        {2001, 1, 2001},         {1, 0, kInfinite},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "ChangeTime " << c.changeTime << " Random " << c.random);
        NextRow();
        GiveSavers({"a.scr"});
        std::snprintf(Settings.DefSaver, sizeof Settings.DefSaver, "%s", Saver("a.scr").c_str());
        Settings.ChangeTime = c.changeTime;
        Settings.Random = c.random;
        fake::process.waitResults = {kWaitObject0};

        RunPlayer("/s");

        EXPECT_EQ(PlayerCalls(), Join({Launch(0, c.expected), CloseProcess(0)}));
    }
}

TEST_F(Player, AFailedPlayWaitEndsTheRun) {
    GiveSavers({"a.scr", "b.scr"});
    fake::process.waitResults = {kWaitFailed};
    RunPlayer("/s");
    EXPECT_EQ(PlayerCalls(), Join({Launch(0, 180000), CloseProcess(0)}));
}

// ------------------------------------------------------------ what is played

TEST_F(Player, RotationPlaysEveryEntryBeforeAnyRepeats) {
    GiveSavers({"a.scr", "b.scr", "c.scr", "d.scr"});
    // A different start position for every choice.
    fake::process.ticks = Twice({0, 640, 129, 5000, 77, 900, 1280, 300});
    fake::window.foundWindows.assign(8, kChildWindow);
    for (int i = 0; i < 7; ++i) {
        fake::process.waitResults.push_back(kWaitTimeout);  // change time up
        fake::process.waitResults.push_back(kWaitObject0);  // closed by WM_CLOSE
    }
    fake::process.waitResults.push_back(kWaitObject0);  // the user ends the eighth

    RunPlayer("/S");

    const auto lines = LaunchedCommandLines();
    ASSERT_EQ(lines.size(), 8u);
    const Texts all = {Quoted(Saver("a.scr"), "/S"), Quoted(Saver("b.scr"), "/S"),
                                          Quoted(Saver("c.scr"), "/S"), Quoted(Saver("d.scr"), "/S")};
    for (int round = 0; round < 2; ++round) {
        Texts played(lines.begin() + round * 4, lines.begin() + round * 4 + 4);
        std::sort(played.begin(), played.end());
        EXPECT_EQ(played, all) << "round " << round;
    }
}

TEST_F(Player, OptionTextIsForwardedUnchanged) {
    GiveSavers({"a.scr"});
    fake::process.waitResults = {kWaitObject0};
    RunPlayer("-s  and more");
    EXPECT_EQ(LaunchedCommandLines(), (Texts{Quoted(Saver("a.scr"), "-s  and more")}));
}

TEST_F(Player, FixedPlayRunsDefSaverWithoutLimitUntilItEnds) {
    GiveSavers({"a.scr", "b.scr"});
    Settings.Random = 0;
    std::snprintf(Settings.DefSaver, sizeof Settings.DefSaver, "D:\\Other Savers\\Fixed.scr");
    fake::process.waitResults = {kWaitObject0};

    RunPlayer("/s");

    ASSERT_EQ(fake::process.launches.size(), 1u);
    EXPECT_EQ(fake::process.launches[0].commandLine, "\"D:\\Other Savers\\Fixed.scr\" /s");
    EXPECT_EQ(fake::process.launches[0].currentDirectory, "D:\\Other Savers\\Fixed.scr\\..");
    EXPECT_EQ(PlayerCalls(), Join({Launch(0, kInfinite), CloseProcess(0)}));
    EXPECT_EQ(fake::CallsNamed({"GetTickCount"}).size(), 1u)
        << "the launch's tick only: no selection in fixed play, and with input since the "
           "launch the play's length does not matter";
}

TEST_F(Player, EmptyCatalogueEndsAtOnceEvenWithAnExistingDefSaver) {
    const struct {
        std::int32_t random;
    } cases[] = {{0}, {1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.random);
        NextRow();
        Settings.UseSysDir = 0;
        fake::files.folders["D:\\Savers\\"] = {fake::File("Fixed.scr")};  // not scanned
        Settings.Random = c.random;
        std::snprintf(Settings.DefSaver, sizeof Settings.DefSaver, "D:\\Savers\\Fixed.scr");

        RunPlayer("/s");

        EXPECT_TRUE(fake::CallsNamed({"CreateProcessA", "WaitForSingleObject", "MessageBoxA"}).empty());
        EXPECT_EQ(fake::CallsNamed({"HeapFree"}).size(), 2u);
    }
}

// ------------------------------------------------------------ launch failures

TEST_F(Player, LaunchFailuresEnd) {
    const struct {
        const char* name;
        std::int32_t random;
        const char* defSaver;
        std::vector<std::int32_t> creates;
        std::vector<std::uint32_t> ticks;
        std::vector<std::uint32_t> waits;
        std::size_t attempts;  // CreateProcessA calls before the run ends
    } cases[] = {
        // Fresh counts: each of the three is tried once, none twice.
        {"every saver fails", 1, "", {0, 0, 0, 0}, {0}, {}, 3},
        {"DefSaver fails", 0, "C:\\WINDOWS\\a.scr", {0, 1}, {0}, {}, 1},
        {"DefSaver empty", 0, "", {0, 1}, {0}, {}, 1},
        // After one good play every saver fails: the row ends within
        // 2 x 3 - 1 failures.
        {"everything fails after one play", 1, "",
         {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 128, 128, 128},
         {kWaitTimeout, kWaitObject0}, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NextRow();
        GiveSavers({"a.scr", "b.scr", "c.scr"});
        Settings.Random = c.random;
        std::snprintf(Settings.DefSaver, sizeof Settings.DefSaver, "%s", c.defSaver);
        fake::process.createResults.assign(c.creates.begin(), c.creates.end());
        fake::process.ticks = Twice(c.ticks);
        fake::process.waitResults.assign(c.waits.begin(), c.waits.end());
        fake::window.foundWindows.assign(4, kChildWindow);

        RunPlayer("/s");

        EXPECT_EQ(fake::CallsNamed({"CreateProcessA"}).size(), c.attempts);
        EXPECT_TRUE(fake::process.waitResults.empty()) << "every scripted wait was used";
        EXPECT_TRUE(fake::CallsNamed({"MessageBoxA"}).empty());
    }
}

// A child that ended by itself is skipped, like a launch that failed, only
// when the system's last input is the same as just before its launch and it
// crashed or ended within the shortest play; otherwise the run ends as
// before.
TEST_F(Player, AChildThatFailedWithoutInputIsSkipped) {
    constexpr std::uint64_t kFails = 1ull << 32;  // the call fails
    const struct {
        const char* name;
        std::uint32_t launched, ended;
        std::uint64_t inputBefore, inputAfter, exitCode;
        bool skipped;
    } cases[] = {
        {"exited at once", 10000, 10500, 9000, 9000, 0, true},
        {"exited just before the shortest play", 10000, 11999, 9000, 9000, 0, true},
        {"ended normally after it (closed by another program)", 10000, 12000, 9000, 9000, 0, false},
        {"crashed late", 10000, 70000, 9000, 9000, 0xC0000005, true},
        {"the lowest exception status", 10000, 70000, 9000, 9000, 0xC0000000, true},
        {"below it", 10000, 70000, 9000, 9000, 0xBFFFFFFF, false},
        // The change-over's imitated key lands in the tick of the next launch.
        {"input in the launch tick, before it", 10000, 10500, 10000, 10000, 0xC0000005, true},
        {"input in the launch tick, after it", 10000, 10000, 9000, 10000, 0, false},
        {"input while it played", 10000, 70000, 9000, 60000, 0xC0000005, false},
        {"the last input unknown after", 10000, 10500, 9000, kFails, 0xC0000005, false},
        {"the last input unknown before", 10000, 10500, kFails, 9000, 0xC0000005, false},
        {"the exit code unknown", 10000, 70000, 9000, 9000, kFails, false},
        {"the clock wrapped", 0xFFFFFF00, 0x100, 0xFFFFFE00, 0xFFFFFE00, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NextRow();
        GiveSavers({"a.scr", "b.scr"});
        // Selection and launch, then the end; the next saver is ended by the
        // user (the fake's unscripted input is always new).
        fake::process.ticks = {c.launched, c.launched, c.ended};
        fake::input.lastInput = {c.inputBefore, c.inputAfter};
        fake::process.exitCodes = {c.exitCode};

        RunPlayer("/s");

        EXPECT_EQ(PlayerCalls(), c.skipped ? Join({Launch(0, 180000), CloseProcess(0),
                                                   Launch(1, 180000), CloseProcess(1)})
                                           : Join({Launch(0, 180000), CloseProcess(0)}));
    }

    // A saver that ignores WM_CLOSE is closed with the imitated key, in the
    // tick the next saver is launched in; that one exits at once, and nobody
    // touched anything since the key: it is skipped.
    NextRow();
    GiveSavers({"normal.scr", "stubborn.scr", "quit.scr"});  // chosen from index 1 on
    Settings.ChangeTime = 5000;
    fake::process.ticks = {5000};
    fake::process.waitResults = {kWaitTimeout, kWaitTimeout, kWaitObject0,  // stubborn
                                 kWaitObject0,                              // quit
                                 kWaitObject0};                             // normal: the user
    fake::window.foundWindows = {kChildWindow};
    fake::input.lastInput = {4000, 5000, 5000, 5000, 5100};  // before and after each launch
    RunPlayer("/s");
    EXPECT_EQ(LaunchedCommandLines(),
              (Texts{Quoted(Saver("stubborn.scr")), Quoted(Saver("quit.scr")),
                                        Quoted(Saver("normal.scr"))}));
    // Failures count like failed launches: when every saver fails each is
    // tried once and the run ends; fixed play ends at the first.
    for (std::int32_t random : {1, 0}) {
        SCOPED_TRACE(random);
        NextRow();
        GiveSavers({"a.scr", "b.scr", "c.scr"});
        Settings.Random = random;
        std::snprintf(Settings.DefSaver, sizeof Settings.DefSaver, "%s", Saver("a.scr").c_str());
        fake::process.ticks = {5000};
        fake::input.lastInput.assign(4, 4000);
        RunPlayer("/s");
        EXPECT_EQ(fake::CallsNamed({"CreateProcessA"}).size(), random ? 3u : 1u);
    }
}

TEST_F(Player, AfterFailuresTheWorkingSaverPlays) {
    GiveSavers({"a.scr", "b.scr", "c.scr"});
    fake::process.createResults = {1, 0, 0, 0, 0, 1};
    fake::process.ticks = Twice({0, 0, 0, 128, 128, 128});
    fake::process.waitResults = {kWaitTimeout, kWaitObject0, kWaitObject0};
    fake::window.foundWindows = {kChildWindow};

    RunPlayer("/s");

    // Attempts in order: b plays; c and a fail; the start positions bring
    // the choice back to c and a before b is reached again.
    EXPECT_EQ(LaunchedCommandLines(),
              (Texts{Quoted(Saver("b.scr")), Quoted(Saver("c.scr")),
                                        Quoted(Saver("a.scr")), Quoted(Saver("c.scr")),
                                        Quoted(Saver("a.scr")), Quoted(Saver("b.scr"))}));
}

}  // namespace
