// The one settings record of the process and its registry form, and the
// desktop-composition switch it controls.
#pragma once

#include <cstdint>

#include "platform/registry.h"  // kSettingsKey is a key for these calls
#include "platform/types.h"

struct SaverSettings {
    std::int32_t UseWinDir;
    std::int32_t UseSysDir;
    std::int32_t UseExtDir;
    std::int32_t ExtSubDir;
    char ExtDir[plat::kMaxPath];
    std::int32_t Random;
    std::int32_t ChangeTime;  // milliseconds; 0 means never change
    std::int32_t DisableDWM;
    char DefSaver[plat::kMaxPath];
};

inline constexpr SaverSettings kDefaultSettings = {1, 1, 0, 0, {}, 1, 180000, 1, {}};

// Process-wide; holds the defaults until a load replaces them.
extern SaverSettings Settings;  // written by LoadSettings and the dialog's ReadControls

extern const char kSettingsKey[];  // under HKEY_CURRENT_USER

// Fills the record from the registry; missing values keep their contents.
void LoadSettings();
// Writes all nine fields.
void SaveSettings();

// "dwmapi.dll", or null where the system has no desktop composition. Loaded
// before the command line is read and released after the mode returns.
extern plat::Hmodule DwmLibrary;  // written by RunSlumbermix only

// Switches desktop composition off when the settings ask for it and the
// system has it.
void ApplyCompositionSetting();
