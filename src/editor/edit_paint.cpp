// What painting needs from the layout: the visible rows, where glyphs go and which are links.
#include <algorithm>

#include "editor/edit_state.h"

namespace tavrin {

std::pair<int, int> EditState::VisibleRows() const noexcept {
    if (rows_.empty()) {
        return {0, -1};
    }
    // Rows that end above the window are skipped; the first row whose top is at or below the
    // client height ends the walk.
    const auto first =
        std::upper_bound(rows_.begin(), rows_.end(), scrollOffset_,
                         [](int offset, const RowRecord& row) { return offset < row.top + row.height; });
    const long long bottom = static_cast<long long>(scrollOffset_) + clientHeight_;
    const auto end = std::lower_bound(first, rows_.end(), bottom,
                                      [](const RowRecord& row, long long limit) { return row.top < limit; });
    return {static_cast<int>(first - rows_.begin()), static_cast<int>(end - rows_.begin()) - 1};
}

int EditState::RowTextY(int row) const noexcept {
    if (row < 0 || row >= RowCount()) {
        return 0;
    }
    const RowRecord& record = rows_[static_cast<std::size_t>(row)];
    const bool heading = record.kind == RowKind::Heading;
    const int lineHeight = heading ? fonts_.HeadingLineHeight() : fonts_.NormalLineHeight();
    int y = RowTopClient(row) + record.height - lineHeight - style_.lineSpacing / 2;
    if (heading) {
        y -= style_.headingPadBottom;
    }
    return y;
}

const std::vector<LinkSpan>& EditState::LineLinks(int lineStart) {
    lineStart = std::clamp(lineStart, 0, Length());
    if (linksVersion_ != textVersion_ || linksLineStart_ != lineStart) {
        const int lineEnd = LineEndOf(lineStart);
        lineLinks_ = FindLinksInLine(std::u16string_view(text_).substr(
            static_cast<std::size_t>(lineStart), static_cast<std::size_t>(lineEnd - lineStart)));
        for (LinkSpan& link : lineLinks_) {
            link.start += lineStart;
        }
        linksVersion_ = textVersion_;
        linksLineStart_ = lineStart;
    }
    return lineLinks_;
}

std::vector<RowCell> EditState::RowCells(int row) {
    std::vector<RowCell> cells;
    if (row < 0 || row >= RowCount() || IsObjectRow(rows_[static_cast<std::size_t>(row)].kind)) {
        return cells;
    }
    const RowRecord record = rows_[static_cast<std::size_t>(row)];
    const bool heading = record.kind == RowKind::Heading;
    const std::vector<LinkSpan> links = heading ? std::vector<LinkSpan>{} : LineLinks(record.paragraphStart);
    auto link =
        std::lower_bound(links.begin(), links.end(), record.offset,
                         [](const LinkSpan& span, int offset) { return span.start + span.length <= offset; });
    cells.reserve(static_cast<std::size_t>(record.charCount));
    int x = 0;
    int pos = record.offset;
    while (pos < record.End()) {
        RowCell cell;
        cell.offset = pos;
        cell.x = style_.marginLeft + x;
        const char16_t c = text_[static_cast<std::size_t>(pos)];
        if (pos == record.offset && RowStartsWithMark(row)) {
            cell.kind = CellKind::HeadingMark;
        } else if (c == u'\t') {
            cell.kind = CellKind::Tab;
            cell.width = TabWidth(x, fonts_.TabUnit(), style_.tabStop);
        } else {
            cell.width = fonts_.CharWidth(text_, static_cast<std::size_t>(pos), heading, cell.units);
            cell.kind = cell.units == 2     ? CellKind::Pair
                        : IsBoxedControl(c) ? CellKind::Control
                                            : CellKind::Text;
        }
        while (link != links.end() && link->start + link->length <= pos) {
            ++link;
        }
        if (link != links.end() && link->start <= pos) {
            cell.link = link->kind;
        }
        cells.push_back(cell);
        x += cell.width;
        pos += cell.units;
    }
    return cells;
}

}  // namespace tavrin
