#pragma once
// Resource identifiers shared by the resource script and the Win32 shell.

#define IDI_TAVRIN 101
#define IDB_GLYPHS 126     // 720 x 16 toolbar and menu glyph strip, white on black
#define IDB_GLYPHS_2X 127  // the same at twice the size (1440 x 32) for high-DPI screens

#include "settings_resource.h"

// The jump dialog ("日付移動"): three numeric fields with up-down controls and the move button.
#define IDD_JUMP 111
#define IDC_JUMP_YEAR 1101
#define IDC_JUMP_YEAR_SPIN 1102
#define IDC_JUMP_MONTH 1103
#define IDC_JUMP_MONTH_SPIN 1104
#define IDC_JUMP_DAY 1105
#define IDC_JUMP_DAY_SPIN 1106

// The about box.
#define IDD_ABOUT 112
#define IDC_ABOUT_ICON 1201
#define IDC_ABOUT_NAME 1202
#define IDC_ABOUT_VERSION 1203
