#pragma once
// The modeless jump dialog ("日付移動"): year, month and day fields and a button that moves there.

#include <windows.h>

#include <functional>
#include <optional>
#include <string_view>

#include "calendar/diary_date.h"
#include "store/navigation.h"

namespace tavrin {

// What the dialog needs from its owner.
struct JumpDialogContext {
    DiaryDate selected;  // the fields start here
    DiaryDate today;     // shown in the title
    // Called with the three field texts when the button is pressed: moves and returns nothing (the
    // dialog closes), or returns the notice to show (the dialog stays open).
    std::function<std::optional<Notice>(std::u16string_view, std::u16string_view, std::u16string_view)> jump;
    // Called when the dialog window is gone, so the owner can forget its handle.
    std::function<void()> closed;
};

// Creates and shows the dialog; nullptr when it cannot be created. The caller keeps the handle for the
// message loop (IsDialogMessage) and shows the existing dialog instead of opening a second.
HWND OpenJumpDialog(HINSTANCE instance, HWND owner, JumpDialogContext context);

// Brings an open dialog to the front with the focus on its year field.
void ShowJumpDialog(HWND dialog);

}  // namespace tavrin
