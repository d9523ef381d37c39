#pragma once
// Lengths the program stores and lays out are 96-DPI pixels (settings such as box sizes, margins and
// widths, and the layout constants), so a tavrin.ini means the same on every screen. They are scaled
// to the window's DPI at the moment they are used, never before they are stored.

namespace tavrin {

inline constexpr int kBaseDpi = 96;

// length x dpi / 96, rounded to the nearest pixel with halves away from zero (as MulDiv rounds), so
// that a length and its negation scale to opposite values. A DPI below 1 counts as 96.
[[nodiscard]] constexpr int ScaleForDpi(int length96, int dpi) noexcept {
    if (dpi < 1) {
        dpi = kBaseDpi;
    }
    const long long scaled = static_cast<long long>(length96) * dpi;
    const long long half = kBaseDpi / 2;
    const long long rounded = scaled >= 0 ? (scaled + half) / kBaseDpi : -((-scaled + half) / kBaseDpi);
    return static_cast<int>(rounded);
}

// The width of a line drawn 96-DPI pixels wide: scaled and truncated, never below 1, so that a
// hairline stays a hairline at 125 % and 150 % (as the system's own borders do) and doubles at 200 %.
[[nodiscard]] constexpr int ScaleLineForDpi(int width96, int dpi) noexcept {
    if (dpi < 1) {
        dpi = kBaseDpi;
    }
    const long long scaled = static_cast<long long>(width96) * dpi / kBaseDpi;
    return scaled < 1 ? 1 : static_cast<int>(scaled);
}

// The inverse: a length measured at dpi back in 96-DPI pixels (for values read off a scaled screen,
// such as a splitter dragged to a new width, before they are stored).
[[nodiscard]] constexpr int UnscaleForDpi(int length, int dpi) noexcept {
    if (dpi < 1) {
        dpi = kBaseDpi;
    }
    const long long scaled = static_cast<long long>(length) * kBaseDpi;
    const long long half = dpi / 2;
    const long long rounded = scaled >= 0 ? (scaled + half) / dpi : -((-scaled + half) / dpi);
    return static_cast<int>(rounded);
}

}  // namespace tavrin
