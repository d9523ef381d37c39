#include "ui/menu_draw.h"

#include <algorithm>
#include <utility>

#include "ui/frame_input.h"
#include "ui/frame_layout.h"

namespace tavrin {
namespace {

namespace id = command_id;

constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);
constexpr int kCheckBoxSize = 22;
constexpr int kGlyphX = 3;
constexpr int kLabelX = 32;
constexpr int kKeyTextRightInset = 8;

// The glyph of each command that has one; the search box menu's edit-control messages share the
// editing glyphs.
constexpr std::pair<int, int> kCommandGlyphs[] = {
    {id::kExit, kGlyphExit},
    {id::kSetting, kGlyphSettings},
    {id::kModeEdit, kGlyphModeEdit},
    {id::kModeCalendar, kGlyphModeCalendar},
    {id::kOldDiary, kGlyphOldest},
    {id::kPrevDiary, kGlyphPrevious},
    {id::kPrevYear, 144},
    {id::kPrevMonth, 160},
    {id::kPrevWeek, 176},
    {id::kPrevDay, 192},
    {id::kToday, 208},
    {id::kNextDay, 224},
    {id::kNextWeek, 240},
    {id::kNextMonth, 256},
    {id::kNextYear, 272},
    {id::kNextDiary, kGlyphNext},
    {id::kNewDiary, kGlyphNewest},
    {id::kFullscreen, 320},
    {id::kEditUndo, 336},
    {kEditControlUndo, 336},
    {kWindowUndo, 336},
    {id::kEditRedo, 352},
    {id::kEditCut, 368},
    {kWindowCut, 368},
    {id::kEditCopy, 384},
    {kWindowCopy, 384},
    {id::kEditPaste, 400},
    {kWindowPaste, 400},
    {id::kEditInsertFile, 416},
};

unsigned Red(ColorRef c) noexcept { return c & 0xFFu; }
unsigned Green(ColorRef c) noexcept { return (c >> 8) & 0xFFu; }
unsigned Blue(ColorRef c) noexcept { return (c >> 16) & 0xFFu; }

unsigned Toward(unsigned from, unsigned to) noexcept {
    const int moved = static_cast<int>(from) + (static_cast<int>(to) - static_cast<int>(from)) * 32 / 256;
    return static_cast<unsigned>(moved);
}

unsigned Darker(unsigned channel) noexcept { return channel > 32 ? channel - 32 : 0; }

// The label without its "&" markers, as it is measured.
std::u16string VisibleLabel(std::u16string_view label) {
    std::u16string visible;
    visible.reserve(label.size());
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == u'&' && i + 1 < label.size()) {
            ++i;
        }
        visible += label[i];
    }
    return visible;
}

// 96-DPI lengths of the menu, scaled for the canvas's screen.
struct MenuScale {
    int dpi = kBaseDpi;
    [[nodiscard]] int Px(int length96) const noexcept { return ScaleForDpi(length96, dpi); }
    [[nodiscard]] int Line() const noexcept { return ScaleLineForDpi(1, dpi); }
};

// The separator's lines, also drawn down the left of every unselected item: a shaded and a white
// vertical line at x = 26 and 27.
void LeftLines(Canvas& canvas, const PixelRect& rect, ColorRef shade, const MenuScale& scale) {
    const int line = scale.Line();
    const int x = rect.x + scale.Px(26);
    canvas.Fill({x, rect.y, line, rect.height}, shade);
    canvas.Fill({x + line, rect.y, line, rect.height}, kWhite);
}

void DrawSeparator(Canvas& canvas, const PixelRect& rect, const MenuColours& colours,
                   const MenuScale& scale) {
    const ColorRef shade = MenuShade(colours);
    canvas.Fill(rect, colours.menu);
    LeftLines(canvas, rect, shade, scale);
    const int line = scale.Line();
    const int left = scale.Px(26) + line;
    const int middle = rect.y + rect.height / 2;
    canvas.Fill({rect.x + left, middle, rect.width - left, line}, shade);
    canvas.Fill({rect.x + left, middle + line, rect.width - left, line}, kWhite);
}

}  // namespace

