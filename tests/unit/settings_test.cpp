#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fake/fake_modules.h"
#include "fake/fake_registry.h"
#include "fixture.h"
#include "settings/settings.h"

namespace {

using fake::Call;

const plat::Hkey kKey = fake::Token(900);
const plat::Hmodule kDwm = fake::Token(2);
// The seven DWORD values, in the order they are loaded, and their fields.
const std::pair<const char*, std::int32_t SaverSettings::*> kDwords[] = {
    {"UseWinDir", &SaverSettings::UseWinDir}, {"UseSysDir", &SaverSettings::UseSysDir},
    {"UseExtDir", &SaverSettings::UseExtDir}, {"ExtSubDir", &SaverSettings::ExtSubDir},
    {"Random", &SaverSettings::Random},       {"ChangeTime", &SaverSettings::ChangeTime},
    {"DisableDWM", &SaverSettings::DisableDWM}};

// The settings key opened, these calls on it, and the key closed.
fake::Texts OnTheKey(fake::Texts calls) {
    calls.insert(calls.begin(), Call("RegCreateKeyExA", plat::kHkeyCurrentUser,
                                     "Software\\Brimlo\\Slumbermix", "", 0u, 0xF003Fu));
    calls.push_back(Call("RegCloseKey", kKey));
    return calls;
}

class SettingsTest : public FakeFixture {
protected:
    std::map<std::string, fake::RegistryValue>& Values() { return fake::registry.keys[kSettingsKey]; }
};

TEST_F(SettingsTest, FirstLoadKeepsDefaultsAndLeavesAnEmptyKey) {
    LoadSettings();
    EXPECT_EQ(0, std::memcmp(&Settings, &kDefaultSettings, sizeof Settings));
    ASSERT_EQ(fake::registry.keys.count(kSettingsKey), 1u);
    EXPECT_TRUE(Values().empty());
    fake::Texts queries;
    for (auto [name, field] : kDwords) queries.push_back(Call("RegQueryValueExA", kKey, name, 4u));
    queries.push_back(Call("RegQueryValueExA", kKey, "ExtDir", 260u));
    queries.push_back(Call("RegQueryValueExA", kKey, "DefSaver", 260u));
    EXPECT_EQ(fake::calls, OnTheKey(queries));
}

struct DwordCase {
    const char* what;
    fake::RegistryValue stored;
    std::int32_t before;
    std::int32_t after;
};

TEST_F(SettingsTest, DwordValuesOfEveryShape) {
    const DwordCase cases[] = {
        {"dword", fake::Dword(0), 180000, 0},
        {"negative", fake::Dword(0xFFFFFFFF), 180000, -1},
        {"type ignored: string of 4 bytes", fake::Text("abc"), 0, 0x00636261},
        {"type ignored: binary", fake::Bytes({1, 2, 3, 4}), 0, 0x04030201},
        {"two bytes fill the low half only", fake::Bytes({0x34, 0x12}), 0x7FFF0000, 0x7FFF1234},
        {"zero bytes change nothing", fake::Bytes({}), 1234, 1234},
        {"five bytes are too long", fake::Bytes({1, 2, 3, 4, 5}), 1234, 1234},
        {"long string is too long", fake::Text("123456"), 1234, 1234},
    };
    for (const auto& c : cases) {
        NextRow();
        Settings.ChangeTime = c.before;
        Values()["ChangeTime"] = c.stored;
        LoadSettings();
        EXPECT_EQ(Settings.ChangeTime, c.after) << c.what;
    }
}

TEST_F(SettingsTest, AllSevenDwordsAreRead) {
    for (std::uint32_t i = 0; i < 7; ++i) Values()[kDwords[i].first] = fake::Dword(10 + i);
    LoadSettings();
    for (std::int32_t i = 0; i < 7; ++i)
        EXPECT_EQ(Settings.*kDwords[i].second, 10 + i) << kDwords[i].first;
}

struct StringCase {
    const char* what;
    std::size_t length;
    bool withNul;
    bool taken;            // the field receives the stored bytes
    std::size_t expected;  // resulting string length
};

TEST_F(SettingsTest, StringValuesAtTheBufferLimit) {
    const StringCase cases[] = {
        {"259 chars + NUL", 259, true, true, 259},
        {"259 chars, no NUL", 259, false, true, 259},
        {"260 chars, no NUL: last byte forced to NUL", 260, false, true, 259},
        {"260 chars + NUL is too long", 260, true, false, 0},
        {"261 chars, no NUL is too long", 261, false, false, 0},
        {"empty string", 0, true, true, 0},
    };
    for (const auto& c : cases) {
        for (bool defSaver : {false, true}) {
            NextRow();
            char* field = defSaver ? Settings.DefSaver : Settings.ExtDir;
            std::memset(field, 'o', 259);  // old contents, NUL only in the last byte
            field[259] = '\0';
            Values()[defSaver ? "DefSaver" : "ExtDir"] =
                fake::Text(std::string(c.length, 'n'), c.withNul);
            LoadSettings();
            const std::string got(field);
            if (c.taken) {
                EXPECT_EQ(got, std::string(c.expected, 'n')) << c.what;
            } else {
                EXPECT_EQ(got, std::string(259, 'o')) << c.what << " (old contents kept)";
            }
            EXPECT_TRUE(std::memchr(field, 0, 260)) << c.what;
        }
    }
}

TEST_F(SettingsTest, StringWithoutNulOverOldTextWithoutNulIsTerminated) {
    std::memset(Settings.ExtDir, 'o', sizeof Settings.ExtDir);  // no NUL anywhere
    Values()["ExtDir"] = fake::Text("C:\\Savers", false);
    LoadSettings();
    EXPECT_EQ(Settings.ExtDir[259], '\0');
    EXPECT_EQ(std::string(Settings.ExtDir, 9), "C:\\Savers");
    EXPECT_EQ(std::string(Settings.ExtDir).size(), 259u);
}

TEST_F(SettingsTest, AKeyThatCannotBeOpenedTouchesNothing) {
    fake::registry.failOpen = true;
    Settings.ChangeTime = 42;
    LoadSettings();
    EXPECT_EQ(Settings.ChangeTime, 42);
    SaveSettings();
    EXPECT_TRUE(fake::registry.keys.empty());
    EXPECT_EQ(fake::calls.size(), 2u);  // the two open attempts, nothing else
}

TEST_F(SettingsTest, SaveWritesNineValuesInOrderWithTheirSizes) {
    Settings = {1, 0, 1, 1, "D:\\More", 0, 600000, 0, "C:\\WINDOWS\\ssstars.scr"};
    SaveSettings();
    // In the record's own order: each DWORD as REG_DWORD, each text as REG_SZ with its NUL.
    const auto set = [](const char* name, std::uint32_t type, std::uint32_t size) {
        return Call("RegSetValueExA", kKey, name, type, size);
    };
    EXPECT_EQ(fake::calls,
              OnTheKey({set("UseWinDir", 4u, 4u), set("UseSysDir", 4u, 4u), set("UseExtDir", 4u, 4u),
                        set("ExtSubDir", 4u, 4u), set("ExtDir", 1u, 8u), set("Random", 4u, 4u),
                        set("ChangeTime", 4u, 4u), set("DisableDWM", 4u, 4u),
                        set("DefSaver", 1u, 23u)}));

    // What was saved loads back unchanged.
    const SaverSettings saved = Settings;
    Settings = kDefaultSettings;
    LoadSettings();
    EXPECT_EQ(0, std::memcmp(&Settings, &saved, sizeof saved));
}

TEST_F(SettingsTest, EmptyStringsAreSavedAsOneNulByte) {
    SaveSettings();
    EXPECT_EQ(Values()["ExtDir"].data, std::vector<unsigned char>{0});
    EXPECT_EQ(Values()["DefSaver"].type, plat::kRegSz);
    EXPECT_EQ(Values()["ChangeTime"].data, fake::Dword(180000).data);
}

struct CompositionCase {
    const char* what;
    bool library;
    std::int32_t disable;
    bool exported;
    fake::Texts calls;
};

TEST_F(SettingsTest, CompositionSwitch) {
    const plat::FarProc fn = fake::FakeExport();
    const auto lookup = Call("GetProcAddress", kDwm, "DwmEnableComposition");
    const auto disable = Call("DwmEnableComposition", reinterpret_cast<void*>(fn), 0u);
    const CompositionCase cases[] = {
        {"no library", false, 1, true, {}},
        {"setting off", true, 0, true, {}},
        {"not exported", true, 1, false, {lookup}},
        {"switched off", true, 1, true, {lookup, disable}},
        {"any non-zero value", true, -7, true, {lookup, disable}},
    };
    for (const auto& c : cases) {
        NextRow();
        DwmLibrary = c.library ? kDwm : nullptr;
        Settings.DisableDWM = c.disable;
        if (c.exported) fake::modules.exports[{kDwm, "DwmEnableComposition"}] = fn;
        ApplyCompositionSetting();
        EXPECT_EQ(fake::calls, c.calls) << c.what;
    }
}

TEST_F(SettingsTest, CompositionSwitchCalledTwiceDisablesTwice) {
    DwmLibrary = kDwm;
    fake::modules.exports[{kDwm, "DwmEnableComposition"}] = fake::FakeExport();
    ApplyCompositionSetting();
    ApplyCompositionSetting();
    EXPECT_EQ(fake::CallsNamed({"DwmEnableComposition"}).size(), 2u);
}

}  // namespace
