#pragma once
// The search result list as the search pane shows it, decided without windows: row height and visible
// rows, scrolling the selection into view and the range the list's scroll bar gets, moving the
// selection by keys, hit-testing rows, the year and month separators, the row texts, and the history
// steps of the search box. Everything here costs the same for ten hits as for a hundred thousand.

#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "search/full_text_search.h"

namespace tavrin {

// The row height before the list has a font.
inline constexpr int kDefaultListRowHeight = 20;

// The list font's character height + 2, at least 4; kDefaultListRowHeight without a font (a height
// of 0 or less).
[[nodiscard]] int ListRowHeight(int fontHeight) noexcept;

// Whole rows that fit into the pane's height (0 for a pane lower than one row).
[[nodiscard]] int VisibleRowCount(int paneHeight, int rowHeight) noexcept;

// What UpdateListScroll does with the first visible row.
enum class ListScrollMode {
    kKeep = 0,               // keep it (limited to the rows there are)
    kSelectionIntoView = 1,  // scroll the selected row into view
    kTop = 2,
    kBottom = 3,
};

// The range the list hands its scroll bar: maximum, position and page (0, 0, 0 when every hit fits).
struct ListScrollRange {
    int maximum = 0;
    int position = 0;
    int page = 0;
    friend bool operator==(const ListScrollRange&, const ListScrollRange&) = default;
};

// Recomputes the first visible row of results for a pane paneHeight pixels high and gives the scroll
// bar's range. When the hits do not fit, the first row stays within 0 … n − r (r visible rows); when
// they fit, it is 0.
ListScrollRange UpdateListScroll(SearchResults& results, ListScrollMode mode, int paneHeight,
                                 int rowHeight) noexcept;

// The first visible row the scroll bar's position stands for (the bar keeps it within its range).
void ScrollListTo(SearchResults& results, int position) noexcept;

// Movements of the selection by the list's keys.
enum class ListMove {
    kPrevious,  // Up: from the first hit to the last
    kNext,      // Down: from the last hit to the first
    kPageUp,    // back by visible rows − 1 (at least one), not before the first
    kPageDown,  // forward by visible rows − 1 (at least one), not past the last
    kFirst,     // Home, Left
    kLast,      // End, Right
};

// The movement of a virtual key pressed in the list, or nothing.
[[nodiscard]] std::optional<ListMove> ListMoveOfKey(unsigned virtualKey) noexcept;

// Moves the selection. False when nothing happens: no hits, or Home/End on the hit already selected.
// The caller then scrolls the selection into view, repaints and goes to the hit's date.
bool MoveSelection(SearchResults& results, ListMove move, int visibleRows) noexcept;

// The hit under a point y pixels below the pane's top, counted from the first visible row, or -1.
[[nodiscard]] int HitTestRow(const SearchResults& results, int y, int rowHeight) noexcept;

// The line drawn under a row: solid when the next row belongs to another year, dotted when it belongs
// to another month of the same year.
enum class RowSeparator { kNone, kSolid, kDotted };
[[nodiscard]] RowSeparator SeparatorBelow(const SearchResults& results, int index) noexcept;

// "YYYY/MM/DD excerpt", the text of a row.
[[nodiscard]] std::u16string ListRowText(const SearchHit& hit);

// Where the keyboard focus is, as far as the search pane is concerned.
enum class SearchFocus { kElsewhere, kBox, kList };

// Whether a key pressed in the search box or the list belongs to that pane before the shortcut keys
// (which bind Home, End, Page Up and Page Down to diary moves by default): in the list its movement
// keys and TAB, in the box the caret keys and the history steps; none while Ctrl or Alt is held.
[[nodiscard]] bool SearchPaneTakesKeyFirst(SearchFocus focus, unsigned virtualKey, bool ctrlOrAlt) noexcept;

// The word a history step puts into the search box: with the box text at history index k, Up takes
// k − 1 and Down k + 1, running round at the ends; a text not in the history gives the oldest word
// for Up and the newest for Down. Nothing with an empty history.
[[nodiscard]] std::optional<std::u16string> HistoryStep(const SearchHistory& history,
                                                        std::u16string_view boxText, bool up);

}  // namespace tavrin
