#include <gtest/gtest.h>

#include <string>

#include "dialog/dialog.h"
#include "fake/fake_dialog.h"
#include "fake/fake_modules.h"
#include "fixture.h"
#include "settings/settings.h"
#include "startup/startup.h"

namespace {

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
};

std::vector<std::string> StartupCalls() {
    return fake::CallsNamed(
        {"LoadLibraryA", "GetCommandLineA", "GetUserDefaultLCID", "DialogBoxParamA", "FreeLibrary"});
}

TEST_F(RunSlumbermixTest, SettingsModeLoadsAndFreesTheLibraryAroundTheDialog) {
    fake::modules.loadable["dwmapi.dll"] = dwm;
    fake::modules.commandLine = "SLUMBMIX.SCR /c:77";
    fake::modules.lcid = 0x0411;
    EXPECT_EQ(RunSlumbermix(instance), 0);
    const std::vector<std::string> expected = {
        fake::Call("LoadLibraryA", "dwmapi.dll"),
        fake::Call("GetCommandLineA"),
        fake::Call("GetUserDefaultLCID"),
        fake::Call("DialogBoxParamA", instance, std::uintptr_t{2}, plat::WindowFromNumber(77),
                   reinterpret_cast<void*>(&SettingsDialogProc), plat::LParam{0}),
        fake::Call("FreeLibrary", dwm),
    };
    EXPECT_EQ(fake::calls, expected);
    EXPECT_EQ(DwmLibrary, nullptr);
}

TEST_F(RunSlumbermixTest, NoLibraryNoOwnerEnglishAndAFailedDialogStillExitZero) {
    fake::modules.commandLine = "SLUMBMIX.SCR";
    fake::modules.lcid = 0x0409;
    fake::dialog.dialogBoxResult = -1;
    EXPECT_EQ(RunSlumbermix(instance), 0);
    const std::vector<std::string> expected = {
        fake::Call("LoadLibraryA", "dwmapi.dll"),
        fake::Call("GetCommandLineA"),
        fake::Call("GetUserDefaultLCID"),
        fake::Call("DialogBoxParamA", instance, std::uintptr_t{1}, nullptr,
                   reinterpret_cast<void*>(&SettingsDialogProc), plat::LParam{0}),
    };
    EXPECT_EQ(fake::calls, expected);
}

TEST_F(RunSlumbermixTest, RunAndPreviewModesNeverOpenTheDialog) {
    for (const char* line : {"x.scr /s", "x.scr /p 99", "x.scr /p"}) {
        NextRow();
        fake::modules.loadable["dwmapi.dll"] = dwm;
        fake::modules.commandLine = line;
        EXPECT_EQ(RunSlumbermix(instance), 0) << line;
        const auto calls = StartupCalls();
        ASSERT_EQ(calls.size(), 3u) << line;
        EXPECT_EQ(calls[0], fake::Call("LoadLibraryA", "dwmapi.dll"));
        EXPECT_EQ(calls[1], fake::Call("GetCommandLineA"));
        EXPECT_EQ(calls[2], fake::Call("FreeLibrary", dwm));
        EXPECT_EQ(fake::calls.back(), fake::Call("FreeLibrary", dwm)) << line;
    }
}

}  // namespace
