// Arbitrary registry values of any type and size under the settings key:
// loading must never write past a field, must leave both text fields
// terminated, and must keep every field whose value does not fit.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fake/fake_registry.h"
#include "settings/settings.h"

namespace {
const char* const kNames[] = {"UseWinDir", "UseSysDir",  "UseExtDir", "ExtSubDir", "ExtDir",
                              "Random",    "ChangeTime", "DisableDWM", "DefSaver"};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fake::ResetAll();
    // The input is a sequence of records: name index, type, length (two
    // bytes, so values longer than any field occur), then the bytes.
    std::size_t at = 0;
    while (at + 4 <= size) {
        const char* name = kNames[data[at] % 9];
        const std::uint32_t type = data[at + 1];
        std::size_t length = data[at + 2] | (static_cast<std::size_t>(data[at + 3] & 0x03) << 8);
        at += 4;
        if (length > size - at) length = size - at;
        fake::registry.keys[kSettingsKey][name] =
            fake::Bytes(std::vector<unsigned char>(data + at, data + at + length), type);
        at += length;
    }

    // Old contents with no NUL at all: the load must still end with one.
    static SaverSettings before;
    std::memset(&before, 0x5A, sizeof before);
    Settings = before;
    LoadSettings();

    if (!std::memchr(Settings.ExtDir, 0, sizeof Settings.ExtDir)) __builtin_trap();
    if (!std::memchr(Settings.DefSaver, 0, sizeof Settings.DefSaver)) __builtin_trap();
    auto& values = fake::registry.keys[kSettingsKey];
    auto unchanged = [&](const char* name, std::size_t limit) {
        auto it = values.find(name);
        return it == values.end() || it->second.data.size() > limit;
    };
    if (unchanged("ChangeTime", 4) && Settings.ChangeTime != before.ChangeTime) __builtin_trap();
    if (unchanged("DefSaver", 260) &&
        std::memcmp(Settings.DefSaver, before.DefSaver, 259) != 0)
        __builtin_trap();

    // What loads must save and load back the same.
    const SaverSettings loaded = Settings;
    SaveSettings();
    Settings = before;
    LoadSettings();
    if (std::memcmp(Settings.ExtDir, loaded.ExtDir, std::strlen(loaded.ExtDir) + 1) != 0) __builtin_trap();
    if (Settings.Random != loaded.Random || Settings.DisableDWM != loaded.DisableDWM) __builtin_trap();
    return 0;
}
