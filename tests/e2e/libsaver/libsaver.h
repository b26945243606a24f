// Resource ids of the library-style test saver, shared by its code and its
// resource script.
#pragma once

#define kSettingsDialog 1
