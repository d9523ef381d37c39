#include "editor/font_table.h"

#include <algorithm>

#include "ui/dpi.h"

namespace tavrin {
namespace {

constexpr std::u16string_view kLowControlNames[32] = {
    u"NUL", u"SOH", u"STX", u"ETX", u"EOT", u"ENQ", u"ACK", u"BEL", u"BS",  u"HT",  u"LF",
    u"VT",  u"FF",  u"CR",  u"SO",  u"SI",  u"DLE", u"DC1", u"DC2", u"DC3", u"DC4", u"NAK",
    u"SYN", u"ETB", u"CAN", u"EM",  u"SUB", u"ESC", u"FS",  u"GS",  u"RS",  u"US"};
constexpr std::u16string_view kHighControlNames[33] = {
    u"DEL", u"PAD", u"HOP", u"BPH", u"NBH",  u"IND", u"NEL", u"SSA", u"ESA", u"HTS", u"HTJ",
    u"VTS", u"PLD", u"PLU", u"RI",  u"SS2",  u"SS3", u"DCS", u"PU1", u"PU2", u"STS", u"CCH",
    u"MW",  u"SPA", u"EPA", u"SOS", u"SGCI", u"SCI", u"CSI", u"ST",  u"OSC", u"PM",  u"APC"};
constexpr std::u16string_view kJoinerNames[4] = {u"ZWNJ", u"ZWJ", u"LRM", u"RLM"};
constexpr std::u16string_view kSeparatorNames[7] = {u"LS", u"PS", u"LRE", u"RLE", u"PDF", u"LRO", u"RLO"};
constexpr std::u16string_view kShapingNames[6] = {u"ISS", u"ASS", u"IAFS", u"AAFS", u"NADS", u"NODS"};

// Widths live in 16-bit cells; anything wider than this is not a glyph but a broken font.
constexpr int kMaxGlyphWidth = 0x3FFF;
constexpr int kBoxPadding = 8;        // 96-DPI pixels
constexpr int kMediaBarMinimum = 24;  // 96-DPI pixels
constexpr int kMediaBarPadding = 4;

std::uint16_t CacheCell(int width) noexcept {
    return static_cast<std::uint16_t>(std::clamp(width, 0, kMaxGlyphWidth));
}

}  // namespace

bool IsBoxedControl(char16_t c) noexcept {
    if (c < 0x20) {
        return c != u'\t' && c != u'\n';
    }
    return (c >= 0x7F && c <= 0x9F) || (c >= 0x200C && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x206A && c <= 0x206F);
}

std::u16string_view ControlName(char16_t c) noexcept {
    if (c < 0x20) {
        return kLowControlNames[c];
    }
    if (c >= 0x7F && c <= 0x9F) {
        return kHighControlNames[c - 0x7F];
    }
    if (c >= 0x200C && c <= 0x200F) {
        return kJoinerNames[c - 0x200C];
    }
    if (c >= 0x2028 && c <= 0x202E) {
        return kSeparatorNames[c - 0x2028];
    }
    if (c >= 0x206A && c <= 0x206F) {
        return kShapingNames[c - 0x206A];
    }
    return {};
}

FontTable::FontTable(TextMeasurer& measurer) : measurer_(&measurer) {}

std::uint16_t& FontTable::Cache::Cell(char16_t unit) {
    std::unique_ptr<Page>& page = pages[unit >> 8];
    if (page == nullptr) {
        page = std::make_unique<Page>();
        page->fill(kUnmeasured);
    }
    return (*page)[unit & 0xFF];
}

void FontTable::Cache::Clear() {
    for (std::unique_ptr<Page>& page : pages) {
        page.reset();
    }
    pairs.clear();
}

void FontTable::Rebuild(const FontSizes& sizes) {
    face_ = sizes.face;
    boxPadding_ = ScaleForDpi(kBoxPadding, sizes.dpi);
    entries_.clear();
    AddEntry(sizes.normal, 0);
    AddEntry(sizes.normal, kFontUnderline);
    AddEntry(sizes.heading, kFontBold);
    AddEntry(sizes.small, 0);
    AddEntry(sizes.small, kFontBold);
    AddEntry(sizes.small, kFontItalic);
    AddEntry(sizes.normal, kFontUnderline);
    AddEntry(sizes.normal, kFontStrikeOut);

    normalCache_.Clear();
    headingCache_.Clear();
    // Printable ASCII in one call, then the Latin-1 and half-width range one by one: together they
    // cover most of what an entry holds besides kana and ideographs.
    std::array<int, 0x7F - 0x20> ascii{};
    measurer_->MeasureCodeUnits(kNormal, u' ', u'~', ascii);
    for (std::size_t i = 0; i < ascii.size(); ++i) {
        normalCache_.Cell(static_cast<char16_t>(0x20 + i)) = CacheCell(ascii[i]);
    }
    for (char16_t c = 0xA1; c <= 0xDF; ++c) {
        normalCache_.Cell(c) = CacheCell(Measure(kNormal, std::u16string_view(&c, 1)));
    }

    tabUnit_ = std::max(1, static_cast<int>(normalCache_.Cell(u'x')));
    mediaBarHeight_ = std::max(ScaleForDpi(kMediaBarMinimum, sizes.dpi),
                               NormalLineHeight() + ScaleForDpi(kMediaBarPadding, sizes.dpi));
    glyphCell_ = Measure(kSmall, u"\u3000");
}

int FontTable::AddEntry(int points, int style) {
    const int slot = static_cast<int>(entries_.size());
    Entry entry{points, style, measurer_->OpenFont(slot, FontRequest{face_, points, style})};
    entry.metrics.height = std::clamp(entry.metrics.height, 1, 4096);
    entry.metrics.ascent = std::clamp(entry.metrics.ascent, 0, entry.metrics.height);
    entries_.push_back(entry);
    return slot;
}

int FontTable::Select(int points, int style) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].points == points && entries_[i].style == style) {
            return static_cast<int>(i);
        }
    }
    if (entries_.size() < kMaxFonts) {
        return AddEntry(points, style);
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].points == points) {
            return static_cast<int>(i);
        }
    }
    return kNormal;
}

