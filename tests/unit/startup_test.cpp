#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dialog/dialog.h"
#include "fake/fake_dialog.h"
#include "fake/fake_files.h"
#include "fake/fake_modules.h"
#include "fake/fake_shell.h"
#include "fixture.h"
#include "settings/settings.h"
#include "startup/startup.h"

namespace {

using fake::Call;

struct LineCase {
    const char* line;
    RunMode mode;
    const char* optionText;  // expected remainder of the line at the option
    std::int32_t handle;
};

TEST(ParseCommandLine, ModesOptionTextAndHandles) {
    const LineCase cases[] = {
        {"SLUMBMIX.SCR /s", RunMode::Run, "/s", 0},
        {"SLUMBMIX.SCR -S", RunMode::Run, "-S", 0},
        {"SLUMBMIX.SCR s", RunMode::Run, "s", 0},
        {"SLUMBMIX.SCR /S extra words", RunMode::Run, "/S extra words", 0},
        {"SLUMBMIX.SCR /screen", RunMode::Run, "/screen", 0},
        {"\"C:\\Program Files\\SLUMBMIX.SCR\" /s", RunMode::Run, "/s", 0},
        {"   \"C:\\a b\\x.scr\"   /s", RunMode::Run, "/s", 0},
        {"\"C:\\a\"/s", RunMode::Run, "/s", 0},           // option right after the quote
        {"C:\\\x93\xfa\x96\x7b\\SLUMBMIX.SCR /s", RunMode::Run, "/s", 0},  // double-byte path
        {"C:\\\x82\x20x.scr /s", RunMode::Settings, "x.scr /s", 0},  // 0x20 ends the path anyway
        {"SLUMBMIX.SCR /p 1234", RunMode::Preview, "/p 1234", 1234},
        {"SLUMBMIX.SCR /P\t-56", RunMode::Preview, "/P\t-56", -56},
        {"SLUMBMIX.SCR /p:1234", RunMode::Preview, "/p:1234", 0},
        {"SLUMBMIX.SCR /preview 1234", RunMode::Preview, "/preview 1234", 0},
        {"SLUMBMIX.SCR /p", RunMode::Preview, "/p", 0},
        {"SLUMBMIX.SCR /c:5678", RunMode::Settings, "/c:5678", 5678},
        {"SLUMBMIX.SCR -C:  42", RunMode::Settings, "-C:  42", 42},
        {"SLUMBMIX.SCR /c:", RunMode::Settings, "/c:", 0},
        {"SLUMBMIX.SCR /c 5678", RunMode::Settings, "/c 5678", 0},
        {"SLUMBMIX.SCR /c", RunMode::Settings, "/c", 0},
        {"SLUMBMIX.SCR", RunMode::Settings, "", 0},
        {"SLUMBMIX.SCR ", RunMode::Settings, "", 0},
        {"", RunMode::Settings, "", 0},
        {"SLUMBMIX.SCR\t/s", RunMode::Settings, "\t/s", 0},  // the tab ends the path...
        {"SLUMBMIX.SCR \t/s", RunMode::Settings, "\t/s", 0},  // ...and is not skipped
        {"SLUMBMIX.SCR /x", RunMode::Settings, "/x", 0},
        {"SLUMBMIX.SCR //s", RunMode::Settings, "//s", 0},  // only one switch character
        {"SLUMBMIX.SCR /", RunMode::Settings, "/", 0},
        {"\"C:\\no closing quote /s", RunMode::Settings, "", 0},
        {"\"\" /s", RunMode::Run, "/s", 0},
    };
    for (const auto& c : cases) {
        const CommandLine got = ParseCommandLine(c.line);
        EXPECT_EQ(got.mode, c.mode) << c.line;
        EXPECT_STREQ(got.optionText, c.optionText) << c.line;
        EXPECT_EQ(got.handle, c.handle) << c.line;
    }
}

TEST(ParseCommandLine, OptionTextPointsIntoTheLine) {
    const char line[] = "x.scr /s";
    EXPECT_EQ(ParseCommandLine(line).optionText, line + 6);
}

TEST(DialogTemplateFor, JapaneseByLowWordOnly) {
    EXPECT_EQ(DialogTemplateFor(0x0411), 2u);
    EXPECT_EQ(DialogTemplateFor(0x00010411), 2u);  // sort id in the high word
    EXPECT_EQ(DialogTemplateFor(0x0409), 1u);
    EXPECT_EQ(DialogTemplateFor(0x0804), 1u);
    EXPECT_EQ(DialogTemplateFor(0x04110000), 1u);
}

class RunSlumbermixTest : public FakeFixture {
protected:
    plat::Hmodule const instance = fake::Token(1);
    plat::Hmodule const dwm = fake::Token(2);
    // Only by its full path in the System directory, never by name: a name
    // is looked for in the program's own folder first.
    static constexpr const char* kDwmPath = "C:\\WINDOWS\\system32\\dwmapi.dll";

