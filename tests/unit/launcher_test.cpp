#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "fake/fake_files.h"
#include "fake/fake_process.h"
#include "fixture.h"
#include "player/launcher.h"

namespace {

class Launcher : public FakeFixture {
protected:
    // The saver at `path` starts, once, with this command line and in this folder.
    static void ExpectStarts(const std::string& path, const std::string& arguments,
                             const std::string& commandLine, const std::string& folder) {
        plat::Handle process = nullptr;
        EXPECT_TRUE(LaunchSaver(path.c_str(), arguments.c_str(), &process)) << path;
        ASSERT_EQ(fake::process.launches.size(), 1u) << path;
        EXPECT_EQ(fake::process.launches[0].commandLine, commandLine);
        EXPECT_EQ(fake::process.launches[0].currentDirectory, folder) << path.size();
    }
};

TEST_F(Launcher, CommandLineAndWorkingDirectory) {
    struct Case {
        const char* path;
        const char* arguments;
        const char* commandLine;
        const char* directory;
    };
    for (Case c : {Case{"C:\\Savers\\Stars.scr", "/s", "\"C:\\Savers\\Stars.scr\" /s",
                        "C:\\Savers\\Stars.scr\\.."},
                   Case{"C:\\Savers\\Stars.scr", "", "\"C:\\Savers\\Stars.scr\" ",
                        "C:\\Savers\\Stars.scr\\.."},
                   Case{"C:\\Program Files\\My Savers\\Deep Sea.scr", "/p 1234",
                        "\"C:\\Program Files\\My Savers\\Deep Sea.scr\" /p 1234",
                        "C:\\Program Files\\My Savers\\Deep Sea.scr\\.."},
                   Case{"", "/s", "\"\" /s", "\\.."},
                   Case{"C:\\a.scr", "/c:1234 %s %d", "\"C:\\a.scr\" /c:1234 %s %d",
                        "C:\\a.scr\\.."}}) {
        NextRow();
        ExpectStarts(c.path, c.arguments, c.commandLine, c.directory);
    }
}

TEST_F(Launcher, StartsAnIdleChildAndClosesItsThreadAtOnce) {
    plat::Handle process = nullptr;
    ASSERT_TRUE(LaunchSaver("C:\\Savers\\Stars.scr", "/s", &process));
    EXPECT_EQ(process, fake::ProcessHandle(0));
    EXPECT_EQ(fake::calls,
              (fake::Texts{
                  fake::Call("CreateProcessA", nullptr, "\"C:\\Savers\\Stars.scr\" /s", nullptr,
                             nullptr, 0, 0x840u, nullptr, "C:\\Savers\\Stars.scr\\.."),
                  fake::Call("CloseHandle", fake::ThreadHandle(0))}));
    const plat::StartupInfo& si = fake::process.launches[0].startupInfo;
    EXPECT_EQ(si.cb, 68u);
    EXPECT_EQ(si.reserved, nullptr);
    EXPECT_EQ(si.desktop, nullptr);
    EXPECT_EQ(si.title, nullptr);
    EXPECT_EQ(si.flags, 0u);
    EXPECT_EQ(si.cbReserved2, 0);
    EXPECT_EQ(si.reserved2, nullptr);
    EXPECT_EQ(fake::process.launches[0].creationFlags,
              plat::kIdlePriorityClass | plat::kCreateSeparateWowVdm);

    // A second launch hands out the next pair of handles.
    ASSERT_TRUE(LaunchSaver("C:\\b.scr", "/s", &process));
    EXPECT_EQ(process, fake::ProcessHandle(1));
    EXPECT_EQ(fake::calls.back(), fake::Call("CloseHandle", fake::ThreadHandle(1)));
}

TEST_F(Launcher, OnlyExactlyOneIsSuccess) {
    for (std::int32_t result : {0, 2, -1}) {
        NextRow();
        fake::process.createResults = {result};
        plat::Handle process = fake::Token(7);
        EXPECT_FALSE(LaunchSaver("C:\\a.scr", "/s", &process)) << result;
        EXPECT_EQ(process, fake::Token(7)) << result;
        EXPECT_TRUE(fake::CallsNamed({"CloseHandle"}).empty()) << result;
    }
}

TEST_F(Launcher, TextsThatWouldNotFitStartNothing) {
    // A 256-byte path leaves the working directory exactly full: 256 + "\.."
    // + NUL = 260. The command line then has room for 260 argument bytes:
    // quote + 256 + quote + space + 260 + NUL = 520.
    const std::string path256 = "C:\\" + std::string(249, 'p') + ".scr";
    struct Case {
        std::string path;
        std::string arguments;
        bool starts;
        std::string directory;  // where it starts: "<path>\.." up to 256 bytes
    };
    const std::vector<Case> cases = {
        {path256, std::string(260, 'a'), true, path256 + "\\.."},
        {path256, std::string(261, 'a'), false, ""},
        // 1 + 8 + 2 + 508 + NUL = 520
        {"C:\\a.scr", std::string(508, 'a'), true, "C:\\a.scr\\.."},
        {"C:\\a.scr", std::string(509, 'a'), false, ""},
        {std::string(258, 'p'), "/s", false, ""},  // too long for "\..", and no folder part
        // A quote, the best-fit byte of U+FF02, would end the quoted path.
        {"C:\\x\" calc.exe \"y.scr", "/s", false, ""},
        {"C:\\\x83\"\x83\x5e.scr", "/s", false, ""},  // never a trail byte either
        {"C:\\\x83\x5e.scr", "/s", true, "C:\\\x83\x5e.scr\\.."},
    };
    ASSERT_EQ(path256.size(), 256u);
    for (const Case& c : cases) {
        NextRow();
        if (c.starts) {
            ExpectStarts(c.path, c.arguments, "\"" + c.path + "\" " + c.arguments, c.directory);
            continue;
        }
        plat::Handle process = nullptr;
        EXPECT_FALSE(LaunchSaver(c.path.c_str(), c.arguments.c_str(), &process))
            << c.path.size() << " + " << c.arguments.size();
        EXPECT_TRUE(fake::CallsNamed({"CreateProcessA", "CloseHandle"}).empty());
        EXPECT_EQ(process, nullptr);
    }
}

// A path of 257 to 259 bytes has no room for "\.." in MAX_PATH: the saver
// still starts, in the folder that holds it.
TEST_F(Launcher, ALongPathStartsInItsFolderPart) {
    const std::string folder = "C:\\" + std::string(200, 'd');
    const std::string name = std::string(50, 'n') + ".scr";
    // 表 is 0x95 0x5C in code page 932: its second byte is no backslash.
    std::string japanese = "C:\\Savers\\";
    while (japanese.size() + 2 <= 255) japanese += "\x95\x5c";
    japanese += ".scr";
    struct Case {
        std::string path;
        std::string directory;
    };
    const std::vector<Case> cases = {
        {"C:\\" + std::string(250, 'p') + ".scr", "C:\\"},  // 257: the root keeps its "\"
        {folder + "\\" + name, folder},                        // 258
        {japanese, "C:\\Savers"},                                // 258
        {"\\" + std::string(254, 'p') + ".scr", "\\"},        // 259, the current drive's root
    };
    for (const Case& c : cases) {
        NextRow();
        fake::files.codePage = 932;
        ASSERT_GE(c.path.size(), 257u);
        ASSERT_LE(c.path.size(), 259u);
        ExpectStarts(c.path, "/s", "\"" + c.path + "\" /s", c.directory);
    }
}

// ------------------------------------------------------------------ selection

class Selection : public Launcher {
protected:
    void Finish() override { FreeList(list); }
    void Fill(const std::vector<std::int32_t>& counts) {
        FreeList(list);
        for (std::size_t i = 0; i < counts.size(); ++i) {
            ASSERT_TRUE(AddEntry(list, ("s" + std::to_string(i) + ".scr").c_str()));
            Entries(list)[i].playCount = counts[i];
        }
    }
    std::vector<std::int32_t> Counts() const {
        std::vector<std::int32_t> out;
        for (std::int32_t i = 0; i < list.count; ++i) out.push_back(Entries(list)[i].playCount);
        return out;
    }
    SaverList list{};
};

TEST_F(Selection, OneEntryIsAlwaysChosen) {
    Fill({0});
    fake::process.ticks = {0, 5000, 0xFFFFFFFF};
    for (std::int32_t expected = 1; expected <= 3; ++expected) {
        EXPECT_EQ(SelectLeastPlayed(list), 0);
        EXPECT_EQ(Counts(), std::vector<std::int32_t>{expected});
    }
}

TEST_F(Selection, EqualCountsGiveTheEntryAfterTheTickPosition) {
    struct Case {
        std::uint32_t tick;
        std::int32_t chosen;
    };
    // Five entries: (tick / 128 + 1) mod 5, the tick taken as unsigned.
    for (Case c : {Case{0, 1}, Case{127, 1}, Case{128, 2}, Case{3 * 128, 4}, Case{4 * 128, 0},
                   Case{0xFFFFFFFF, 2}, Case{0x80000000u, 2}}) {
        Fill({7, 7, 7, 7, 7});
        fake::process.ticks = {c.tick};
        EXPECT_EQ(SelectLeastPlayed(list), c.chosen) << c.tick;
        std::vector<std::int32_t> counts(5, 7);
        counts[c.chosen] = 8;
        EXPECT_EQ(Counts(), counts) << c.tick;
    }
}

TEST_F(Selection, StrictlyLessKeepsTheFirstLowestMet) {
    // Position 2: the search visits 3, 0, 1, 2. Index 3 (2) is taken, index 1
    // (1) replaces it, index 2 (1) is equal and does not.
    Fill({3, 1, 1, 2});
    fake::calls.clear();
    fake::process.ticks = {256};
    EXPECT_EQ(SelectLeastPlayed(list), 1);
    EXPECT_EQ(Counts(), (std::vector<std::int32_t>{3, 2, 1, 2}));
    EXPECT_EQ(fake::calls, fake::Texts{fake::Call("GetTickCount")});
}

TEST_F(Selection, EverySaverPlaysOnceBeforeAnyRepeats) {
    Fill({0, 0, 0, 0, 0, 0, 0});
    fake::process.ticks = {900, 50, 123456, 128, 77777, 4096, 31, 999999};
    std::vector<int> seen(7, 0);
    for (int round = 0; round < 7; ++round) ++seen[SelectLeastPlayed(list)];
    EXPECT_EQ(seen, std::vector<int>(7, 1));
    EXPECT_EQ(Counts(), std::vector<std::int32_t>(7, 1));
}

TEST_F(Selection, ACountThatWrapsResetsEveryCount) {
    struct Case {
        std::vector<std::int32_t> before;
        std::int32_t chosen;
        std::vector<std::int32_t> after;
    };
    // Tick 0: the search starts at index 1.
    const std::vector<Case> cases = {
        {{INT_MAX}, 0, {0}},
        {{INT_MAX, INT_MAX, INT_MAX}, 1, {0, 0, 0}},  // nothing below the start value
        {{5, INT_MAX - 1, 9}, 0, {6, INT_MAX - 1, 9}},
        {{INT_MAX, INT_MAX - 1, INT_MAX}, 1, {INT_MAX, INT_MAX, INT_MAX}},
        {{-4, 3, 2}, 0, {0, 0, 0}},  // still negative after the rise
    };
    for (const Case& c : cases) {
        Fill(c.before);
        fake::process.ticks = {0};
        EXPECT_EQ(SelectLeastPlayed(list), c.chosen) << c.before.size();
        EXPECT_EQ(Counts(), c.after) << c.before.size();
    }
}

TEST_F(Selection, AnEmptyListChoosesNothing) {
    EXPECT_EQ(SelectLeastPlayed(list), -1);
    EXPECT_TRUE(fake::calls.empty());
}

}  // namespace
