// Every operating-system operation Slumbermix performs goes through the
// headers this file gathers.
//
// The names follow the Win32 calls they stand for, so src/platform/win32/ is a
// thin translation and the logic above reads like the Windows program it is.
// Types are neutral (fixed-width integers and opaque handles); constants whose
// values the behaviour depends on keep their Win32 values.
//
// Two implementations exist and are chosen at link time: the real one in
// src/platform/win32/ and the recording fake used by the host unit tests.
//
// The seam is cut by area of the system, and each area is a same-named set:
// its header platform/<area>.h, its translation win32/<area>.cpp and its fake
// tests/unit/fake/fake_<area>.cpp. A new call goes into the three files of its
// area. Code above the seam includes the headers of the areas it uses, so its
// includes say which parts of the system it touches.
//
//   types.h     handles, message parameters, MAX_PATH, points and rectangles:
//               shared by every area (win32/win32.h and fake/fake.h on the
//               other sides)
//   registry.h  keys and values
//   heap.h      the process heap
//   files.h     the system folders, file search, double-byte characters
//   process.h   child processes, waits, the tick count
//   input.h     the last input, imitated keys, the cursor
//   window.h    windows, messages, painting and the resources it draws
//   dialog.h    the modal dialog, dialog controls, message boxes
//   shell.h     the folder browser, opening a page
//   modules.h   libraries and their exports, the command line, the locale
#pragma once

#include "platform/types.h"

#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/heap.h"
#include "platform/input.h"
#include "platform/modules.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/window.h"
