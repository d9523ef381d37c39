#pragma once
// The style record the frame sends to the editor (MEP_SETSTYLE), built from the settings.

#include "app/app_state.h"
#include "editor/display_style.h"

namespace tavrin {

// FontName, FontSize, FontSizeHead; the eight colour slots Text, Back, Saturday, Sunday, Head, URL,
// Mail and File with their flags set; the three opacity levels; TextDropShadow; margins 20, 10, 20,
// 10; caret width 2; LineSpacing, TabStop, ScrollLines; no heading padding; WordWrap.
[[nodiscard]] DisplayStyle DisplayStyleOf(const AppState& state) noexcept;

}  // namespace tavrin
