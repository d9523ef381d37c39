// Layout of the row table (whole text or the lines an edit touched), object rows, the position
// mappings and style changes.
#include <algorithm>
#include <new>

#include "editor/edit_state.h"

namespace tavrin {
namespace {

// Content heights saturate here: row tops stay ordered and sums cannot overflow.
constexpr int kMaxContentHeight = 1 << 30;
constexpr int kMaxPictureSide = 1 << 15;

int SaturatingAdd(int a, int b) noexcept {
    return static_cast<int>(std::min<long long>(static_cast<long long>(a) + b, kMaxContentHeight));
}

}  // namespace

// --- Style ----------------------------------------------------------------------------------------

void EditState::RebuildFonts() {
    fonts_.Rebuild(
        FontSizes{style_.face, style_.fontSize, style_.HeadingPoints(), style_.SmallPoints(), dpi_});
}

void EditState::ScaleStyle() { style_ = ScaledEditorStyle(given_, dpi_); }

void EditState::SetDpi(int dpi) {
    dpi = dpi < 1 ? kBaseDpi : dpi;
    if (dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    ScaleStyle();
    RebuildFonts();
    // Pictures keep their pixels; only the size they are shown at changes, which the layout decides.
    LayoutAll();
    UpdateScrollRange();
    Invalidate();
}

ObjectPadding EditState::ObjectPad() const noexcept {
    return {Px(kObjectPadLeft), Px(kObjectPadTop), Px(kObjectPadRight), Px(kObjectPadBottom)};
}

PictureSize EditState::ShownPictureSize(const PictureSize& loaded) const noexcept {
    if (loaded.width <= 0 || loaded.height <= 0) {
        return {Px(kPlaceholderWidth), Px(kPlaceholderHeight)};
    }
    return {Px(loaded.width), Px(loaded.height)};
}

void EditState::Resize(int clientWidth, int clientHeight) {
    clientWidth_ = std::clamp(clientWidth, 0, 1 << 20);
    clientHeight_ = std::clamp(clientHeight, 0, 1 << 20);
    LayoutAll();
    UpdateScrollRange();
    Invalidate();
}

bool EditState::SetStyle(const DisplayStyle* record) {
    if (record == nullptr) {
        return false;
    }
    ApplyDisplayStyle(*record, given_);
    ScaleStyle();
    media_.StopPlayback(false);
    RebuildFonts();
    LayoutAll();
    UpdateScrollRange();
    Invalidate();
    return true;
}

bool EditState::SetFont(std::u16string_view face, int points) {
    given_.face = std::u16string(face.substr(0, 63));
    given_.fontSize = ClampFontSize(points);
    ScaleStyle();
    RebuildFonts();
    LayoutAll();
    UpdateScrollRange();
    Invalidate();
    return true;
}

bool EditState::SetLineSpacing(int pixels) {
    const int spacing = ClampLineSpacing(pixels);
    if (spacing != given_.lineSpacing) {
        given_.lineSpacing = spacing;
        ScaleStyle();
        RebuildFonts();
        LayoutAll();
        UpdateScrollRange();
        Invalidate();
    }
    return true;
}

bool EditState::SetWordWrap(bool wordWrap) {
    if (wordWrap != given_.wordWrap) {
        given_.wordWrap = wordWrap;
        ScaleStyle();
        layoutStale_ = true;
    }
    return true;
}

bool EditState::SetTitleLine(bool titleLine, bool relayoutNow) {
    if (titleLine != given_.titleLine) {
        given_.titleLine = titleLine;
        ScaleStyle();
        layoutStale_ = true;
    }
    if (relayoutNow) {
        LayoutAll();
        UpdateScrollRange();
        Invalidate();
    }
    return true;
}

bool EditState::SetTabStops(std::int64_t count, std::int64_t value) {
    const std::int64_t tabStop = count == 0 ? 4 : value;
    if (tabStop < 1) {
        return false;
    }
    const int clamped = ClampTabStop(tabStop);
    if (clamped != given_.tabStop) {
        given_.tabStop = clamped;
        ScaleStyle();
        LayoutAll();
        UpdateScrollRange();
        Invalidate();
    }
    return true;
}

// --- Layout ---------------------------------------------------------------------------------------

int EditState::AvailableWidth() const noexcept {
    return clientWidth_ - ScrollBarWidth() - style_.marginLeft - style_.marginRight;
}

LineMetrics EditState::Metrics() const noexcept {
    LineMetrics metrics;
    metrics.availableWidth = AvailableWidth();
    metrics.wordWrap = style_.wordWrap;
    metrics.titleLine = style_.titleLine;
    metrics.tabStop = style_.tabStop;
    metrics.lineSpacing = style_.lineSpacing;
    metrics.headingPadTop = style_.headingPadTop;
    metrics.headingPadBottom = style_.headingPadBottom;
    metrics.minRowWidth = Px(kMinLayoutWidth);
    return metrics;
}

void EditState::LayoutAll() {
    rows_.clear();
    paragraphCount_ = 0;
    try {
        paragraphCount_ = LayoutLines(text_, 0, -1, 1, Metrics(), fonts_, rows_);
        FinishObjects();
        layoutStale_ = false;
    } catch (const std::bad_alloc&) {
        // Without memory for the rows the editor shows nothing; the next layout tries again.
        rows_.clear();
        paragraphCount_ = 0;
        layoutStale_ = true;
    }
    RecomputeTops(0);
}

void EditState::RelayoutEdit(int at, int removed, int inserted) {
    if (layoutStale_ || rows_.empty() || text_.empty()) {
        LayoutAll();
        return;
    }
    // The old rows still describe the old text: find the logical lines the edit touched there.
    int first = RowOfOffset(at);
    while (first > 0 && rows_[first].isContinuation) {
        --first;
    }
    int last = RowOfOffset(at + removed);
    while (last + 1 < RowCount() && rows_[last].wrapsOn) {
        ++last;
    }
    const bool throughEnd = last + 1 == RowCount();
    const int delta = inserted - removed;
    const int oldLines = rows_[last].paragraphNumber - rows_[first].paragraphNumber + 1;
    bool objects = std::any_of(rows_.begin() + first, rows_.begin() + last + 1,
                               [](const RowRecord& row) { return IsObjectRow(row.kind); });
    try {
        std::vector<RowRecord> fresh;
        const int lines =
            LayoutLines(text_, rows_[first].offset, throughEnd ? -1 : rows_[last].Next() + delta,
                        rows_[first].paragraphNumber, Metrics(), fonts_, fresh);
        objects = objects || std::any_of(fresh.begin(), fresh.end(),
                                         [](const RowRecord& row) { return IsObjectRow(row.kind); });
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        rows_.insert(rows_.begin() + first, fresh.begin(), fresh.end());
        const int lineDelta = lines - oldLines;
        for (auto row = rows_.begin() + first + static_cast<std::ptrdiff_t>(fresh.size()); row != rows_.end();
             ++row) {
            row->offset += delta;
            row->paragraphStart += delta;
            row->paragraphNumber += lineDelta;
        }
        paragraphCount_ += lineDelta;
        if (objects) {
            FinishObjects();
        }
    } catch (const std::bad_alloc&) {
        LayoutAll();
        return;
    }
    RecomputeTops(first);
}

void EditState::FinishObjects() {
    int pictureCount = 0;
    int mediaCount = 0;
    for (RowRecord& row : rows_) {
        if (row.kind == RowKind::Picture) {
            row.objectIndex = pictureCount++;
        } else if (row.kind == RowKind::Sound || row.kind == RowKind::Movie) {
            row.objectIndex = mediaCount++;
        } else {
            row.objectIndex = -1;
            continue;
        }
        if (row.kind != RowKind::Picture) {
            SizeObjectRow(row);
            continue;
        }
        // Held pictures are reused while the reference at their index names the same file, so an
        // edit elsewhere never reloads them and a renamed reference never shows the old picture.
        const auto index = static_cast<std::size_t>(row.objectIndex);
        const std::u16string_view name(text_.data() + row.offset + 2,
                                       static_cast<std::size_t>(row.charCount - 4));
        if (index >= pictures_.size() || pictures_[index].name != name) {
            HeldPicture held{std::u16string(name), {}};
            if (row.charCount < kMaxLoadableReference && pictureHost_ != nullptr) {
                const PictureSize size = pictureHost_->LoadPicture(row.objectIndex, name);
                held.size = {std::clamp(size.width, 0, kMaxPictureSide),
                             std::clamp(size.height, 0, kMaxPictureSide)};
            }
            if (index < pictures_.size()) {
                pictures_[index] = std::move(held);
            } else {
                pictures_.push_back(std::move(held));
            }
        }
        SizeObjectRow(row);
    }
    if (static_cast<int>(pictures_.size()) > pictureCount) {
        pictures_.resize(static_cast<std::size_t>(pictureCount));
        if (pictureHost_ != nullptr) {
            pictureHost_->ReleasePictures(pictureCount);
        }
    }
}

void EditState::SizeObjectRow(RowRecord& row) {
    const int available = AvailableWidth();
    const int minimum = Px(kMinLayoutWidth);
    const int wide = std::max(available, minimum);
    const ObjectPadding pad = ObjectPad();
    const int padX = pad.left + pad.right;
    const int padY = pad.top + pad.bottom;
    long long height = 0;
    if (row.kind == RowKind::Picture) {
        const PictureSize size = ShownPictureSize(pictures_[static_cast<std::size_t>(row.objectIndex)].size);
        if (wide < size.width + padX) {
            row.width = wide;
            height =
                static_cast<long long>(static_cast<double>(wide - padX) / size.width * size.height) + padY;
        } else {
            row.width = size.width + padX;
            height = size.height + padY;
        }
    } else {
        row.width = std::max(minimum, available + padX);
        if (row.kind == RowKind::Sound) {
            height = fonts_.MediaBarHeight() + padY;
        } else {
            height = static_cast<long long>(row.width / 16.0 * 9) + fonts_.MediaBarHeight();
        }
    }
    row.height = static_cast<int>(std::clamp<long long>(height, 1, kMaxContentHeight));
}

void EditState::RecomputeTops(int fromRow) {
    int top = style_.marginTop;
    if (fromRow > 0 && fromRow <= RowCount()) {
        const RowRecord& previous = rows_[fromRow - 1];
        top = SaturatingAdd(previous.top, previous.height);
    } else {
        fromRow = 0;
    }
    for (auto row = rows_.begin() + fromRow; row != rows_.end(); ++row) {
        row->top = top;
        top = SaturatingAdd(top, row->height);
    }
    contentHeight_ = SaturatingAdd(rows_.empty() ? style_.marginTop : top, style_.marginBottom);
}

bool EditState::RowStartsWithMark(int row) const noexcept {
    if (row < 0 || row >= RowCount()) {
        return false;
    }
    const RowRecord& record = rows_[row];
    return record.kind == RowKind::Heading && !record.isContinuation && record.charCount > 0 &&
           text_[record.offset] == u'*';
}

// --- Positions ------------------------------------------------------------------------------------

int EditState::RowOfOffset(int offset) const noexcept {
    if (rows_.empty()) {
        return -1;
    }
    const auto found = std::upper_bound(rows_.begin(), rows_.end(), offset,
                                        [](int value, const RowRecord& row) { return value < row.Next(); });
    return found == rows_.end() ? RowCount() - 1 : static_cast<int>(found - rows_.begin());
}

int EditState::LineIndex(std::int64_t row) const noexcept {
    if (row == -1) {
        row = std::max(0, CaretRow());
    }
    if (row < 0 || row >= RowCount()) {
        return -1;
    }
    return rows_[static_cast<std::size_t>(row)].offset;
}

int EditState::CharWidthAt(int offset, bool heading, int& units) {
    return fonts_.CharWidth(text_, static_cast<std::size_t>(std::max(0, offset)), heading, units);
}

int EditState::RowX(int row, int offset) {
    const RowRecord& record = rows_[static_cast<std::size_t>(row)];
    if (offset <= record.offset) {
        return style_.marginLeft;
    }
    if (IsObjectRow(record.kind)) {
        return style_.marginLeft + record.width;
    }
    const bool heading = record.kind == RowKind::Heading;
    const int end = std::min(offset, record.End());
    int pos = record.offset + (RowStartsWithMark(row) ? 1 : 0);
    int x = 0;
    while (pos < end) {
        int units = 1;
        x += text_[pos] == u'\t' ? TabWidth(x, fonts_.TabUnit(), style_.tabStop)
                                 : fonts_.CharWidth(text_, static_cast<std::size_t>(pos), heading, units);
        pos += units;
    }
    return style_.marginLeft + x;
}

EditorPoint EditState::OffsetToPoint(int offset) {
    if (rows_.empty()) {
        return {style_.marginLeft, style_.marginTop - scrollOffset_};
    }
    offset = std::clamp(offset, 0, Length());
    const int row = RowOfOffset(offset);
    return {RowX(row, offset), rows_[row].top - scrollOffset_};
}

int EditState::OffsetInRow(int row, long long dx, bool rounding) {
    const RowRecord& record = rows_[static_cast<std::size_t>(row)];
    const bool heading = record.kind == RowKind::Heading;
    int pos = record.offset + (RowStartsWithMark(row) ? 1 : 0);
    int cx = 0;
    while (pos < record.End()) {
        int units = 1;
        const int width = text_[pos] == u'\t'
                              ? TabWidth(cx, fonts_.TabUnit(), style_.tabStop)
                              : fonts_.CharWidth(text_, static_cast<std::size_t>(pos), heading, units);
        if (dx < cx + width) {
            return pos + ((rounding && 2 * (dx - cx) > width) ? units : 0);
        }
        cx += width;
        pos += units;
    }
    return record.End();
}

PointHit EditState::PointToOffset(int x, int y, bool rounding) {
    PointHit hit;
    if (rows_.empty()) {
        return hit;
    }
    const long long contentY = static_cast<long long>(y) + scrollOffset_;
    if (contentY < rows_.front().top) {
        return hit;
    }
    const RowRecord& lastRow = rows_.back();
    if (contentY >= static_cast<long long>(lastRow.top) + lastRow.height) {
        hit.offset = lastRow.End();
        return hit;
    }
    const auto found =
        std::upper_bound(rows_.begin(), rows_.end(), contentY,
                         [](long long value, const RowRecord& row) { return value < row.top; });
    const int row = static_cast<int>(found - rows_.begin()) - 1;
    const RowRecord& record = rows_[static_cast<std::size_t>(row)];
    const long long dx = static_cast<long long>(x) - style_.marginLeft;
    if (dx <= 0) {
        hit.offset = record.offset + (RowStartsWithMark(row) ? 1 : 0);
    } else if (IsObjectRow(record.kind)) {
        if (dx < record.width) {
            hit.objectHit = record.kind == RowKind::Picture ? kHitPicture
                            : record.kind == RowKind::Sound ? kHitSound
                                                            : kHitMovie;
        }
        hit.objectIndex = record.objectIndex;
        hit.offset = 2 * dx < record.width ? record.offset : record.End();
    } else {
        hit.offset = OffsetInRow(row, dx, rounding);
    }
    hit.atRowEnd = record.wrapsOn && hit.offset == record.End();
    return hit;
}

// --- Caret rows and placement ----------------------------------------------------------------------

int EditState::CaretRow() const noexcept { return std::max(0, RowOfOffset(caret_)); }
int EditState::AnchorRow() const noexcept { return std::max(0, RowOfOffset(anchor_)); }

int EditState::CaretColumn() const noexcept {
    const int row = RowOfOffset(caret_);
    if (row < 0) {
        return 0;
    }
    const RowRecord& record = rows_[row];
    if (IsObjectRow(record.kind)) {
        return caret_ != record.offset ? 1 : 0;
    }
    const int column = caret_ - record.offset;
    return row == 0 && RowStartsWithMark(0) ? std::max(0, column - 1) : column;
}

int EditState::AnchorColumn() const noexcept {
    const int row = RowOfOffset(anchor_);
    if (row < 0) {
        return 0;
    }
    const RowRecord& record = rows_[row];
    if (IsObjectRow(record.kind)) {
        return anchor_ != record.offset ? 1 : 0;
    }
    const int column = anchor_ - record.offset;
    return row == 0 && RowStartsWithMark(0) ? std::max(0, column - 1) : column;
}

int EditState::CaretVisualRow() const noexcept {
    const int row = RowOfOffset(caret_);
    if (row < 0) {
        return 0;
    }
    if (caretAtRowEnd_ && row > 0 && rows_[row - 1].wrapsOn && caret_ == rows_[row].offset) {
        return row - 1;
    }
    return row;
}

int EditState::RowTopClient(int row) const noexcept {
    return rows_[static_cast<std::size_t>(row)].top - scrollOffset_;
}

CaretPlacement EditState::CaretPlace() {
    if (rows_.empty()) {
        const int height = style_.titleLine ? fonts_.HeadingLineHeight() : fonts_.NormalLineHeight();
        return {style_.marginLeft, style_.marginTop, std::max(1, height + style_.lineSpacing)};
    }
    const int row = CaretVisualRow();
    const RowRecord& record = rows_[static_cast<std::size_t>(row)];
    const int top = RowTopClient(row);
    if (static_cast<long long>(top) + record.height <= 0 || top >= clientHeight_) {
        return {-100, -100, record.height};
    }
    return {CaretX(), top, record.height};
}

int EditState::CaretX() {
    if (rows_.empty()) {
        return style_.marginLeft;
    }
    const int row = CaretVisualRow();
    return row != RowOfOffset(caret_) ? RowX(row, rows_[static_cast<std::size_t>(row)].End())
                                      : RowX(row, caret_);
}

int EditState::GetCaretPos(EditorPoint* point) {
    const CaretPlacement place = CaretPlace();
    if (point != nullptr) {
        *point = place.x == -100 && place.y == -100 ? EditorPoint{0, 0} : EditorPoint{place.x, place.y};
    }
    return place.height;
}

// --- Scrolling ------------------------------------------------------------------------------------

ScrollBarState EditState::ScrollBar() const noexcept {
    if (clientHeight_ < contentHeight_) {
        return {contentHeight_, scrollOffset_, clientHeight_};
    }
    return {};
}

void EditState::NotifyScroll() {
    if (observer_ != nullptr) {
        observer_->ScrollChanged(ScrollBar());
    }
    media_.PlaceMovie();
}

void EditState::UpdateScrollRange() {
    scrollMaximum_ = clientHeight_ < contentHeight_ ? contentHeight_ - clientHeight_ : 0;
    scrollOffset_ = std::clamp(scrollOffset_, 0, scrollMaximum_);
    NotifyScroll();
}

bool EditState::ScrollCaretIntoView() {
    if (rows_.empty()) {
        scrollOffset_ = 0;
        NotifyScroll();
        return true;
    }
    const RowRecord& row = rows_[static_cast<std::size_t>(CaretVisualRow())];
    const long long top = row.top;
    const long long bottom = top + row.height;
    if (IsObjectRow(row.kind) && bottom - scrollOffset_ > style_.marginTop &&
        top - scrollOffset_ < clientHeight_ - style_.marginBottom) {
        return false;
    }
    long long offset = scrollOffset_;
    if (top < scrollOffset_) {
        offset = std::max<long long>(0, top - style_.marginTop);
    } else if (static_cast<long long>(scrollOffset_) + clientHeight_ < bottom) {
        offset = std::min<long long>(scrollMaximum_, bottom + style_.marginBottom - clientHeight_);
    }
    offset = std::clamp<long long>(offset, 0, scrollMaximum_);
    if (offset == scrollOffset_) {
        return false;
    }
    scrollOffset_ = static_cast<int>(offset);
    NotifyScroll();
    Invalidate();
    return true;
}

void EditState::Scroll(ScrollCode code, int thumb) {
    const long long unit = std::max(1, fonts_.NormalLineHeight() + style_.lineSpacing);
    long long offset = scrollOffset_;
    switch (code) {
        case ScrollCode::LineUp:
            offset -= unit;
            break;
        case ScrollCode::LineDown:
            offset += unit;
            break;
        case ScrollCode::PageUp:
            offset -= clientHeight_;
            break;
        case ScrollCode::PageDown:
            offset += clientHeight_;
            break;
        case ScrollCode::ThumbPosition:
        case ScrollCode::ThumbTrack:
            offset = thumb;
            break;
        case ScrollCode::Top:
            offset = 0;
            break;
        case ScrollCode::Bottom:
            offset = scrollMaximum_;
            break;
        case ScrollCode::EndScroll:
            break;
    }
    offset = std::clamp<long long>(offset, 0, scrollMaximum_);
    if (offset != scrollOffset_) {
        scrollOffset_ = static_cast<int>(offset);
        NotifyScroll();
        Invalidate();
    }
}

bool EditState::LineScroll(std::int64_t lines) {
    const long long unit = std::max(1, fonts_.NormalLineHeight() + style_.lineSpacing);
    const long long step = std::clamp<std::int64_t>(lines, -kMaxContentHeight, kMaxContentHeight) * unit;
    scrollOffset_ = static_cast<int>(std::clamp<long long>(scrollOffset_ + step, 0, scrollMaximum_));
    NotifyScroll();
    Invalidate();
    return true;
}

WheelSteps EditState::Wheel(int delta, bool alt) const noexcept {
    if (style_.scrollLines < 1) {
        return {ScrollCode::LineDown, 0};
    }
    return {delta > 0 ? ScrollCode::LineUp : ScrollCode::LineDown, alt ? 1 : style_.scrollLines};
}

}  // namespace tavrin
