#include "search/result_list.h"

#include <algorithm>

#include "platform/text.h"
#include "ui/frame_input.h"

namespace tavrin {
namespace {

// The scroll bar's page: visible rows − 1, within 0 … n − 1.
int PageOf(int visibleRows, int count) noexcept { return std::max(std::min(visibleRows - 1, count - 1), 0); }

}  // namespace

int ListRowHeight(int fontHeight) noexcept {
    if (fontHeight <= 0) {
        return kDefaultListRowHeight;
    }
    return std::max(fontHeight + 2, 4);
}

int VisibleRowCount(int paneHeight, int rowHeight) noexcept {
    return rowHeight > 0 && paneHeight > 0 ? paneHeight / rowHeight : 0;
}

ListScrollRange UpdateListScroll(SearchResults& results, ListScrollMode mode, int paneHeight,
                                 int rowHeight) noexcept {
    const int count = results.Count();
    const int rows = VisibleRowCount(paneHeight, rowHeight);
    const int selected = results.selectedIndex;
    int& first = results.firstVisibleRow;
    switch (mode) {
        case ListScrollMode::kKeep:
            break;
        case ListScrollMode::kSelectionIntoView:
            if (selected >= first + rows) {
                first = selected - rows + 1;
            } else if (selected < first) {
                first = selected;
            }
            break;
        case ListScrollMode::kTop:
            first = 0;
            break;
        case ListScrollMode::kBottom:
            first = count;  // limited below
            break;
    }
    const int page = PageOf(rows, count);
    // Compared in 64 bits: a hundred thousand rows of a tall font overflow nothing, but a pane height
    // from a hand-edited layout might.
    const bool fits = static_cast<long long>(paneHeight) >= static_cast<long long>(count) * rowHeight;
    if (fits || count == 0) {
        first = 0;
        return {};
    }
    first = std::clamp(first, 0, count - 1 - page);
    return {count - 1, first, page};
}

void ScrollListTo(SearchResults& results, int position) noexcept {
    results.firstVisibleRow = std::clamp(position, 0, std::max(results.Count() - 1, 0));
}

std::optional<ListMove> ListMoveOfKey(unsigned virtualKey) noexcept {
    switch (virtualKey) {
        case kVirtualKeyUp:
            return ListMove::kPrevious;
        case kVirtualKeyDown:
            return ListMove::kNext;
        case kVirtualKeyPageUp:
            return ListMove::kPageUp;
        case kVirtualKeyPageDown:
            return ListMove::kPageDown;
        case kVirtualKeyHome:
        case kVirtualKeyLeft:
            return ListMove::kFirst;
        case kVirtualKeyEnd:
        case kVirtualKeyRight:
            return ListMove::kLast;
        default:
            return std::nullopt;
    }
}

bool MoveSelection(SearchResults& results, ListMove move, int visibleRows) noexcept {
    const int count = results.Count();
    if (count == 0) {
        return false;
    }
    const int last = count - 1;
    const int current = std::clamp(results.selectedIndex, 0, last);
    // A page is visible rows − 1 so that the row left behind stays in view; one row at the least, so
    // that the keys still move in a list too low for two rows.
    const int page = std::max(visibleRows - 1, 1);
    int next = current;
    switch (move) {
        case ListMove::kPrevious:
            next = current == 0 ? last : current - 1;
            break;
        case ListMove::kNext:
            next = current == last ? 0 : current + 1;
            break;
        case ListMove::kPageUp:
            next = std::max(current - page, 0);
            break;
        case ListMove::kPageDown:
            next = static_cast<int>(std::min<long long>(static_cast<long long>(current) + page, last));
            break;
        case ListMove::kFirst:
            if (results.selectedIndex == 0) {
                return false;
            }
            next = 0;
            break;
        case ListMove::kLast:
            if (results.selectedIndex == last) {
                return false;
            }
            next = last;
            break;
    }
    results.selectedIndex = next;
    return true;
}

int HitTestRow(const SearchResults& results, int y, int rowHeight) noexcept {
    if (y < 0 || rowHeight <= 0) {
        return -1;
    }
    const long long index = static_cast<long long>(results.firstVisibleRow) + y / rowHeight;
    return index < results.Count() ? static_cast<int>(index) : -1;
}

RowSeparator SeparatorBelow(const SearchResults& results, int index) noexcept {
    if (index < 0 || index + 1 >= results.Count()) {
        return RowSeparator::kNone;
    }
    const DiaryDate& here = results.hits[static_cast<std::size_t>(index)].date;
    const DiaryDate& next = results.hits[static_cast<std::size_t>(index) + 1].date;
    if (here.year != next.year) {
        return RowSeparator::kSolid;
    }
    return here.month != next.month ? RowSeparator::kDotted : RowSeparator::kNone;
}

std::u16string ListRowText(const SearchHit& hit) {
    std::u16string text;
    text.reserve(11 + hit.excerpt.size());
    AppendDecimal(text, hit.date.year, 4);
    text.push_back(u'/');
    AppendDecimal(text, hit.date.month, 2);
    text.push_back(u'/');
    AppendDecimal(text, hit.date.day, 2);
    text.push_back(u' ');
    text += hit.excerpt;
    return text;
}

bool SearchPaneTakesKeyFirst(SearchFocus focus, unsigned virtualKey, bool ctrlOrAlt) noexcept {
    if (ctrlOrAlt) {
        return false;
    }
    switch (focus) {
        case SearchFocus::kList:
            return virtualKey == kVirtualKeyTab || ListMoveOfKey(virtualKey).has_value();
        case SearchFocus::kBox:
            return virtualKey == kVirtualKeyHome || virtualKey == kVirtualKeyEnd ||
                   (virtualKey >= kVirtualKeyLeft && virtualKey <= kVirtualKeyDown);
        case SearchFocus::kElsewhere:
            return false;
    }
    return false;
}

std::optional<std::u16string> HistoryStep(const SearchHistory& history, std::u16string_view boxText,
                                          bool up) {
    const int count = std::clamp(history.count, 0, SearchHistory::kCapacity);
    if (count == 0) {
        return std::nullopt;
    }
    const auto begin = history.words.begin();
    const auto found = std::find(begin, begin + count, boxText);
    int index = 0;
    if (found == begin + count) {
        index = up ? count - 1 : 0;
    } else {
        const int at = static_cast<int>(found - begin);
        index = up ? (at == 0 ? count - 1 : at - 1) : (at + 1 == count ? 0 : at + 1);
    }
    return history.words[static_cast<std::size_t>(index)];
}

}  // namespace tavrin
