#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "fake/fake_dialog.h"
#include "fake/fake_files.h"
#include "fake/fake_heap.h"
#include "fixture.h"
#include "settings/settings.h"

namespace {

using fake::Call;
using fake::File;
using fake::Folder;
using fake::Texts;

const std::string kNoMemory =
    Call("MessageBoxA", nullptr, "Not enough memory", nullptr, plat::kMbOk);

Texts Paths(const SaverList& list) {
    Texts out;
    for (std::int32_t i = 0; i < list.count; ++i) out.push_back(EntryPath(list, i));
    return out;
}

Texts Searched() { return fake::CallsNamed({"FindFirstFileA"}); }

std::string Search(const std::string& pattern) { return Call("FindFirstFileA", pattern); }

class Catalogue : public FakeFixture {
protected:
    // What every test leaves: all blocks back, every search and file closed.
    void Finish() override {
        FreeList(list);
        EXPECT_TRUE(fake::heap.blocks.empty());
        EXPECT_EQ(fake::heap.badFrees, 0);
        EXPECT_EQ(fake::OpenFinds(), 0u);
        EXPECT_EQ(fake::OpenFiles(), 0u);
        EXPECT_EQ(fake::files.longPatterns, 0);
    }
    SaverList list{};
};

// ------------------------------------------------------------------ storage

TEST_F(Catalogue, ReserveRoundsUpToWholeSteps) {
    struct Case {
        std::uint32_t bytes;
        std::uint32_t capacity;
    };
    for (Case c : {Case{0, 16384}, Case{1, 16384}, Case{16384, 16384}, Case{16385, 32768},
                   Case{32768, 32768}, Case{49153, 65536}}) {
        HeapBuffer buffer{};
        EXPECT_TRUE(Reserve(buffer, c.bytes)) << c.bytes;
        EXPECT_EQ(buffer.capacity, c.capacity) << c.bytes;
        EXPECT_EQ(fake::heap.blocks.at(buffer.start), c.capacity) << c.bytes;
        FreeBuffer(buffer);
    }
    EXPECT_EQ(fake::dialog.messageBoxCount, 0);
}

TEST_F(Catalogue, EntryNumber2048FitsAndThe2049thGrowsTheItems) {
    for (int i = 0; i < 2048; ++i) ASSERT_TRUE(AddEntry(list, "a.scr"));
    EXPECT_EQ(list.items.capacity, 16384u);
    EXPECT_TRUE(fake::CallsNamed({"HeapReAlloc"}).empty());

    void* before = list.items.start;
    ASSERT_TRUE(AddEntry(list, "b.scr"));
    EXPECT_EQ(list.count, 2049);
    EXPECT_EQ(list.items.capacity, 32768u);
    EXPECT_EQ(fake::CallsNamed({"HeapReAlloc"}),
              Texts{Call("HeapReAlloc", fake::ProcessHeap(), 0u, before, std::size_t{32768})});
    for (int i = 0; i < 2049; ++i) {
        EXPECT_EQ(Entries(list)[i].playCount, 0);
        EXPECT_STREQ(EntryPath(list, i), i < 2048 ? "a.scr" : "b.scr");
    }
}

TEST_F(Catalogue, PathsStayReadableWhenThePoolGrows) {
    // 250-byte paths: the pool grows (and the fake heap moves it) several times.
    Texts expected;
    for (int i = 0; i < 200; ++i) {
        std::string path = "C:\\" + std::to_string(i) + std::string(240, 'p') + ".scr";
        expected.push_back(path);
        ASSERT_TRUE(AddEntry(list, path.c_str()));
    }
    EXPECT_EQ(list.names.buffer.capacity, 65536u);
    EXPECT_EQ(Paths(list), expected);
    // The cursor follows the moved block: the next string goes right after the last.
    const char* base = static_cast<const char*>(list.names.buffer.start);
    EXPECT_EQ(list.names.cursor, EntryPath(list, 199) + expected[199].size() + 1);
    EXPECT_EQ(Entries(list)[0].path, 0u);
    EXPECT_EQ(EntryPath(list, 1), base + expected[0].size() + 1);
}

TEST_F(Catalogue, FailedFirstBlockForAnEntryShowsTheMessageTwice) {
    fake::heap.failCalls = {1};
    EXPECT_FALSE(AddEntry(list, "C:\\a.scr"));
    EXPECT_EQ(fake::CallsNamed({"MessageBoxA"}), (Texts{kNoMemory, kNoMemory}));
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.items.capacity, 0u);
    EXPECT_EQ(list.names.buffer.capacity, 0u);  // the pool was not even tried
    EXPECT_EQ(fake::CallsNamed({"HeapAlloc", "HeapReAlloc"}).size(), 1u);

