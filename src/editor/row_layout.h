#pragma once
// Breaking logical lines into display rows: line classification, tab stops, the 200-pixel rule, word
// wrap and hanging punctuation. Pure over the text and the font table, so the editor can lay out the
// whole text or only the lines an edit touched.

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/font_table.h"
#include "editor/object_kind.h"

namespace tavrin {

// One display row. The character offset of row i equals the sum of charCount + breakCount over rows
// 0..i-1, so the rows cover the text without gaps; an empty text has no rows and a text that ends
// with LF ends with an empty row. top is the row's top in content pixels (the first row's top is the
// top margin); the sum of all heights plus both margins is the content height.
struct RowRecord {
    std::int32_t charCount = 0;        // characters on the row without its LF; a heading's "*" counts
    std::int32_t offset = 0;           // offset of the row's first character
    std::int32_t paragraphStart = 0;   // offset of the first character of the row's logical line
    std::int32_t paragraphNumber = 0;  // 1-based number of that logical line
    std::int32_t width = 0;            // drawn width in pixels (object rows: the box width)
    std::int32_t height = 0;           // pixels, line spacing included; at least 1
    RowKind kind = RowKind::Normal;
    bool wrapsOn = false;           // the logical line continues on the next row
    bool isContinuation = false;    // this row continues the previous row's logical line
    std::int32_t breakCount = 0;    // 1 when the row ends with an LF
    std::int32_t objectIndex = -1;  // picture index among pictures, or media index among sounds+movies
    std::int32_t top = 0;

    [[nodiscard]] std::int32_t End() const noexcept { return offset + charCount; }
    [[nodiscard]] std::int32_t Next() const noexcept { return offset + charCount + breakCount; }
    friend bool operator==(const RowRecord&, const RowRecord&) = default;
};

// Everything a row break depends on besides the text.
struct LineMetrics {
    int availableWidth = 0;  // W: client width - scroll bar - left and right margins (may be <= 0)
    bool wordWrap = true;
    bool titleLine = false;  // the first logical line is a heading whatever it starts with
    int tabStop = 4;         // characters per tab stop, >= 1
    int lineSpacing = 4;
    int headingPadTop = 0;
    int headingPadBottom = 0;
    int minRowWidth = 200;  // kMinLayoutWidth on the editor's screen
};

// Rows hold characters until they are wider than this (96-DPI pixels), however narrow the window.
inline constexpr int kMinLayoutWidth = 200;
// Longest name between "[[" and "]]" that makes an object line.
inline constexpr int kMaxReferenceName = 259;

// Kind of the logical line that starts at lineStart (Normal, Heading or an object kind).
[[nodiscard]] RowKind ClassifyLine(std::u16string_view text, int lineStart, bool titleLine) noexcept;

// Heights of the rows of a text line, from the font table and the metrics.
[[nodiscard]] int TextRowHeight(const FontTable& fonts, const LineMetrics& metrics, bool heading,
                                bool continuation) noexcept;

// Width of a TAB that starts rowWidth pixels into a row.
[[nodiscard]] int TabWidth(int rowWidth, int tabUnit, int tabStop) noexcept;

// True for the marks that may hang beyond the right edge: 、。，．､｡ , and .
[[nodiscard]] bool IsHangingPunctuation(char16_t c) noexcept;

// Lays out the logical lines that start at from (a line start) up to, not including, the line that
// starts at to; with to < 0 through the end of the text, the empty line after a final LF included.
// Appends rows with top 0 and, for object rows, width and height 0; paragraph numbers start at
// firstParagraph. Returns the number of lines laid out.
int LayoutLines(std::u16string_view text, int from, int to, int firstParagraph, const LineMetrics& metrics,
                FontTable& fonts, std::vector<RowRecord>& rows);

}  // namespace tavrin
