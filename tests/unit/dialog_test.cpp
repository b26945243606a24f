// The settings dialog procedure driven message by message against the fake.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <iconv.h>
#include <string>
#include <vector>

#include "dialog/dialog.h"
#include "fake/fake_dialog.h"
#include "fake/fake_files.h"
#include "fake/fake_modules.h"
#include "fake/fake_process.h"
#include "fake/fake_registry.h"
#include "fake/fake_shell.h"
#include "fake/fake_window.h"
#include "fixture.h"
#include "settings/settings.h"

namespace {

using fake::Call;
using fake::ControlHandle;
using fake::Ctl;
using fake::Texts;

plat::Hwnd const kDialog = fake::Token(1);
plat::Hmodule const kDwm = fake::Token(2);

const char kWin[] = "C:\\WINDOWS\\";
const char kSys[] = "C:\\WINDOWS\\system32\\";
// The list once the Windows directory is left out.
const fake::Texts kSystemSavers = {"C:\\WINDOWS\\system32\\Alpha.SCR",
                                   "C:\\WINDOWS\\system32\\bubbles.scr"};

// The controls of settings templates 1 and 2 (the same in both), as the
// resource script creates them.
void DeclareSettingsTemplate() {
    using fake::ControlKind;
    for (std::int32_t id : {kIdOk, kIdCancel, kIdApply, kIdBrowse, kIdSetting, kIdPreview,
                            kIdSupport})
        fake::DeclareControl(id, ControlKind::Button);
    for (std::int32_t id : {kIdUseWinDir, kIdUseSysDir, kIdUseExtDir, kIdExtSubDir, kIdRandom,
                            kIdDisableDwm})
        fake::DeclareControl(id, ControlKind::CheckBox);
    fake::DeclareControl(kIdWinDirText, ControlKind::Static);
    fake::DeclareControl(kIdSysDirText, ControlKind::Static);
    fake::DeclareControl(kIdExtDir, ControlKind::Edit);
    fake::DeclareControl(kIdChangeTime, ControlKind::Edit);
    fake::DeclareControl(kIdChangeTimeSpin, ControlKind::UpDown);
    fake::DeclareControl(kIdSaverList, ControlKind::ListBox);
    Ctl(kIdApply).enabled = false;  // disabled in the template itself
}

class SettingsDialog : public FakeFixture {
protected:
    void Arrange() override {
        DwmLibrary = kDwm;
        fake::modules.exports[{kDwm, "DwmEnableComposition"}] = fake::FakeExport();
        fake::dialog.proc = SettingsDialogProc;
        DeclareSettingsTemplate();
        fake::files.folders[kWin] = {fake::File("zeta.scr"), fake::File("Mystify.scr"),
                                     fake::File("notepad.exe")};
        fake::files.folders[kSys] = {fake::File("bubbles.scr"), fake::File("Alpha.SCR")};
    }