    // The list is still usable once memory is there again.
    EXPECT_TRUE(AddEntry(list, "C:\\a.scr"));
    EXPECT_EQ(Paths(list), Texts{"C:\\a.scr"});
}

TEST_F(Catalogue, FailedFirstPoolBlockKeepsTheListUnchanged) {
    // ResetPool asks for 1 byte: with no block that is a second failure.
    fake::heap.failCalls = {1};
    StringPool pool{};
    EXPECT_FALSE(ResetPool(pool));
    EXPECT_EQ(pool.cursor, nullptr);
    EXPECT_EQ(pool.buffer.capacity, 0u);
    EXPECT_EQ(fake::dialog.messageBoxCount, 2);

    NextRow();
    fake::heap.failCalls = {2};  // the items block is had, the pool's is not
    EXPECT_FALSE(AddEntry(list, "C:\\a.scr"));
    EXPECT_EQ(fake::dialog.messageBoxCount, 2);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.names.cursor, nullptr);
    EXPECT_TRUE(AddEntry(list, "C:\\b.scr"));
    EXPECT_EQ(Paths(list), Texts{"C:\\b.scr"});
}

TEST_F(Catalogue, FailedGrowthOfTheItemsLeavesTheListAsItWas) {
    for (int i = 0; i < 2048; ++i) ASSERT_TRUE(AddEntry(list, "a.scr"));
    char* cursor = list.names.cursor;
    void* items = list.items.start;
    fake::heap.failCalls = {fake::heap.allocationCalls + 1};

    EXPECT_FALSE(AddEntry(list, "b.scr"));
    EXPECT_EQ(fake::CallsNamed({"MessageBoxA"}), Texts{kNoMemory});
    EXPECT_EQ(list.count, 2048);
    EXPECT_EQ(list.items.start, items);
    EXPECT_EQ(list.items.capacity, 16384u);
    EXPECT_EQ(list.names.cursor, cursor);

    EXPECT_TRUE(AddEntry(list, "c.scr"));
    EXPECT_EQ(list.count, 2049);
    EXPECT_STREQ(EntryPath(list, 2048), "c.scr");
    EXPECT_STREQ(EntryPath(list, 2047), "a.scr");
}

TEST_F(Catalogue, FailedGrowthOfThePoolStoresNothing) {
    // 16000 bytes in use; a 500-byte path would end past the first block.
    std::string filler(15999, 'f');
    ASSERT_TRUE(AddEntry(list, filler.c_str()));
    char* cursor = list.names.cursor;
    fake::heap.failCalls = {fake::heap.allocationCalls + 1};

    std::string big(499, 'b');
    EXPECT_FALSE(AddEntry(list, big.c_str()));
    EXPECT_EQ(fake::dialog.messageBoxCount, 1);
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.names.cursor, cursor);
    EXPECT_EQ(list.names.buffer.capacity, 16384u);
    EXPECT_EQ(Paths(list), Texts{filler});
}

TEST_F(Catalogue, RequestsBeyond32BitsFailWithTheMessage) {
    HeapBuffer buffer{};
    EXPECT_FALSE(Reserve(buffer, 0xFFFFFFFFu));
    EXPECT_EQ(buffer.capacity, 16384u);
    EXPECT_TRUE(fake::CallsNamed({"HeapReAlloc"}).empty());
    EXPECT_EQ(fake::dialog.messageBoxCount, 1);
    FreeBuffer(buffer);
}

TEST_F(Catalogue, FreeingGivesBothBlocksBackOnce) {
    FreeList(list);  // never allocated
    EXPECT_TRUE(fake::calls.empty());

    ASSERT_TRUE(AddEntry(list, "a.scr"));
    void* items = list.items.start;
    void* names = list.names.buffer.start;
    fake::calls.clear();
    FreeList(list);
    EXPECT_EQ(fake::CallsNamed({"HeapFree"}),
              (Texts{Call("HeapFree", fake::ProcessHeap(), 0u, items),
                     Call("HeapFree", fake::ProcessHeap(), 0u, names)}));
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.items.capacity, 0u);
    EXPECT_EQ(list.names.cursor, nullptr);
    FreeList(list);
    EXPECT_EQ(fake::CallsNamed({"HeapFree"}).size(), 2u);
}

