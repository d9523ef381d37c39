#pragma once
// The font combo boxes of the general and edit pages: every installed font family (vertical "@"
// families left out), each name drawn in its own face so that the list previews the fonts.

#include <windows.h>

namespace tavrin {

// Whether a combo box is one of the owner-drawn font lists.
[[nodiscard]] bool IsFontCombo(HWND combo) noexcept;

// Fills the combo box's list with the installed families, sorted, each name once.
void FillFontCombo(HWND combo);

// WM_MEASUREITEM and WM_DRAWITEM of a font combo box.
void MeasureFontItem(HWND dialog, MEASUREITEMSTRUCT& item);
void DrawFontItem(const DRAWITEMSTRUCT& item);

}  // namespace tavrin
