#pragma once
// The messages of the ScrollBarPane window and the range record SBP_SETRANGE points to. Portable, so
// that code which only builds messages (and tests) needs no Windows header.

#include <cstdint>

namespace tavrin {

inline constexpr wchar_t kScrollBarPaneClassName[] = L"ScrollBarPane";

// Style bit of a vertical bar (given at creation, or later with SBP_SETVERTICAL).
inline constexpr std::uint32_t kScrollBarVerticalStyle = 0x0001;
// SBP_SETSTYLE wParam bit: a horizontal bar lets mouse hits in its corner through to the parent.
inline constexpr std::uint32_t kScrollBarGripPassThrough = 0x40000;

// All return 1 unless noted, and 0 when the window has no state.
inline constexpr unsigned SBP_SETRANGE = 32818;     // wParam ScrollRange*, lParam != 0: repaint now
inline constexpr unsigned SBP_SETVERTICAL = 32819;  // wParam flag
inline constexpr unsigned SBP_SHOW = 32820;         // wParam 1 show, 0 hide
inline constexpr unsigned SBP_SETACTIVE = 32821;    // wParam flag, lParam != 0: repaint now
inline constexpr unsigned SBP_SETREVERSED = 32822;  // wParam flag, lParam != 0: repaint now
inline constexpr unsigned SBP_SETPOS = 32823;       // wParam position; returns 0
inline constexpr unsigned SBP_GETPOS = 32824;       // returns the position, -1 without state
inline constexpr unsigned SBP_SETCORNER = 32825;    // wParam flag (horizontal bars)
inline constexpr unsigned SBP_SETSTYLE =
    32826;  // wParam arrow mode | grip bit, lParam thickness | shortening << 16
inline constexpr unsigned SBP_SETREPEAT = 32827;        // wParam milliseconds (at least 10)
inline constexpr unsigned SBP_SETCOLORS = 32828;        // wParam background, lParam thumb (0x00BBGGRR)
inline constexpr unsigned SBP_SETALPHA = 32829;         // wParam normal, lParam hover opacity (0..256)
inline constexpr unsigned SBP_SETBACKIMAGE = 32830;     // wParam picture HDC or 0, lParam {width, height}*
inline constexpr unsigned SBP_SETBACKIMAGEPOS = 32831;  // wParam x << 16 | y (signed 16 bit), lParam flags

// The range of a bar: the position runs from 0 to maximum - page.
struct ScrollRange {
    std::int32_t maximum = 0;
    std::int32_t position = 0;
    std::int32_t page = 0;
    friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};

// The size record of SBP_SETBACKIMAGE and MEP_SETBACKIMAGE.
struct PictureExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

}  // namespace tavrin