// ------------------------------------------------------------------ scan

// A folder holding every kind of name the scan must tell apart, with
// subfolders met in the middle of it.
void ScriptSaverTree() {
    fake::files.folders["C:\\Savers\\"] = {
        Folder("."),
        Folder(".."),
        File("mystify.scr"),
        File("BUBBLES.SCR"),
        Folder("sub"),
        File("a.Scr"),
        File("x.scr.bak"),
        File("scr"),
        File("readme.txt"),
        File(".scr"),
        File("SLUMBMIX.SCR"),
        File("slumbmix.scr"),
        File("slumbmix2.scr"),
        Folder("themes.scr"),
        File("hidden.scr", fake::kFileAttributeHidden | fake::kFileAttributeSystem),
        {"Mystify Your Mind.scr", fake::kFileAttributeArchive, "MYSTIF~1.SCR"},
        File("last.SCR"),
    };
    fake::files.folders["C:\\Savers\\sub\\"] = {
        Folder("."), Folder(".."), File("deep.scr"), Folder("inner"), File("SlumbMix.Scr"),
        File("after.scr"),
    };
    fake::files.folders["C:\\Savers\\sub\\inner\\"] = {File("inner.scr")};
    fake::files.folders["C:\\Savers\\themes.scr\\"] = {File("t.scr")};
}

TEST_F(Catalogue, ScanTellsSaversFromEverythingElse) {
    ScriptSaverTree();
    EXPECT_TRUE(ScanFolder(list, "C:\\Savers", 0));
    EXPECT_EQ(Paths(list), (Texts{
                               "C:\\Savers\\mystify.scr", "C:\\Savers\\BUBBLES.SCR",
                               "C:\\Savers\\a.Scr", "C:\\Savers\\.scr",
                               "C:\\Savers\\slumbmix2.scr", "C:\\Savers\\hidden.scr",
                               "C:\\Savers\\Mystify Your Mind.scr", "C:\\Savers\\last.SCR"}));
    EXPECT_EQ(Searched(), Texts{Search("C:\\Savers\\*.*")});
}

TEST_F(Catalogue, RecursiveScanEntersSubfoldersWhereTheyAreMet) {
    ScriptSaverTree();
    EXPECT_TRUE(ScanFolder(list, "C:\\Savers", 1));
    EXPECT_EQ(Paths(list), (Texts{
                               "C:\\Savers\\mystify.scr", "C:\\Savers\\BUBBLES.SCR",
                               "C:\\Savers\\sub\\deep.scr", "C:\\Savers\\sub\\inner\\inner.scr",
                               "C:\\Savers\\sub\\after.scr", "C:\\Savers\\a.Scr",
                               "C:\\Savers\\.scr", "C:\\Savers\\slumbmix2.scr",
                               "C:\\Savers\\themes.scr\\t.scr", "C:\\Savers\\hidden.scr",
                               "C:\\Savers\\Mystify Your Mind.scr", "C:\\Savers\\last.SCR"}));
    EXPECT_EQ(Searched(), (Texts{
                              Search("C:\\Savers\\*.*"), Search("C:\\Savers\\sub\\*.*"),
                              Search("C:\\Savers\\sub\\inner\\*.*"),
                              Search("C:\\Savers\\themes.scr\\*.*")}));
    // Each search is closed before the one that contains it goes on.
    auto finds = fake::CallsNamed({"FindFirstFileA", "FindClose"});
    EXPECT_EQ(finds[1], Search("C:\\Savers\\sub\\*.*"));
    EXPECT_EQ(finds[2], Search("C:\\Savers\\sub\\inner\\*.*"));
    EXPECT_EQ(finds[3].rfind("FindClose(", 0), 0u);
}