    std::intptr_t Message(std::uint32_t message) { return SettingsDialogProc(kDialog, message, 0, 0); }
    std::intptr_t Init() { return Message(plat::kWmInitDialog); }
    // A control's notification, as the control itself sends it.
    std::intptr_t Command(std::int32_t id, std::uint32_t code = 0) {
        return SettingsDialogProc(kDialog, plat::kWmCommand,
                                  static_cast<plat::WParam>(id) | (plat::WParam{code} << 16),
                                  reinterpret_cast<plat::LParam>(ControlHandle(id)));
    }
    // The user checks or unchecks a box: the state changes, then BN_CLICKED.
    void Click(std::int32_t id, std::uint32_t state) {
        Ctl(id).check = state;
        Command(id);
    }
    // The user edits a field: the text changes, then EN_CHANGE.
    void Type(std::int32_t id, const std::string& text) {
        Ctl(id).text = text;
        Command(id, plat::kEnChange);
    }
    void Choose(int line) {
        Ctl(kIdSaverList).selection = line;
        Command(kIdSaverList, plat::kLbnSelChange);
    }
    std::map<std::string, fake::RegistryValue>& Stored() { return fake::registry.keys[kSettingsKey]; }
    std::int32_t StoredDword(const char* name) {
        std::int32_t value = 0;
        std::memcpy(&value, Stored().at(name).data.data(), 4);
        return value;
    }
    std::string StoredText(const char* name) {
        return reinterpret_cast<const char*>(Stored().at(name).data.data());
    }
    // The messages sent to the list box, in order.
    Texts ListMessages() {
        std::string prefix = Call("SendMessageA", ControlHandle(kIdSaverList));
        prefix.back() = ',';
        Texts out;
        for (const auto& call : fake::calls)
            if (call.rfind(prefix, 0) == 0) out.push_back(call);
        return out;
    }
    std::size_t Saves() { return fake::CallsNamed({"RegSetValueExA"}).size(); }
    bool ApplyEnabled() { return Ctl(kIdApply).enabled; }
    const Texts& Lines() { return Ctl(kIdSaverList).lines; }
    int Selection() { return Ctl(kIdSaverList).selection; }
    // The dialog opened, a line chosen (-1: none) and the log cleared: what
    // a button does next is all the log holds.
    void Open(int line = -1) {
        Init();
        if (line >= 0) Choose(line);
        fake::calls.clear();
    }
};

std::string ToCp932(const char* utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    char out[512] = {};
    char* in = const_cast<char*>(utf8);
    std::size_t inLeft = std::strlen(utf8);
    char* to = out;
    std::size_t outLeft = sizeof out - 1;
    const std::size_t rc = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    EXPECT_NE(rc, static_cast<std::size_t>(-1)) << utf8;
    return out;
}

// ------------------------------------------------------------ opening

TEST_F(SettingsDialog, OpensWithTheDefaultsOnAnEmptyRegistry) {
    EXPECT_EQ(Init(), 1);
    for (auto [id, check] : {std::pair{kIdUseWinDir, 1u}, {kIdUseSysDir, 1u}, {kIdUseExtDir, 0u},
                             {kIdExtSubDir, 0u}, {kIdRandom, 1u}, {kIdDisableDwm, 1u}})
        EXPECT_EQ(Ctl(id).check, check) << id;
    for (auto [id, text] : {std::pair{kIdWinDirText, "C:\\WINDOWS"},
                            {kIdSysDirText, "C:\\WINDOWS\\system32"}, {kIdExtDir, ""},
                            {kIdChangeTime, "3"}})
        EXPECT_EQ(Ctl(id).text, text) << id;
    EXPECT_EQ(Ctl(kIdExtDir).textLimit, 260u);
    EXPECT_EQ(Ctl(kIdChangeTimeSpin).range, 10000);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(Saves(), 0u);
    // Full paths in the list box's own order; no DefSaver, no selection.
    EXPECT_EQ(Lines(), (Texts{"C:\\WINDOWS\\Mystify.scr", "C:\\WINDOWS\\system32\\Alpha.SCR",
                              "C:\\WINDOWS\\system32\\bubbles.scr", "C:\\WINDOWS\\zeta.scr"}));
    EXPECT_EQ(Selection(), -1);
}

TEST_F(SettingsDialog, InitialisesInItsOrderAndDisablesApplyLast) {
    Stored()["ChangeTime"] = fake::Dword(600000);
    Init();
    const auto apply = ControlHandle(kIdApply);
    const Texts expected = {
        Call("CheckDlgButton", kDialog, 100, 1u),
        Call("SetDlgItemTextA", kDialog, 101, "C:\\WINDOWS"),
        Call("CheckDlgButton", kDialog, 102, 1u),
        Call("SetDlgItemTextA", kDialog, 103, "C:\\WINDOWS\\system32"),
        Call("CheckDlgButton", kDialog, 104, 0u),
        Call("SendMessageA", ControlHandle(105), plat::kEmLimitText, 260u, 0),
        Call("SetDlgItemTextA", kDialog, 105, ""),
        Call("EnableWindow", apply, 1),  // the edit box's own EN_CHANGE
        Call("CheckDlgButton", kDialog, 106, 0u),
        Call("CheckDlgButton", kDialog, 107, 1u),
        Call("SetDlgItemTextA", kDialog, 108, "10"),
        Call("EnableWindow", apply, 1),
        Call("SendMessageA", ControlHandle(109), plat::kUdmSetRange, 0u, 10000),
        Call("CheckDlgButton", kDialog, 114, 1u),
        Call("SendMessageA", ControlHandle(110), plat::kLbResetContent, 0u, 0),
    };
    const auto seen = fake::CallsNamed({"CheckDlgButton", "SetDlgItemTextA", "SendMessageA",
                                        "EnableWindow", "ShowWindow"});
    ASSERT_GE(seen.size(), expected.size());
    EXPECT_EQ(Texts(seen.begin(), seen.begin() + expected.size()), expected);
    EXPECT_EQ(seen.back(), Call("EnableWindow", apply, 0));
    // The settings are loaded before anything is shown.
    EXPECT_EQ(fake::calls.front().rfind("RegCreateKeyExA", 0), 0u);
}

TEST_F(SettingsDialog, ShowsStoredValuesUnchanged) {
    // Each stored value, and the check box that is given it as it is.
    const struct {
        const char* name;
        std::int32_t box;
        std::uint32_t value;
    } rows[] = {{"UseWinDir", 100, 0},        {"UseSysDir", 102, 7}, {"UseExtDir", 104, 1},
                {"ExtSubDir", 106, 0xFFFFFFFF}, {"Random", 107, 0},    {"DisableDWM", 114, 2}};
    Texts expected;
    for (const auto& row : rows) {
        Stored()[row.name] = fake::Dword(row.value);
        expected.push_back(Call("CheckDlgButton", kDialog, row.box, row.value));
    }
    Stored()["ExtDir"] = fake::Text("D:\\More Savers");
    Init();
    EXPECT_EQ(fake::CallsNamed({"CheckDlgButton"}), expected);
    EXPECT_EQ(Ctl(kIdExtDir).text, "D:\\More Savers");
}

TEST_F(SettingsDialog, ShowsChangeTimeInWholeMinutesTruncatedTowardZero) {
    const struct {
        std::uint32_t stored;
        const char* shown;
    } cases[] = {
        {180000, "3"},     {90000, "1"},          {59999, "0"},
        {0, "0"},          {static_cast<std::uint32_t>(-60000), "-1"},
        {static_cast<std::uint32_t>(-119999), "-1"},
        {0x7FFFFFFF, "35791"}, {0x80000000u, "-35791"},
    };
    for (const auto& c : cases) {
        NextRow();
        Stored()["ChangeTime"] = fake::Dword(c.stored);
        Init();
        EXPECT_EQ(Ctl(kIdChangeTime).text, c.shown) << c.stored;
    }
}

TEST_F(SettingsDialog, WithoutCompositionTheBoxIsHiddenAndSavesZero) {
    DwmLibrary = nullptr;
    Init();
    EXPECT_EQ(fake::CallsNamed({"ShowWindow"}), Texts{Call("ShowWindow", ControlHandle(114), 0u)});
    EXPECT_EQ(fake::CallsNamed({"CheckDlgButton"}).size(), 5u);
    Command(kIdOk);
    EXPECT_EQ(StoredDword("DisableDWM"), 0);
}

TEST_F(SettingsDialog, FolderTextsStayEmptyWhenTheSystemCannotGiveThem) {
    fake::files.windowsDirectory.text = std::string(300, 'W');  // needs more than 260 bytes
    fake::files.systemDirectory.result = 0;
    Init();
    EXPECT_EQ(Ctl(kIdWinDirText).text, "");
    EXPECT_EQ(Ctl(kIdSysDirText).text, "");
}

// ------------------------------------------------------------ changes and Apply

TEST_F(SettingsDialog, EveryChangeEnablesApplyAndOtherNotificationsDoNot) {
    const struct {
        std::int32_t id;
        std::uint32_t code;
        bool enables;
    } cases[] = {
        {kIdUseWinDir, 0, true},  {kIdUseSysDir, 0, true},  {kIdUseExtDir, 0, true},
        {kIdExtSubDir, 0, true},  {kIdRandom, 0, true},     {kIdDisableDwm, 0, true},
        {kIdUseWinDir, 5, true},  // BN_DOUBLECLICKED: any notification of a check box
        {kIdExtDir, plat::kEnChange, true},
        {kIdChangeTime, plat::kEnChange, true},
        {kIdSaverList, plat::kLbnSelChange, true},
        {kIdExtDir, 0x400, false},      // EN_UPDATE
        {kIdChangeTime, 0x100, false},  // EN_SETFOCUS
        {kIdSaverList, 2, false},       // LBN_DBLCLK
        {kIdWinDirText, 0, false},      {kIdSysDirText, 0, false},
        {kIdChangeTimeSpin, 0, false},  {999, 0, false},
    };
    Init();
    for (const auto& c : cases) {
        Ctl(kIdApply).enabled = false;
        EXPECT_EQ(Command(c.id, c.code), 0) << c.id;
        EXPECT_EQ(ApplyEnabled(), c.enables) << c.id << " code " << c.code;
    }
    EXPECT_EQ(Saves(), 0u);
}

TEST_F(SettingsDialog, ApplySavesRefreshesAndDisablesItselfAndTheSecondPressDoesNothing) {
    Init();
    Click(kIdUseWinDir, 0);  // leave the Windows directory out
    Type(kIdChangeTime, "10");
    ASSERT_TRUE(ApplyEnabled());
    EXPECT_EQ(Command(kIdApply), 1);
    EXPECT_EQ(Saves(), 9u);
    EXPECT_EQ(StoredDword("UseWinDir"), 0);
    EXPECT_EQ(StoredDword("ChangeTime"), 600000);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(Lines(), kSystemSavers);

    EXPECT_EQ(Command(kIdApply), 1);
    EXPECT_EQ(Saves(), 9u);
}

TEST_F(SettingsDialog, ReadsEveryControlIntoTheRecord) {
    Init();
    Click(kIdUseSysDir, 0);
    Click(kIdUseExtDir, 1);
    Click(kIdExtSubDir, 1);
    Click(kIdRandom, 0);
    Click(kIdDisableDwm, 0);
    Type(kIdExtDir, "E:\\Savers");
    Choose(3);
    Command(kIdOk);
    for (auto [name, value] : {std::pair{"UseWinDir", 1}, {"UseSysDir", 0}, {"UseExtDir", 1},
                               {"ExtSubDir", 1}, {"Random", 0}, {"ChangeTime", 180000},
                               {"DisableDWM", 0}})
        EXPECT_EQ(StoredDword(name), value) << name;
    EXPECT_EQ(StoredText("ExtDir"), "E:\\Savers");
    EXPECT_EQ(StoredText("DefSaver"), "C:\\WINDOWS\\zeta.scr");
}

TEST_F(SettingsDialog, StoresEnteredMinutesTimes60000AndTheLimitsBeyond) {
    const struct {
        const char* entered;
        std::int32_t stored;
    } cases[] = {
        {"10", 600000}, {"0", 0}, {"", 0}, {"  7 min", 420000}, {"-2", -120000},
        {"20000", 1200000000},               // beyond the arrows' 10000
        {"35791", 2147460000},               // the most minutes that fit
        {"35792", INT32_MAX},                // 2147520000 does not fit
        {"71583", INT32_MAX},                // would wrap to 12.7 seconds
        {"-35791", -2147460000}, {"-35792", INT32_MIN},
        {"71582789", INT32_MAX},
        // Minutes beyond 32 bits never wrap (the text rules are ParseIntClamped's).
        {"4294967296", INT32_MAX}, {"-4294967296", INT32_MIN},
    };
    for (const auto& c : cases) {
        NextRow();
        Init();
        Type(kIdChangeTime, c.entered);
        ReadControls(kDialog);
        EXPECT_EQ(Settings.ChangeTime, c.stored) << c.entered;
    }
}

TEST_F(SettingsDialog, ReadsTheTextBoxesThroughMaxPathBuffers) {
    Init();
    const std::string longFolder(400, 'f');
    Type(kIdExtDir, longFolder);
    Type(kIdChangeTime, std::string(300, '1'));
    ReadControls(kDialog);
    EXPECT_EQ(std::string(Settings.ExtDir), longFolder.substr(0, 259));
    EXPECT_EQ(Settings.ChangeTime, INT32_MAX);  // 259 digits of minutes
    EXPECT_EQ(fake::CallsNamed({"GetDlgItemTextA"}),
              (Texts{Call("GetDlgItemTextA", kDialog, 105, 260),
                     Call("GetDlgItemTextA", kDialog, 108, 260)}));
}

// ------------------------------------------------------------ closing

// Without a selection the stored DefSaver is kept; a selection replaces it.
TEST_F(SettingsDialog, OkSavesAndMakesASelectionDefSaver) {
    for (auto [line, defSaver] : {std::pair{-1, "C:\\Elsewhere\\gone.scr"},
                                  {1, "C:\\WINDOWS\\system32\\Alpha.SCR"}}) {
        NextRow();
        Stored()["DefSaver"] = fake::Text("C:\\Elsewhere\\gone.scr");
        Init();
        if (line >= 0) Choose(line);
        ASSERT_EQ(Selection(), line);
        EXPECT_EQ(Command(kIdOk), 0);
        EXPECT_EQ(StoredText("DefSaver"), defSaver);
        EXPECT_EQ(Saves(), 9u);
        EXPECT_EQ(fake::dialog.endCount, 1);
    }
}

TEST_F(SettingsDialog, CancelAndTheCloseBoxSaveNothing) {
    for (bool closeBox : {false, true}) {
        NextRow();
        Init();
        Click(kIdRandom, 0);
        Type(kIdChangeTime, "9");
        Choose(0);
        fake::calls.clear();
        const std::intptr_t result = closeBox ? Message(plat::kWmClose) : Command(kIdCancel);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(fake::dialog.endCount, 1);
        EXPECT_EQ(fake::calls, Texts{Call("EndDialog", kDialog, 2)});
        EXPECT_TRUE(Stored().empty());
    }
}

TEST_F(SettingsDialog, OtherMessagesAreLeftToTheSystem) {
    Open();
    for (std::uint32_t message : {plat::kWmPaint, plat::kWmHelp, plat::kWmContextMenu,
                                  plat::kWmSysCommand, plat::kWmDestroy})
        EXPECT_EQ(Message(message), 0) << message;
    EXPECT_TRUE(fake::calls.empty());
}

// ------------------------------------------------------------ the list

TEST_F(SettingsDialog, SelectsTheFirstLineEqualToDefSaverInListBoxOrder) {
    // The same saver reached twice through folder texts of different case:
    // the scan meets the Windows directory's line first, the list box sorts
    // the extra folder's line (equal without regard to case) before it.
    fake::files.folders[kWin] = {fake::File("zeta.scr"), fake::File("Twin.scr")};
    fake::files.folders[kSys] = {fake::File("bubbles.scr")};
    fake::files.folders["c:\\windows\\"] = {fake::File("Twin.scr")};
    Stored()["UseExtDir"] = fake::Dword(1);
    Stored()["ExtDir"] = fake::Text("c:\\windows");
    Stored()["DefSaver"] = fake::Text("C:\\Windows\\TWIN.SCR");
    Init();
    ASSERT_EQ(Lines(), (Texts{"C:\\WINDOWS\\system32\\bubbles.scr", "c:\\windows\\Twin.scr",
                              "C:\\WINDOWS\\Twin.scr", "C:\\WINDOWS\\zeta.scr"}));
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(ListMessages().back(),
              Call("SendMessageA", ControlHandle(110), plat::kLbSetCurSel, 1u, 0));

    // Code page 932: DefSaver names ヂ.scr (83 61), not ア.scr (83 41) before it.
    NextRow();
    fake::files.codePage = 932;
    fake::files.folders[kWin] = {fake::File("\x83\x61.scr"), fake::File("\x83\x41.scr")};
    fake::files.folders[kSys] = {};
    Stored()["DefSaver"] = fake::Text("C:\\WINDOWS\\\x83\x61.scr");
    Init();
    ASSERT_EQ(Lines(), (Texts{"C:\\WINDOWS\\\x83\x41.scr", "C:\\WINDOWS\\\x83\x61.scr"}));
    EXPECT_EQ(Selection(), 1);
    Command(kIdOk);
    EXPECT_EQ(StoredText("DefSaver"), "C:\\WINDOWS\\\x83\x61.scr");
}

TEST_F(SettingsDialog, NoLineIsSelectedWhenNoneMatchesOrNothingIsFound) {
    Stored()["DefSaver"] = fake::Text("C:\\WINDOWS\\zeta.scr.bak");
    Init();
    EXPECT_EQ(Selection(), -1);

    NextRow();
    Stored()["UseWinDir"] = fake::Dword(0);
    Stored()["UseSysDir"] = fake::Dword(0);
    Init();
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(ListMessages(),
              Texts{Call("SendMessageA", ControlHandle(110), plat::kLbResetContent, 0u, 0)});
}

TEST_F(SettingsDialog, EachFillingStartsAfreshAndReselectsDefSaver) {
    Stored()["DefSaver"] = fake::Text("C:\\WINDOWS\\system32\\bubbles.scr");
    Init();
    EXPECT_EQ(Selection(), 2);
    Choose(0);
    Click(kIdUseWinDir, 0);
    Command(kIdApply);  // DefSaver is now the chosen line, the Windows directory left out
    EXPECT_EQ(Lines(), kSystemSavers);
    EXPECT_EQ(StoredText("DefSaver"), "C:\\WINDOWS\\Mystify.scr");
    EXPECT_EQ(Selection(), -1);
    Click(kIdUseWinDir, 1);
    Command(kIdApply);
    EXPECT_EQ(Lines().size(), 4u);
    EXPECT_EQ(Selection(), 0);
}

TEST_F(SettingsDialog, ALineIsJudgedByItsRealLengthNotTheReportedOne) {
    // A Japanese name that makes the path 259 bytes, the longest that fits
    // MAX_PATH; the list box may report up to twice that to an ANSI caller.
    std::string path = kWin;
    while (path.size() < 255) path += "\x93\xfa";  // 日
    path += ".scr";
    ASSERT_EQ(path.size(), 259u);
    const struct {
        std::string line;
        int factor;
        bool taken;
    } cases[] = {
        {path, 2, true},          // reported 518: read, and it fits
        {path, 3, false},         // reported 777: more than any line that fits can report
        {path + "x", 1, false},   // really 260 bytes: no room for the NUL
        {std::string(300, 'x'), 1, false},  // a line too long for a path is never read
    };
    for (const auto& c : cases) {
        NextRow();
        Stored()["DefSaver"] = fake::Text("C:\\WINDOWS\\zeta.scr");
        Init();
        Ctl(kIdSaverList).lines.push_back(c.line);  // sorts after the scan's lines
        Ctl(kIdSaverList).reportedLengthFactor = c.factor;
        Choose(4);
        Command(kIdOk);
        EXPECT_EQ(StoredText("DefSaver"), c.taken ? c.line : "C:\\WINDOWS\\zeta.scr")
            << c.line.size() << " x" << c.factor;
        Command(kIdPreview);
        ASSERT_EQ(fake::process.launches.size(), c.taken ? 1u : 0u) << c.line.size();
        if (c.taken) EXPECT_EQ(fake::process.launches[0].commandLine, "\"" + c.line + "\" /s");
    }

    // Found by the scan and stored as DefSaver, the same path is preselected.
    NextRow();
    fake::files.folders[kWin].push_back(fake::File(path.substr(std::strlen(kWin))));
    Stored()["DefSaver"] = fake::Text(path);
    Ctl(kIdSaverList).reportedLengthFactor = 2;
    Init();
    ASSERT_GE(Selection(), 0);
    EXPECT_EQ(Lines()[static_cast<std::size_t>(Selection())], path);
}

// ------------------------------------------------------------ Setting and Preview

TEST_F(SettingsDialog, SettingAndPreviewRunTheSelectedSaverAndWaitForIt) {
    const struct {
        std::int32_t button;
        const char* commandLine;
    } cases[] = {
        {kIdSetting, "\"C:\\WINDOWS\\Mystify.scr\" "},
        {kIdPreview, "\"C:\\WINDOWS\\Mystify.scr\" /s"},
    };
    for (const auto& c : cases) {
        NextRow();
        Open(0);
        EXPECT_EQ(Command(c.button), 0);
        // Composition first, then the launch, an unbounded wait, the handle
        // closed and the dialog enabled again (a saver's dialog that was
        // killed never gave it back).
        const void* off = reinterpret_cast<void*>(fake::FakeExport());
        EXPECT_EQ(fake::CallsNamed({"DwmEnableComposition", "CreateProcessA", "WaitForSingleObject",
                                    "MsgWaitForMultipleObjects", "CloseHandle", "EnableWindow"}),
                  (Texts{Call("DwmEnableComposition", off, 0u),
                         Call("CreateProcessA", nullptr, c.commandLine, nullptr, nullptr, 0, 0x840u,
                              nullptr, "C:\\WINDOWS\\Mystify.scr\\.."),
                         Call("CloseHandle", fake::ThreadHandle(0)),
                         Call("MsgWaitForMultipleObjects", 1u, fake::ProcessHandle(0), 0,
                              0xFFFFFFFFu, 0x1C47u),
                         Call("CloseHandle", fake::ProcessHandle(0)),
                         Call("EnableWindow", kDialog, 1)}));
        EXPECT_EQ(Saves(), 0u);
    }
}

// While the saver runs, the dialog's thread serves what other threads send
// it (a saver's settings dialog owned by ours sends while it is created) and
// takes its input out of the queue without dispatching it, until the queue
// holds neither; posted messages stay: the dialog stays unresponsive.
// Input includes touch and pen until a wait refuses them (before Windows 8).
TEST_F(SettingsDialog, TheWaitServesSentMessagesAndDropsInputUntilTheSaverEnds) {
    const std::uint32_t kWoke = plat::kWaitObject0 + 1;
    const std::uint32_t kFailed = plat::kWaitFailed;
    const struct {
        std::deque<std::uint32_t> wakes;
        std::vector<int> taken;  // input messages taken after each wake
        std::size_t refusedAt;   // the wake from which touch and pen are left out
    } cases[] = {
        {{plat::kWaitObject0}, {}, 9},
        {{kWoke, kWoke, plat::kWaitObject0}, {2, 0}, 9},
        {{kWoke, kFailed, kFailed}, {1}, 2},  // a wait that fails without them too ends it
        {{kFailed, kWoke, plat::kWaitObject0}, {1}, 1},
        {{plat::kWaitTimeout}, {}, 9},  // cannot happen without a limit; still not a hang
    };
    for (const auto& c : cases) {
        NextRow();
        Open(0);
        fake::process.msgWaitResults = c.wakes;
        for (int n : c.taken) {
            fake::window.peeks.insert(fake::window.peeks.end(), n, 1);
            fake::window.peeks.push_back(0);
        }
        Command(kIdSetting);
        const auto seen = fake::CallsNamed({"MsgWaitForMultipleObjects", "PeekMessageA",
                                            "GetMessageA", "DispatchMessageA", "CloseHandle"});
        Texts expected = {Call("CloseHandle", fake::ThreadHandle(0))};
        std::size_t peeked = 0;
        for (std::size_t i = 0; i < c.wakes.size(); ++i) {
            const std::uint32_t input = i < c.refusedAt ? 0x1C07u : 0x407u;
            expected.push_back(Call("MsgWaitForMultipleObjects", 1u, fake::ProcessHandle(0),
                                    0, 0xFFFFFFFFu, 0x40u | input));
            if (c.wakes[i] == kWoke && peeked < c.taken.size())
                expected.insert(expected.end(), c.taken[peeked++] + 1,
                                Call("PeekMessageA", nullptr, 0u, 0u, input << 16 | 0x400001u));
        }
        expected.push_back(Call("CloseHandle", fake::ProcessHandle(0)));
        EXPECT_EQ(seen, expected);
        EXPECT_TRUE(fake::process.msgWaitResults.empty());
        EXPECT_TRUE(fake::window.peeks.empty());
    }
}

TEST_F(SettingsDialog, SettingAndPreviewWithoutASelectionDoNothing) {
    Init();
    for (std::int32_t button : {kIdSetting, kIdPreview}) {
        fake::calls.clear();
        EXPECT_EQ(Command(button), 0);
        EXPECT_TRUE(fake::CallsNamed({"GetProcAddress", "CreateProcessA",
                                      "MsgWaitForMultipleObjects"})
                        .empty());
    }
}

TEST_F(SettingsDialog, AFailedLaunchWaitsForNothing) {
    Open(1);
    fake::process.createResults = {0};
    Command(kIdPreview);
    EXPECT_EQ(fake::CallsNamed({"DwmEnableComposition"}).size(), 1u);
    EXPECT_TRUE(fake::CallsNamed({"MsgWaitForMultipleObjects", "CloseHandle"}).empty());
}

TEST_F(SettingsDialog, CompositionUsesTheRecordNotUnappliedBoxes) {
    Init();
    Click(kIdDisableDwm, 0);  // not applied
    Choose(0);
    Command(kIdSetting);
    EXPECT_EQ(fake::CallsNamed({"DwmEnableComposition"}).size(), 1u);
}

// ------------------------------------------------------------ browse and support

TEST_F(SettingsDialog, BrowsePutsAChosenFolderInTheExtraFolderBox) {
    Open();
    plat::Pidl chosen = fake::Token(77);
    fake::shell.browseResult = chosen;
    fake::shell.browsePath = "D:\\Savers";
    EXPECT_EQ(Command(kIdBrowse), 1);
    const auto shell = fake::CallsNamed({"SHBrowseForFolderA", "SHGetPathFromIDListA",
                                         "CheckDlgButton", "SetDlgItemTextA", "CoTaskMemFree"});
    const Texts expected = {
        Call("SHBrowseForFolderA", kDialog, nullptr, "Select screen saver's directory", 5u),
        Call("SHGetPathFromIDListA", chosen),
        Call("CheckDlgButton", kDialog, 104, 1u),
        Call("SetDlgItemTextA", kDialog, 105, "D:\\Savers"),
        Call("CoTaskMemFree", chosen),
    };
    EXPECT_EQ(shell, expected);
    EXPECT_EQ(Ctl(kIdUseExtDir).check, 1u);
    EXPECT_EQ(Ctl(kIdExtDir).text, "D:\\Savers");
    EXPECT_TRUE(ApplyEnabled());  // through the edit box's EN_CHANGE
}

TEST_F(SettingsDialog, BrowseChangesNothingWhenCancelledOrWithoutAFileSystemPath) {
    for (bool cancelled : {true, false}) {
        NextRow();
        Open();
        fake::shell.browseResult = cancelled ? nullptr : fake::Token(78);
        fake::shell.browsePath.reset();
        EXPECT_EQ(Command(kIdBrowse), 1);
        EXPECT_TRUE(fake::CallsNamed({"CheckDlgButton", "SetDlgItemTextA"}).empty());
        EXPECT_EQ(fake::CallsNamed({"CoTaskMemFree"}).size(), cancelled ? 0u : 1u);
        EXPECT_FALSE(ApplyEnabled());
    }
}

TEST_F(SettingsDialog, SupportAsksInShiftJisAndOpensThePageOnlyOnYes) {
    const std::string caption = ToCp932("インターネット接続の確認");
    const std::string message = "Slumbermix " + ToCp932("のサポートページ(") + kSupportUrl +
                                ToCp932(")に") + "\n" + ToCp932("接続を行います。よろしいですか？");
    for (std::int32_t answer : {plat::kIdYes, 7 /* IDNO */}) {
        NextRow();
        Open();
        fake::dialog.messageBoxAnswers = {answer};
        EXPECT_EQ(Command(kIdSupport), 0);
        Texts expected = {Call("MessageBoxA", kDialog, message, caption, 0x124u)};
        if (answer == plat::kIdYes)
            expected.push_back(Call("ShellExecuteA", kDialog, "open", kSupportUrl, nullptr,
                                    nullptr, 0));
        EXPECT_EQ(fake::calls, expected);
    }
}

}  // namespace
