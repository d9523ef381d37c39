#pragma once
// The special-symbol list ("特殊記号一覧") of the template page: where it opens, how its three columns
// share the width, and its rows, one per $-code with an example expanded at the moment it is filled.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"

namespace tavrin {

inline constexpr std::u16string_view kSymbolListTitle = u"特殊記号一覧";

// The list's first placement in a run, in 96-DPI pixels before scaling: 500 x 500, its left edge 300
// left of the settings window's right edge, vertically centred on the settings window.
inline constexpr int kSymbolListSize = 500;
inline constexpr int kSymbolListOverlap = 300;

// The rectangle the list opens at: the one it had when last closed in this run, else the first
// placement beside the settings window (lengths scaled for dpi).
[[nodiscard]] ScreenRect SymbolListPlacement(const std::optional<ScreenRect>& lastClosed,
                                             const ScreenRect& settingsWindow, int dpi) noexcept;

// Column widths for a list of the given client width: "記号" one eighth of the usable width (the
// width less two edges and a vertical scroll bar), "説明" and "変換例" half of the rest each.
struct SymbolColumns {
    int code = 0;
    int description = 0;
    int example = 0;
    friend bool operator==(const SymbolColumns&, const SymbolColumns&) = default;
};
[[nodiscard]] SymbolColumns SymbolListColumns(int listWidth, int edgeWidth, int scrollBarWidth) noexcept;

// One row: the code ("$Y"), its description, and the code expanded alone.
struct SymbolRow {
    std::u16string code;
    std::u16string description;
    std::u16string example;
};

// The 49 rows in table order. expand turns a code into its example (nothing when it cannot).
[[nodiscard]] std::vector<SymbolRow> SymbolRows(
    const std::function<std::optional<std::u16string>(std::u16string_view)>& expand);

}  // namespace tavrin
