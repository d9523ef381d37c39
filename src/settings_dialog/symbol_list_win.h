#pragma once
// The special-symbol list ("特殊記号一覧"): a modeless window beside the settings sheet listing every
// $-code with its description and an example; "挿入", a double click or Enter puts the code into the
// template page's body at its caret.

#include <windows.h>

#include "settings_dialog/settings_page_win.h"

namespace tavrin {

// Opens the list for the body edit (sheet.symbolList holds it while it is open).
void OpenSymbolList(SheetState& sheet, HWND body);

// Closes the list if it is open, remembering where it was for the rest of the run.
void CloseSymbolList(SheetState& sheet);

}  // namespace tavrin
