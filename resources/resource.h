#pragma once
// Resource identifiers shared by the resource script and the Win32 shell.

#define IDI_TAVRIN 101
#define IDB_GLYPHS 126  // 720 x 16 toolbar and menu glyph strip, white on black