ColorRef MenuSelectedFill(const MenuColours& colours) noexcept {
    const ColorRef m = colours.menu;
    const ColorRef h = colours.highlight;
    return MakeColorRef(Toward(Red(m), Red(h)), Toward(Green(m), Green(h)), Toward(Blue(m), Blue(h)));
}

ColorRef MenuShade(const MenuColours& colours) noexcept {
    const ColorRef m = colours.menu;
    return MakeColorRef(Darker(Red(m)), Darker(Green(m)), Darker(Blue(m)));
}

MenuItemSize MeasureMenuItem(const MenuItem& item, const TextMetricsSource& fonts, int screenWidth, int dpi) {
    const MenuScale scale{dpi};
    if (item.IsSeparator()) {
        return {1, scale.Px(5)};
    }
    const int width = fonts.TextWidth(FontRole::kMenu, VisibleLabel(item.label)) +
                      fonts.TextWidth(FontRole::kMenu, item.keyText) + scale.Px(48);
    const int height = fonts.Metrics(FontRole::kMenu).height + scale.Px(4);
    return {std::min(width, screenWidth / 2 - scale.Px(16)), std::max(height, scale.Px(22))};
}

int MenuGlyphOf(const MenuItem& item) noexcept {
    for (const auto& [command, glyph] : kCommandGlyphs) {
        if (command == item.commandValue) {
            return glyph;
        }
    }
    if (item.flags & kMenuChecked) {
        return kGlyphCheck;
    }
    return (item.flags & kMenuRadio) ? kGlyphRadio : -1;
}

void DrawMenuItem(Canvas& canvas, const MenuItem& item, const PixelRect& rect, bool selected,
                  const MenuColours& colours) {
    const MenuScale scale{canvas.Dpi()};
    if (item.IsSeparator()) {
        DrawSeparator(canvas, rect, colours, scale);
        return;
    }
    const ColorRef fill = MenuSelectedFill(colours);
    const ColorRef shade = MenuShade(colours);
    const bool disabled = item.Disabled();
    if (selected) {
        canvas.Fill(rect, disabled ? colours.menu : fill);
        OutlineOfWidth(canvas, rect, scale.Line(), disabled ? shade : colours.highlight);
    } else {
        canvas.Fill(rect, colours.menu);
        LeftLines(canvas, rect, shade, scale);
    }
    if (item.flags & (kMenuChecked | kMenuRadio)) {
        const int size = scale.Px(kCheckBoxSize);
        const PixelRect box{rect.x, rect.y + (rect.height - size) / 2, size, size};
        canvas.Fill(box, fill);
        OutlineOfWidth(canvas, box, scale.Line(), colours.highlight);
    }
    if (const int glyph = MenuGlyphOf(item); glyph >= 0) {
        canvas.Glyph(rect.x + scale.Px(kGlyphX), rect.y + (rect.height - scale.Px(kGlyphSize)) / 2, glyph,
                     disabled ? 100 : 256, colours.text);
    }
    const int labelX = scale.Px(kLabelX);
    TextStyle label;
    label.font = FontRole::kMenu;
    label.colour = disabled ? colours.greyText : colours.text;
    label.ellipsis = true;
    label.mnemonic = true;
    canvas.Text({rect.x + labelX, rect.y, rect.width - labelX, rect.height}, item.label, label);
    if (!item.keyText.empty()) {
        TextStyle key = label;
        key.align = TextAlign::kRight;
        key.ellipsis = false;
        key.mnemonic = false;
        canvas.Text(
            {rect.x + labelX, rect.y, rect.width - labelX - scale.Px(kKeyTextRightInset), rect.height},
            item.keyText, key);
    }
}

}  // namespace tavrin