int FontTable::PointsOf(int slot) const noexcept {
    return slot >= 0 && slot < Count() ? entries_[slot].points : 0;
}

int FontTable::StyleOf(int slot) const noexcept {
    return slot >= 0 && slot < Count() ? entries_[slot].style : 0;
}

FontSlotMetrics FontTable::MetricsOf(int slot) const noexcept {
    return slot >= 0 && slot < Count() ? entries_[slot].metrics : FontSlotMetrics{1, 1};
}

int FontTable::Measure(int slot, std::u16string_view text) {
    return std::clamp(measurer_->MeasureText(slot, text), 0, kMaxGlyphWidth);
}

int FontTable::TextWidth(int slot, std::u16string_view text) { return Measure(slot, text); }

int FontTable::CharWidth(std::u16string_view text, std::size_t pos, bool heading, int& units) {
    units = 1;
    if (pos >= text.size()) {
        return 0;
    }
    Cache& cache = CacheFor(heading);
    const int slot = heading ? kHeading : kNormal;
    const char16_t c = text[pos];
    if (IsHighSurrogate(c) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) {
        units = 2;
        const char32_t codePoint = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                                   (static_cast<char32_t>(text[pos + 1]) - 0xDC00);
        const auto found = cache.pairs.find(codePoint);
        if (found != cache.pairs.end()) {
            return found->second;
        }
        const std::uint16_t width = CacheCell(Measure(slot, text.substr(pos, 2)));
        cache.pairs.emplace(codePoint, width);
        return width;
    }
    std::uint16_t& cell = cache.Cell(c);
    if (cell == kUnmeasured) {
        const int width = IsBoxedControl(c) ? Measure(slot, ControlName(c)) + boxPadding_
                                            : Measure(slot, std::u16string_view(&c, 1));
        cell = CacheCell(width);
    }
    return cell;
}

}  // namespace tavrin
