// Starting a screen saver as an idle-priority child in its own folder,
// waiting for one the settings dialog started, and choosing which one plays
// next.
#pragma once

#include <cstdint>

#include "catalogue/catalogue.h"
#include "platform/types.h"

constexpr std::uint32_t kCommandLineSize = 520;

// Starts `"<path>" <arguments>` (with empty arguments the line ends in the
// space) at idle priority in the folder "<path>\..", or, when that would not
// fit MAX_PATH bytes with its NUL, in the path's folder part (the text before
// its last backslash). On success the child's thread handle is already closed
// and its process handle is stored in *process (the caller waits on it and
// closes it). Fails, starting nothing, when the command line would not fit
// kCommandLineSize bytes with its NUL, when neither form of the working
// directory fits, or when CreateProcessA does not return exactly 1. A null
// path or arguments count as empty text.
bool LaunchSaver(const char* path, const char* arguments, plat::Handle* process);

// Waits, without limit, for a saver the settings dialog started to end,
// serving messages other threads send meanwhile and dropping input; the
// caller still owns `child` and closes it.
void WaitDroppingInput(plat::Handle child);

// Index of one of the least-played entries of a non-empty list; raises its
// count (all counts restart from 0 when it wraps negative). -1 for an empty
// list, which is left untouched.
std::int32_t SelectLeastPlayed(SaverList& list);
