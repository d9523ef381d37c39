#pragma once
// The style record the main frame sends with MEP_SETSTYLE, and the editor's own style values.

#include <array>
#include <cstdint>
#include <string>

namespace tavrin {

// 80 consecutive 32-bit cells, as the frame builds it: the cell index of each field is in its comment.
struct DisplayStyle {
    std::array<char16_t, 64> faceName{};  // 0-31: zero-terminated UTF-16
    std::int32_t fontSize = 0;            // 32: points
    std::int32_t fontSizeHead = 0;        // 33: percent of fontSize
    std::array<std::int32_t, 14>
        colors{};  // 34-47: 0x00BBGGRR; 0 Text, 1 Back, 4 Head, 8 URL, 9 Mail, 10 File
    std::array<std::int32_t, 14> colorFlags{};     // 48-61: 1 for filled slots (stored, unused)
    std::array<std::int32_t, 3> alpha{};           // 62-64: alpha levels in 1/256
    std::int32_t textDropShadow = 0;               // 65
    std::array<std::int32_t, 4> margins{};         // 66-69: left, top, right, bottom
    std::int32_t caretWidth = 0;                   // 70
    std::int32_t lineSpacing = 0;                  // 71
    std::int32_t tabStop = 0;                      // 72
    std::int32_t scrollLines = 0;                  // 73
    std::int32_t reserved = 0;                     // 74
    std::array<std::int32_t, 4> headingPadding{};  // 75-78: only top (76) and bottom (78) are used
    std::int32_t wordWrap = 0;                     // 79
};
static_assert(sizeof(DisplayStyle) == 80 * 4, "DisplayStyle is 80 cells of 32 bits");

inline constexpr int kColorText = 0;
inline constexpr int kColorBack = 1;
inline constexpr int kColorSaturday = 2;
inline constexpr int kColorSunday = 3;
inline constexpr int kColorHead = 4;
inline constexpr int kColorUrl = 8;
inline constexpr int kColorMail = 9;
inline constexpr int kColorFile = 10;

// The style values the editor works with. Defaults are those of a newly created editor, before the
// frame applies the settings. Every value is kept in a range that layout arithmetic cannot overflow.
struct EditorStyle {
    std::u16string face = u"メイリオ";
    int fontSize = 12;
    int fontSizeHead = 150;
    int lineSpacing = 4;
    int tabStop = 4;
    int scrollLines = 6;
    bool wordWrap = true;
    bool titleLine = false;
    int marginLeft = 20;
    int marginTop = 10;
    int marginRight = 10;
    int marginBottom = 10;
    int headingPadTop = 0;
    int headingPadBottom = 0;
    std::array<std::uint32_t, 14> colors = {0x000000, 0xFFFFFF, 0,        0,        0xE8A200, 0, 0,
                                            0,        0xFF8800, 0x8800FF, 0x0088FF, 0,        0, 0};
    std::array<std::int32_t, 14> colorFlags{};
    std::array<int, 3> alpha = {200, 80, 32};
    bool textDropShadow = false;
    int caretWidth = 2;

    // int(FontSizeHead / 100.0 * FontSize)
    [[nodiscard]] int HeadingPoints() const noexcept;
    // max(8, int(FontSize * 0.8))
    [[nodiscard]] int SmallPoints() const noexcept;
};

// The style as laid out on a screen of dpi: the pixel values (margins, line spacing, heading padding,
// caret width) are 96-DPI lengths and are scaled; everything else is copied.
[[nodiscard]] EditorStyle ScaledEditorStyle(const EditorStyle& style, int dpi);

// Copies the record into the style (clamping values that would break layout arithmetic); the title
// line flag is not part of the record and stays.
void ApplyDisplayStyle(const DisplayStyle& record, EditorStyle& style);

// Clamps for values that arrive from outside (messages, settings).
[[nodiscard]] int ClampFontSize(long long points) noexcept;
[[nodiscard]] int ClampLineSpacing(long long pixels) noexcept;
[[nodiscard]] int ClampTabStop(long long characters) noexcept;

}  // namespace tavrin