// Links to the folder being scanned, or to one above it, are passed over;
// a link to anywhere else is followed like a folder. Identities are asked
// for only when a link is met, each folder's once.
TEST_F(Catalogue, LinksBackUpAreNotEnteredOthersAre) {
    auto link = [](const char* name) {
        return fake::FileItem{name, plat::kFileAttributeDirectory | plat::kFileAttributeReparsePoint,
                              ""};
    };
    const plat::FileIdentity top{7, 0, 1}, sub{7, 0, 2}, elsewhere{7, 0, 3}, other{9, 0, 2};
    fake::files.folders["C:\\S\\"] = {Folder("sub"), link("self"), link("away"),
                                        File("top.scr")};
    fake::files.folders["C:\\S\\sub\\"] = {link("up"), link("up2"), link("here"),
                                             link("twin"), File("sub.scr")};
    fake::files.folders["C:\\S\\away\\"] = {File("linked.scr")};
    fake::files.folders["C:\\S\\sub\\twin\\"] = {File("twin.scr")};
    fake::files.identities = {{"C:\\S", top},          {"C:\\S\\sub", sub},
                              {"C:\\S\\self", top},    {"C:\\S\\away", elsewhere},
                              {"C:\\S\\sub\\up", top}, {"C:\\S\\sub\\up2", top},
                              {"C:\\S\\sub\\here", sub},
                              {"C:\\S\\sub\\twin", other}};  // same index, another volume
    EXPECT_TRUE(ScanFolder(list, "C:\\S", 1));
    EXPECT_EQ(Paths(list), (Texts{
                               "C:\\S\\sub\\twin\\twin.scr", "C:\\S\\sub\\sub.scr",
                               "C:\\S\\away\\linked.scr", "C:\\S\\top.scr"}));
    EXPECT_EQ(Searched(), (Texts{
                              Search("C:\\S\\*.*"), Search("C:\\S\\sub\\*.*"),
                              Search("C:\\S\\sub\\twin\\*.*"), Search("C:\\S\\away\\*.*")}));
    const auto open = [](const char* path) {
        return Call("CreateFileA", path, 0x80u, 7u, 3u, 0x02000000u);
    };
    EXPECT_EQ(fake::CallsNamed({"CreateFileA"}), (Texts{
                          open("C:\\S\\sub\\up"), open("C:\\S\\sub"), open("C:\\S"),
                          open("C:\\S\\sub\\up2"), open("C:\\S\\sub\\here"),
                          open("C:\\S\\sub\\twin"), open("C:\\S\\self"),
                          open("C:\\S\\away")}));
    // No 128-bit identities on this system: each of the eight reads falls back.
    EXPECT_EQ(fake::CallsNamed({"GetFileInformationByHandleEx"}).size(), 8u);
    EXPECT_EQ(fake::CallsNamed({"GetFileInformationByHandle"}).size(), 8u);

    // ReFS: one volume and 64-bit index for all three, told apart by their
    // 128-bit identities. A target with only an index is on another file system.
    NextRow();
    fake::files.folders["C:\\R\\"] = {link("peer"), link("self"), link("net")};
    fake::files.folders["C:\\R\\peer\\"] = {File("peer.scr")};
    fake::files.folders["C:\\R\\self\\"] = {File("self.scr")};
    fake::files.folders["C:\\R\\net\\"] = {File("net.scr")};
    fake::files.identities = {{"C:\\R", top}, {"C:\\R\\peer", top}, {"C:\\R\\self", top},
                              {"C:\\R\\net", top}};
    fake::files.wideIdentities = {
        {"C:\\R", {7, {1}}}, {"C:\\R\\peer", {7, {1, 1}}}, {"C:\\R\\self", {7, {1}}}};
    EXPECT_TRUE(ScanFolder(list, "C:\\R", 1));
    EXPECT_EQ(Paths(list), (Texts{"C:\\R\\peer\\peer.scr", "C:\\R\\net\\net.scr"}));

    // Identities that cannot be read: the link is entered, as before.
    NextRow();
    fake::files.folders["C:\\S\\"] = {link("self")};
    fake::files.folders["C:\\S\\self\\"] = {File("a.scr")};
    EXPECT_TRUE(ScanFolder(list, "C:\\S", 1));
    EXPECT_EQ(Paths(list), Texts{"C:\\S\\self\\a.scr"});

    // Without links, or without subfolders, nothing is opened.
    for (std::int32_t recurse : {1, 0}) {
        NextRow();
        ScriptSaverTree();
        EXPECT_TRUE(ScanFolder(list, "C:\\Savers", recurse));
        EXPECT_TRUE(fake::CallsNamed({"CreateFileA"}).empty()) << recurse;
    }
}

TEST_F(Catalogue, ScanAllGoesWindowsSystemThenExtraAndKeepsDuplicates) {
    fake::files.folders["C:\\WINDOWS\\"] = {File("win.scr")};
    fake::files.folders["C:\\WINDOWS\\system32\\"] = {File("sys.scr")};
    ScriptSaverTree();
    Settings.UseExtDir = 1;
    Settings.ExtSubDir = 0;
    std::strcpy(Settings.ExtDir, "C:\\WINDOWS");  // the Windows directory again
    ScanAll(list);
    EXPECT_EQ(Paths(list), (Texts{"C:\\WINDOWS\\win.scr", "C:\\WINDOWS\\system32\\sys.scr",
                                  "C:\\WINDOWS\\win.scr"}));
    EXPECT_EQ(fake::CallsNamed({"GetWindowsDirectoryA", "GetSystemDirectoryA"}),
              (Texts{Call("GetWindowsDirectoryA", 260u), Call("GetSystemDirectoryA", 260u)}));
}

