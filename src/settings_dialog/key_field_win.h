#pragma once
// The key field of the template and keyboard pages: a standard hot-key control that takes no
// modifiers of its own (those come from the Ctrl, Shift and Alt boxes beside it), also takes Backspace,
// Tab, Enter, Esc, Space and Delete, and offers Tab, Enter, Esc, 変換 and 無変換 in its context menu.
// Every change reaches the page as EN_CHANGE from the field.

#include <windows.h>

#include "settings_dialog/key_field.h"

namespace tavrin {

// The controls of one key editor on a page.
struct KeyFieldControls {
    int ctrl = 0;
    int shift = 0;
    int alt = 0;
    int field = 0;
};

void InstallKeyField(HWND field);

[[nodiscard]] KeyFieldState ReadKeyFieldControls(HWND dialog, const KeyFieldControls& controls);
void ShowKeyFieldControls(HWND dialog, const KeyFieldControls& controls, const KeyFieldState& state);
void EnableKeyFieldControls(HWND dialog, const KeyFieldControls& controls, bool enabled);

}  // namespace tavrin
