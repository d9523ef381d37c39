#pragma once
// The font combo boxes of the general and edit pages: every installed font family (vertical "@"
// families left out), each name drawn in its own face so that the list previews the fonts.

#include <windows.h>

namespace tavrin {

// Whether a combo box is one of the owner-drawn font lists.
[[nodiscard]] bool IsFontCombo(HWND combo) noexcept;

// Fills the combo box's list with the installed families, sorted, each name once, in rows at least
// 20 pixels high at 96 DPI.
void FillFontCombo(HWND combo);

// WM_DRAWITEM of a font combo box.
void DrawFontItem(const DRAWITEMSTRUCT& item);

}  // namespace tavrin