TEST_F(Catalogue, ScanAllVisitsOnlyWhatTheSettingsEnable) {
    struct Case {
        std::int32_t win, sys, ext, sub;
        Texts searched;
    };
    const std::vector<Case> cases = {
        {0, 0, 0, 0, {}},
        {1, 0, 0, 1, {Search("C:\\WINDOWS\\*.*")}},
        {0, 1, 0, 0, {Search("C:\\WINDOWS\\system32\\*.*")}},
        {0, 0, 1, 0, {Search("C:\\Savers\\*.*")}},
        {0, 0, 1, 1,
         {Search("C:\\Savers\\*.*"), Search("C:\\Savers\\sub\\*.*"),
          Search("C:\\Savers\\sub\\inner\\*.*"), Search("C:\\Savers\\themes.scr\\*.*")}},
    };
    for (const Case& c : cases) {
        NextRow();
        ScriptSaverTree();
        Settings.UseWinDir = c.win;
        Settings.UseSysDir = c.sys;
        Settings.UseExtDir = c.ext;
        Settings.ExtSubDir = c.sub;
        std::strcpy(Settings.ExtDir, "C:\\Savers");
        ScanAll(list);
        EXPECT_EQ(Searched(), c.searched) << c.win << c.sys << c.ext << c.sub;
        if (c.searched.empty()) {
            EXPECT_TRUE(fake::calls.empty());
            EXPECT_EQ(list.count, 0);
        }
    }
}

TEST_F(Catalogue, SystemFolderAnswersOutsideTheBufferAreSkipped) {
    struct Case {
        fake::SystemFolder answer;
        bool searched;
    };
    const std::string long259 = "C:\\" + std::string(256, 'w');
    const std::string long260 = "C:\\" + std::string(257, 'w');
    const std::vector<Case> cases = {
        {{"C:\\WIN", std::nullopt}, true},
        {{"C:\\WIN", 0u}, false},
        {{"C:\\WIN", 260u}, false},
        {{"C:\\WIN", 261u}, false},
        {{long260, std::nullopt}, false},  // the system answers 261, the size it needs
    };
    for (const Case& c : cases) {
        NextRow();
        Settings.UseSysDir = 0;
        fake::files.windowsDirectory = c.answer;
        ScanAll(list);
        EXPECT_EQ(Searched().size(), c.searched ? 1u : 0u) << c.answer.text;
    }
    // 259 bytes fit the buffer but leave no room for the backslash.
    NextRow();
    fake::files.windowsDirectory = {long259, std::nullopt};
    Settings.UseSysDir = 1;
    ScanAll(list);
    EXPECT_EQ(Searched(), Texts{Search("C:\\WINDOWS\\system32\\*.*")});
}

TEST_F(Catalogue, TheTrailingBackslashTestKnowsDoubleByteCharacters) {
    struct Case {
        std::uint32_t codePage;
        const char* folder;
        const char* pattern;
    };
    // 0x95 0x5C is one Shift-JIS character whose second byte is a backslash.
    for (Case c : {Case{932, "C:\\\x95\x5C", "C:\\\x95\x5C\\*.*"},
                   Case{1252, "C:\\\x95\x5C", "C:\\\x95\x5C*.*"},
                   Case{932, "C:\\\x95\x5C\\", "C:\\\x95\x5C\\*.*"},
                   Case{932, "C:\\\x95\x5C\x5C", "C:\\\x95\x5C\x5C*.*"},
                   Case{932, "D:\\Savers\\", "D:\\Savers\\*.*"},
                   Case{932, "D:\\Savers", "D:\\Savers\\*.*"},
                   Case{932, "\\", "\\*.*"},
                   Case{932, "", "\\*.*"}}) {
        NextRow();
        fake::files.codePage = c.codePage;
        ScanFolder(list, c.folder, 0);
        EXPECT_EQ(Searched(), Texts{Search(c.pattern)}) << c.folder;
    }
}

