#pragma once
// The SearchListPane window: the search results, one row per hit, with its own ScrollBarPane along the
// right edge. It paints only the rows in view, moves the selection with the keyboard, mouse and wheel,
// and tells its parent what the user did as WM_COMMAND notifications (the pane's id, a code below and
// the pane's handle); the parent moves the diary. A context-menu request goes to the parent as
// WM_CONTEXTMENU with the pane as its window and the point where the menu belongs (never -1). Like a
// list box it answers LB_GETCOUNT, LB_GETCURSEL, LB_GETTOPINDEX and LB_GETITEMHEIGHT.

#include <windows.h>

#include "app/app_state.h"
#include "search/full_text_search.h"
#include "search/result_list.h"
#include "ui/surface_win.h"

namespace tavrin {

inline constexpr wchar_t kSearchListPaneClassName[] = L"SearchListPane";
inline constexpr int kSearchListScrollBarId = 1;
// The scroll bar's width and the row texts' left margin at 96 DPI.
inline constexpr int kSearchListScrollBarWidth = 16;
inline constexpr int kSearchListLeftMargin = 6;

// Notification codes.
inline constexpr WORD kSearchListSelected = 1;  // the selection moved: go to its hit, editor not focused
inline constexpr WORD kSearchListOpened = 2;    // double click: go to the selected hit, editor focused
inline constexpr WORD kSearchListTab = 3;       // TAB: the editor takes the focus

// What the pane shows: the results it scrolls and selects in, and the settings it is painted with.
// Both outlive the pane.
struct SearchListSource {
    SearchResults* results = nullptr;
    const AppState* app = nullptr;
};

// Registers the class (double clicks, arrow cursor, no background brush). True when registered or
// already there.
[[nodiscard]] bool RegisterSearchListPaneClass(HINSTANCE instance);

// Creates the pane as a child (hidden until the parent places it) with its scroll bar. Its font is set
// with WM_SETFONT; the row height follows it.
[[nodiscard]] HWND CreateSearchListPane(HWND parent, int id, const SearchListSource& source);

// After the results or the pane's size changed: recomputes the first visible row, hands the range to
// the scroll bar and repaints.
void RefreshSearchList(HWND pane, ListScrollMode mode);

// Paints the pane now when it needs it (after a search, before the diary moves on).
void PaintSearchListNow(HWND pane);

// Gives the scroll bar the current Back and Text colours and AlphaLight, and repaints (after the
// settings changed).
void ApplySearchListStyle(HWND pane);

// The frame's background picture behind the pane: the picture (the frame's, which outlives the pane's
// use of it; nullptr for none) and where its top-left corner lies in the pane's client coordinates.
// The pane draws the part of it behind the rows, so the picture runs on behind the list.
void SetSearchListBackground(HWND pane, const Surface* picture, POINT origin);

}  // namespace tavrin
