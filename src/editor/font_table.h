#pragma once
// The editor's font table and its character-width caches.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "editor/text_measurer.h"

namespace tavrin {

// Sizes the table is rebuilt with whenever the style changes.
struct FontSizes {
    std::u16string face;
    int normal = 12;   // FontSize
    int heading = 18;  // int(FontSizeHead / 100.0 * FontSize)
    int small = 9;     // max(8, int(FontSize * 0.8))
    int dpi = 96;      // the screen: the pixel lengths below (at 96 DPI) are scaled for it
};

// Up to 32 fonts (size, style, metrics) created through the measurer. Entries 0-7 are fixed:
// 0 normal, 1 normal underlined (links), 2 heading bold, 3-5 small plain/bold/italic, 6 normal
// underlined, 7 normal struck out. Further (size, style) pairs are added on demand by Select.
// Two width caches (normal font, heading font), indexed by code unit, hold every width measured
// since the last rebuild; surrogate pairs are cached per code point.
class FontTable {
public:
    static constexpr int kMaxFonts = 32;
    static constexpr int kNormal = 0;
    static constexpr int kLink = 1;
    static constexpr int kHeading = 2;
    static constexpr int kSmall = 3;

    explicit FontTable(TextMeasurer& measurer);

    // Recreates entries 0-7, drops the on-demand entries, clears and pre-fills the caches and
    // recomputes the derived metrics.
    void Rebuild(const FontSizes& sizes);
    // The slot of an entry with this size and style, creating one while the table has room; with a
    // full table the first entry of equal size (or entry 0).
    int Select(int points, int style);

    [[nodiscard]] int Count() const noexcept { return static_cast<int>(entries_.size()); }
    [[nodiscard]] int PointsOf(int slot) const noexcept;
    [[nodiscard]] int StyleOf(int slot) const noexcept;
    [[nodiscard]] FontSlotMetrics MetricsOf(int slot) const noexcept;
    [[nodiscard]] int NormalLineHeight() const noexcept { return MetricsOf(kNormal).height; }
    [[nodiscard]] int HeadingLineHeight() const noexcept { return MetricsOf(kHeading).height; }
    // Width of "x" in the normal font, at least 1: the unit of tab stops.
    [[nodiscard]] int TabUnit() const noexcept { return tabUnit_; }
    // max(24, normal line height + 4) (96-DPI pixels, scaled): a sound row's bar and a movie's strip.
    [[nodiscard]] int MediaBarHeight() const noexcept { return mediaBarHeight_; }
    // Width of U+3000 in the small font: the play/stop glyph cell of media rows.
    [[nodiscard]] int GlyphCell() const noexcept { return glyphCell_; }

    // Width of the character at pos in the normal or heading font; units receives 2 for a valid
    // surrogate pair, else 1. Control characters get the width of their boxed name.
    int CharWidth(std::u16string_view text, std::size_t pos, bool heading, int& units);
    // Width of a run of text in a slot, uncached (names of objects, labels).
    int TextWidth(int slot, std::u16string_view text);
    TextMeasurer& Measurer() noexcept { return *measurer_; }

private:
    struct Entry {
        int points = 0;
        int style = 0;
        FontSlotMetrics metrics;
    };
    // Widths by code unit in pages of 256 units, allocated when a unit of the page is first measured,
    // so a rebuild only drops the pages in use.
    struct Cache {
        using Page = std::array<std::uint16_t, 256>;
        std::array<std::unique_ptr<Page>, 256> pages;
        std::unordered_map<char32_t, std::uint16_t> pairs;

        std::uint16_t& Cell(char16_t unit);
        void Clear();
    };
    static constexpr std::uint16_t kUnmeasured = 0xFFFF;

    int AddEntry(int points, int style);
    int Measure(int slot, std::u16string_view text);
    Cache& CacheFor(bool heading) noexcept { return heading ? headingCache_ : normalCache_; }

    TextMeasurer* measurer_;
    std::u16string face_;
    std::vector<Entry> entries_;
    Cache normalCache_;
    Cache headingCache_;
    int tabUnit_ = 1;
    int boxPadding_ = 8;  // what a control character's box adds to its name's width
    int mediaBarHeight_ = 24;
    int glyphCell_ = 0;
};

// True for the characters shown as a boxed name: U+0000-U+0008, U+000B-U+001F (TAB and LF have their
// own handling), U+007F-U+009F, U+200C-U+200F, U+2028-U+202E, U+206A-U+206F.
[[nodiscard]] bool IsBoxedControl(char16_t c) noexcept;
// The short name drawn in the box ("NUL", "BEL", "ZWJ", ...); empty for other characters.
[[nodiscard]] std::u16string_view ControlName(char16_t c) noexcept;

[[nodiscard]] inline bool IsHighSurrogate(char16_t c) noexcept { return c >= 0xD800 && c <= 0xDBFF; }
[[nodiscard]] inline bool IsLowSurrogate(char16_t c) noexcept { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace tavrin
