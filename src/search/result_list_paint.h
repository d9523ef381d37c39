#pragma once
// What the search result list paints: its background, then only the rows that are in view, each with
// its date and title line, the translucent bar and focus frame of the selected row, and the lines
// between years and months. The shell paints through a Canvas whose small font is the list's font.

#include "app/settings.h"
#include "search/full_text_search.h"
#include "ui/canvas.h"

namespace tavrin {

// The colours and options the list is painted with, from the settings.
struct ResultListLook {
    ColorRef text = 0;
    ColorRef back = 0;
    int alphaPercent = 15;  // opacity of the selected row's bar
    bool dropShadow = false;
    friend bool operator==(const ResultListLook&, const ResultListLook&) = default;
};
[[nodiscard]] ResultListLook ResultListLookOf(const Settings& settings) noexcept;

// The pane's size and the lengths it is laid out with, in device pixels.
struct ResultListBox {
    int width = 0;
    int height = 0;
    int rowHeight = 20;
    int scrollBarWidth = 16;  // rows end where the scroll bar begins
    int leftMargin = 6;       // where the row texts start
    bool focused = false;     // the selected row gets a frame
};

// The list's background: everything behind the rows. The one place it is laid down, so that a
// background picture shown behind the list (which the Canvas's Background draws) continues there.
void PaintListBackground(Canvas& canvas, const PixelRect& area, const ResultListLook& look);

// The whole pane: the background, then the rows from the first visible one to the last that is at
// least partly in view.
void PaintResultList(Canvas& canvas, const ResultListLook& look, const SearchResults& results,
                     const ResultListBox& box);

}  // namespace tavrin
