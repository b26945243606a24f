// Start-up: the command line, the choice of mode and the process-wide
// desktop-composition library.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum class RunMode { Run, Preview, Settings };

struct CommandLine {
    RunMode mode;
    const char* optionText;  // into the process's own command line, "/" or "-" included
    std::int32_t handle;     // preview parent or dialog owner; 0 for none
};

// "dwmapi.dll", or null where the system has no desktop composition. Loaded
// before the command line is read and released after the mode returns.
extern plat::Hmodule DwmLibrary;

// Decimal text to a signed 32-bit integer: leading white space, one optional
// sign, digits; wraps on overflow; no digits give 0.
std::int32_t ParseInt(const char* text);

CommandLine ParseCommandLine(const char* line);

// Dialog template number for a user locale: 2 (Japanese) or 1 (English).
std::uintptr_t DialogTemplateFor(std::uint32_t lcid);

// The whole life of the process; the result is the exit code, always 0.
int RunSlumbermix(plat::Hmodule instance);
