/* Resource identifiers: shared by the resource script and the C++ code, so
   plain preprocessor constants that both the resource compiler and the C++
   compiler read. */
#pragma once

/* Dialog templates: the same settings dialog in two languages. */
#define IDD_SETTINGS_ENGLISH 1
#define IDD_SETTINGS_JAPANESE 2

/* The program's icon, and the name the system lists the screen saver under. */
#define IDI_SLUMBERMIX 1
#define IDS_SLUMBERMIX 1

/* Controls of both settings templates. */
#define IDC_STATIC (-1)
#define IDC_USE_WINDIR 100
#define IDC_WINDIR_PATH 101
#define IDC_USE_SYSDIR 102
#define IDC_SYSDIR_PATH 103
#define IDC_USE_EXTDIR 104
#define IDC_EXTDIR 105
#define IDC_EXT_SUBDIR 106
#define IDC_RANDOM 107
#define IDC_CHANGE_TIME 108
#define IDC_CHANGE_TIME_SPIN 109
#define IDC_SAVER_LIST 110
#define IDC_SAVER_SETTING 111
#define IDC_SAVER_PREVIEW 112
#define IDC_SUPPORT 113
#define IDC_DISABLE_DWM 114
#define IDC_BROWSE 30717
#define IDC_APPLY 30719
