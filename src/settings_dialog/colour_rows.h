#pragma once
// The colour list of the general page: its eight rows, their default colours, and the colour commands
// of its context menu that need no window (inverting, and the clipboard text of a colour).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"

namespace tavrin {

inline constexpr int kColourRowCount = 8;

// "文字", "背景", "土曜日", "日曜日・祝日", "見出し", "URL", "メールアドレス", "ファイルパス": the
// colours Text, Back, Saturday, Sunday, Head, URL, Mail and File.
[[nodiscard]] std::u16string_view ColourRowName(int row) noexcept;

// The eight colours of a fresh settings file, in row order.
[[nodiscard]] std::array<ColorRef, kColourRowCount> DefaultColourRows() noexcept;

// The colour with every channel inverted (the menu's "色の反転").
[[nodiscard]] constexpr ColorRef InvertColour(ColorRef colour) noexcept { return ~colour & 0xFFFFFFu; }

// "#RRGGBB", upper-case, the text a colour is copied to the clipboard as.
[[nodiscard]] std::u16string ColourClipboardText(ColorRef colour);

// A colour pasted from the clipboard: six hex digits, with or without a leading "#", surrounded by
// nothing but white space (so "#0080C0", "0080c0" and " #FF8000\r\n" read). Nothing for any other text,
// so that pasting a sentence cannot turn a colour into a random one.
[[nodiscard]] std::optional<ColorRef> ParseColourClipboardText(std::u16string_view text) noexcept;

// The context menu of the colour list, in order (an empty label is a separator).
struct ColourMenuItem {
    std::u16string_view label;
    int command = 0;
};
enum ColourCommand : int {
    kColourChange = 1,
    kColourInvert,
    kColourCopy,
    kColourPaste,
    kColourResetAll,
};
[[nodiscard]] std::array<ColourMenuItem, 6> ColourMenuItems() noexcept;

}  // namespace tavrin
