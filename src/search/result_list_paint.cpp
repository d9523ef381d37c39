#include "search/result_list_paint.h"

#include <algorithm>

#include "search/result_list.h"

namespace tavrin {
namespace {

constexpr int kFullAlpha = 100;

void PaintSeparator(Canvas& canvas, const PixelRect& row, RowSeparator separator, ColorRef colour) {
    const int y = row.Bottom() - 1;
    if (separator == RowSeparator::kSolid) {
        canvas.Fill({row.x, y, row.width, 1}, colour);
    } else if (separator == RowSeparator::kDotted) {
        for (int x = row.x; x < row.Right(); x += 2) {
            canvas.Fill({x, y, 1, 1}, colour);
        }
    }
}

void PaintRow(Canvas& canvas, const ResultListLook& look, const SearchResults& results, int index,
              const PixelRect& row, const ResultListBox& box) {
    const bool selected = index == results.selectedIndex;
    if (selected) {
        canvas.Blend(row, std::clamp(look.alphaPercent, 0, kFullAlpha) * 256 / kFullAlpha, look.text);
        if (box.focused) {
            canvas.Outline(row, look.text);
        }
    }
    TextStyle style;
    style.font = FontRole::kSmall;
    style.colour = selected && look.alphaPercent >= kFullAlpha ? look.back : look.text;
    style.ellipsis = true;
    const PixelRect textArea{row.x + box.leftMargin, row.y, row.width - box.leftMargin, row.height};
    const std::u16string text = ListRowText(results.hits[static_cast<std::size_t>(index)]);
    ShadowedText(canvas, textArea, text, style, look.dropShadow && !selected, look.back);
    PaintSeparator(canvas, row, SeparatorBelow(results, index), look.text);
}

}  // namespace

ResultListLook ResultListLookOf(const Settings& settings) noexcept {
    return {settings.colour.text, settings.colour.back, settings.colour.alpha,
            settings.colour.textDropShadow != 0};
}

void PaintListBackground(Canvas& canvas, const PixelRect& area, const ResultListLook& look) {
    canvas.Background(area, look.back);
}

void PaintResultList(Canvas& canvas, const ResultListLook& look, const SearchResults& results,
                     const ResultListBox& box) {
    PaintListBackground(canvas, {0, 0, box.width, box.height}, look);
    if (box.rowHeight <= 0) {
        return;
    }
    const int rowWidth = std::max(box.width - box.scrollBarWidth, 0);
    const int count = results.Count();
    int y = 0;
    for (int index = std::max(results.firstVisibleRow, 0); index < count && y < box.height; ++index) {
        PaintRow(canvas, look, results, index, {0, y, rowWidth, box.rowHeight}, box);
        y += box.rowHeight;
    }
}

}  // namespace tavrin
