// Starting a screen saver as an idle-priority child in its own folder, and
// choosing which one plays next.
#pragma once

#include <cstdint>

#include "catalogue/catalogue.h"
#include "platform/platform.h"

constexpr std::uint32_t kCommandLineSize = 520;

// Starts `"<path>" <arguments>`. On success the child's process handle is
// stored in *process (the caller waits on it and closes it).
bool LaunchSaver(const char* path, const char* arguments, plat::Handle* process);

// Index of one of the least-played entries of a non-empty list; raises its count.
std::int32_t SelectLeastPlayed(SaverList& list);
