#include <cstring>

#include "platform/registry.h"
#include "settings/settings.h"

SaverSettings Settings = kDefaultSettings;

const char kSettingsKey[] = "Software\\Brimlo\\Slumbermix";

namespace {

bool OpenKey(plat::Hkey* key) {
    return plat::RegCreateKeyExA(plat::kHkeyCurrentUser, kSettingsKey, "", 0, plat::kKeyAllAccess,
                                 key) == plat::kErrorSuccess;
}

// Reads a value of at most `limit` bytes into the first bytes of `field`.
// The read goes through a buffer of our own: when a value is too long the
// registry may leave its buffer in any state, and the field must then keep
// what it held.
void ReadValue(plat::Hkey key, const char* name, void* field, std::uint32_t limit) {
    unsigned char data[plat::kMaxPath];
    std::uint32_t size = limit;
    if (plat::RegQueryValueExA(key, name, nullptr, data, &size) != plat::kErrorSuccess) return;
    if (size > limit) return;
    std::memcpy(field, data, size);
}

void EnsureTerminated(char (&text)[plat::kMaxPath]) {
    if (!std::memchr(text, '\0', sizeof text)) text[sizeof text - 1] = '\0';
}

void WriteDword(plat::Hkey key, const char* name, const std::int32_t& value) {
    plat::RegSetValueExA(key, name, plat::kRegDword, &value, sizeof value);
}

void WriteString(plat::Hkey key, const char* name, const char (&text)[plat::kMaxPath]) {
    const std::uint32_t length =
        static_cast<std::uint32_t>(strnlen(text, sizeof text - 1));
    plat::RegSetValueExA(key, name, plat::kRegSz, text, length + 1);
}

}  // namespace

void LoadSettings() {
    plat::Hkey key;
    if (!OpenKey(&key)) return;
    ReadValue(key, "UseWinDir", &Settings.UseWinDir, 4);
    ReadValue(key, "UseSysDir", &Settings.UseSysDir, 4);
    ReadValue(key, "UseExtDir", &Settings.UseExtDir, 4);
    ReadValue(key, "ExtSubDir", &Settings.ExtSubDir, 4);
    ReadValue(key, "Random", &Settings.Random, 4);
    ReadValue(key, "ChangeTime", &Settings.ChangeTime, 4);
    ReadValue(key, "DisableDWM", &Settings.DisableDWM, 4);
    ReadValue(key, "ExtDir", Settings.ExtDir, sizeof Settings.ExtDir);
    ReadValue(key, "DefSaver", Settings.DefSaver, sizeof Settings.DefSaver);
    EnsureTerminated(Settings.ExtDir);
    EnsureTerminated(Settings.DefSaver);
    plat::RegCloseKey(key);
}

void SaveSettings() {
    plat::Hkey key;
    if (!OpenKey(&key)) return;
    WriteDword(key, "UseWinDir", Settings.UseWinDir);
    WriteDword(key, "UseSysDir", Settings.UseSysDir);
    WriteDword(key, "UseExtDir", Settings.UseExtDir);
    WriteDword(key, "ExtSubDir", Settings.ExtSubDir);
    WriteString(key, "ExtDir", Settings.ExtDir);
    WriteDword(key, "Random", Settings.Random);
    WriteDword(key, "ChangeTime", Settings.ChangeTime);
    WriteDword(key, "DisableDWM", Settings.DisableDWM);
    WriteString(key, "DefSaver", Settings.DefSaver);
    plat::RegCloseKey(key);
}