    // A start in settings mode up to the dialog: the library, the command
    // line, COM (apartment-threaded, no OLE1 DDE) and the locale first.
    fake::Texts UpToTheDialog(std::uintptr_t dialogTemplate, plat::Hwnd owner) const {
        return {Call("GetSystemDirectoryA", 260u), Call("LoadLibraryA", kDwmPath),
                Call("GetCommandLineA"),           Call("CoInitializeEx", nullptr, 6u),
                Call("GetUserDefaultLCID"),
                Call("DialogBoxParamA", instance, dialogTemplate, owner,
                     reinterpret_cast<void*>(&SettingsDialogProc), plat::LParam{0})};
    }
};

fake::Texts StartupCalls() {
    return fake::CallsNamed({"GetSystemDirectoryA", "LoadLibraryA", "GetCommandLineA",
                             "CoInitializeEx", "GetUserDefaultLCID", "DialogBoxParamA",
                             "CoUninitialize", "FreeLibrary"});
}

TEST_F(RunSlumbermixTest, SettingsModeLoadsAndFreesTheLibraryAroundTheDialog) {
    fake::modules.loadable[kDwmPath] = dwm;
    fake::modules.commandLine = "SLUMBMIX.SCR /c:77";
    fake::modules.lcid = 0x0411;
    for (std::int32_t com : {0, 1}) {  // S_OK, S_FALSE: initialised, to be released
        fake::calls.clear();
        fake::shell.coInitializeResult = com;
        EXPECT_EQ(RunSlumbermix(instance), 0);
        fake::Texts expected = UpToTheDialog(2, plat::WindowFromNumber(77));
        expected.insert(expected.end(), {Call("CoUninitialize"), Call("FreeLibrary", dwm)});
        EXPECT_EQ(fake::calls, expected);
        EXPECT_EQ(DwmLibrary, nullptr);
    }
}

TEST_F(RunSlumbermixTest, NoLibraryNoOwnerNoComEnglishAndAFailedDialogStillExitZero) {
    fake::modules.loadable["dwmapi.dll"] = dwm;  // by name only: never taken
    fake::modules.commandLine = "SLUMBMIX.SCR";
    fake::modules.lcid = 0x0409;
    fake::dialog.dialogBoxResult = -1;
    fake::shell.coInitializeResult = static_cast<std::int32_t>(0x80010106);  // RPC_E_CHANGED_MODE
    EXPECT_EQ(RunSlumbermix(instance), 0);
    EXPECT_EQ(fake::calls, UpToTheDialog(1, nullptr));

    // No System directory to name it by, or one that leaves no room for the
    // name: nothing is loaded.
    for (std::uint32_t answer : {0u, 260u}) {
        NextRow();
        fake::files.systemDirectory.result = answer;
        EXPECT_EQ(RunSlumbermix(instance), 0);
        EXPECT_TRUE(fake::CallsNamed({"LoadLibraryA", "FreeLibrary"}).empty()) << answer;
    }
    NextRow();
    fake::files.systemDirectory.text = "C:\\" + std::string(247, 'd');  // 250 bytes
    EXPECT_EQ(RunSlumbermix(instance), 0);
    EXPECT_TRUE(fake::CallsNamed({"LoadLibraryA"}).empty()) << "250 + 11 bytes do not fit";
}

TEST_F(RunSlumbermixTest, RunAndPreviewModesNeverOpenTheDialog) {
    for (const char* line : {"x.scr /s", "x.scr /p 99", "x.scr /p"}) {
        NextRow();
        fake::modules.loadable[kDwmPath] = dwm;
        fake::modules.commandLine = line;
        EXPECT_EQ(RunSlumbermix(instance), 0) << line;
        const fake::Texts expected = {Call("GetSystemDirectoryA", 260u), Call("LoadLibraryA", kDwmPath),
                                      Call("GetCommandLineA"), Call("FreeLibrary", dwm)};
        // Run mode's own system folder look-ups come between; see the player's tests.
        auto calls = StartupCalls();
        calls.erase(std::remove(calls.begin() + 1, calls.end(),
                                Call("GetSystemDirectoryA", 260u)),
                    calls.end());
        EXPECT_EQ(calls, expected) << line;
        EXPECT_EQ(fake::calls.back(), Call("FreeLibrary", dwm)) << line;
    }
}

}  // namespace
