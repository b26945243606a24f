// Start-up: the command line and the choice of mode.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "text/text.h"  // ParseInt, which reads the command line's handles

enum class RunMode { Run, Preview, Settings };

struct CommandLine {
    RunMode mode;
    const char* optionText;  // into the process's own command line, "/" or "-" included
    std::int32_t handle;     // preview parent or dialog owner; 0 for none
};

CommandLine ParseCommandLine(const char* line);

// Dialog template number for a user locale: 2 (Japanese) or 1 (English).
std::uintptr_t DialogTemplateFor(std::uint32_t lcid);

// The whole life of the process; the result is the exit code, always 0.
int RunSlumbermix(plat::Hmodule instance);