TEST_F(Catalogue, DoubleByteSubfolderGetsItsOwnBackslash) {
    fake::files.codePage = 932;
    fake::files.folders["C:\\S\\"] = {Folder("\x95\x5C"), File("z.scr")};
    fake::files.folders["C:\\S\\\x95\x5C\\"] = {File("\x83\x5C.scr")};
    ScanFolder(list, "C:\\S", 1);
    EXPECT_EQ(Paths(list), (Texts{"C:\\S\\\x95\x5C\\\x83\x5C.scr", "C:\\S\\z.scr"}));
}

TEST_F(Catalogue, EmptyExtraFolderScansTheRootOfTheCurrentDrive) {
    fake::files.folders["\\"] = {File("root.scr")};
    Settings.UseWinDir = Settings.UseSysDir = 0;
    Settings.UseExtDir = 1;
    Settings.ExtDir[0] = '\0';
    ScanAll(list);
    EXPECT_EQ(Paths(list), Texts{"\\root.scr"});
}

TEST_F(Catalogue, PathsThatWouldNotFitAreSkippedWhole) {
    // A 200-byte prefix; file paths of 258, 259 and 260 bytes before the NUL.
    const std::string folder = "C:\\" + std::string(196, 'd');  // 199 bytes
    const std::string prefix = folder + "\\";
    auto name = [&](std::size_t total) { return std::string(total - prefix.size() - 4, 'n') + ".scr"; };
    // Subfolder paths of 255 (its search pattern is 259 bytes), 256 (260) and
    // 260 bytes (not even the folder fits).
    auto sub = [&](std::size_t total, char c) { return std::string(total - prefix.size(), c); };
    fake::files.folders[prefix] = {File(name(258)), File(name(259)), File(name(260)),
                                   Folder(sub(255, 'a')), Folder(sub(256, 'b')),
                                   Folder(sub(260, 'c'))};
    fake::files.folders[prefix + sub(255, 'a') + "\\"] = {File("in.scr")};
    fake::files.folders[prefix + sub(256, 'b') + "\\"] = {File("in.scr")};

    ScanFolder(list, folder.c_str(), 1);
    EXPECT_EQ(Paths(list), (Texts{prefix + name(258), prefix + name(259)}));
    EXPECT_EQ(Searched(),
              (Texts{Search(prefix + "*.*"), Search(prefix + sub(255, 'a') + "\\*.*")}));
}

TEST_F(Catalogue, ExtraFolderLengthLimits) {
    struct Case {
        std::size_t length;  // bytes before the NUL; 260 means none in the field
        bool searched;
    };
    for (Case c : {Case{255, true}, Case{256, false}, Case{259, false}, Case{260, false}}) {
        NextRow();
        Settings.UseWinDir = Settings.UseSysDir = 0;
        Settings.UseExtDir = 1;
        std::memset(Settings.ExtDir, 'e', sizeof Settings.ExtDir);
        if (c.length < sizeof Settings.ExtDir) Settings.ExtDir[c.length] = '\0';
        ScanAll(list);
        EXPECT_EQ(Searched().size(), c.searched ? 1u : 0u) << c.length;
    }
}

TEST_F(Catalogue, ScanStopsWhenTheListRunsOutOfMemory) {
    fake::files.folders["C:\\WINDOWS\\"] = {File("one.scr"), File("two.scr")};
    fake::files.folders["C:\\WINDOWS\\system32\\"] = {File("sys.scr")};
    fake::heap.failCalls = {1};  // the list's first block
    ScanAll(list);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(fake::dialog.messageBoxCount, 2);
    EXPECT_TRUE(fake::CallsNamed({"FindNextFileA", "GetSystemDirectoryA"}).empty());

    // Out of memory deep inside a recursive scan: every level stops and
    // closes its search.
    NextRow();
    fake::files.folders["C:\\T\\"] = {Folder("d1"), File("top.scr")};
    fake::files.folders["C:\\T\\d1\\"] = {Folder("d2"), File("x.scr")};
    fake::files.folders["C:\\T\\d1\\d2\\"] = {File("deep.scr"), File("deep2.scr")};
    fake::heap.failCalls = {1};
    EXPECT_FALSE(ScanFolder(list, "C:\\T", 1));
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(fake::dialog.messageBoxCount, 2);
    EXPECT_EQ(Searched().size(), 3u);
    EXPECT_TRUE(fake::CallsNamed({"FindNextFileA"}).empty());
    EXPECT_EQ(fake::CallsNamed({"FindClose"}).size(), 3u);
}

}  // namespace
