// Caret movement, Backspace and Delete, typed characters and the key table.
#include <algorithm>

#include "editor/edit_state.h"

namespace tavrin {
namespace {

bool PairBefore(std::u16string_view text, int pos) noexcept {
    return pos >= 2 && IsLowSurrogate(text[pos - 1]) && IsHighSurrogate(text[pos - 2]);
}

bool PairAt(std::u16string_view text, int pos) noexcept {
    return pos + 1 < static_cast<int>(text.size()) && IsHighSurrogate(text[pos]) &&
           IsLowSurrogate(text[pos + 1]);
}

}  // namespace

void EditState::PlaceCaret(int caret, bool extend, bool atRowEnd) {
    caret_ = std::clamp(caret, 0, Length());
    if (!extend) {
        anchor_ = caret_;
    }
    caretAtRowEnd_ = atRowEnd;
}

void EditState::FinishMove(bool scroll) {
    if (!scroll || !ScrollCaretIntoView()) {
        Invalidate();
    }
}

int EditState::LineStartOf(int offset) const noexcept {
    offset = std::clamp(offset, 0, Length());
    const std::size_t lf =
        offset == 0 ? std::u16string::npos : text_.rfind(u'\n', static_cast<std::size_t>(offset - 1));
    return lf == std::u16string::npos ? 0 : static_cast<int>(lf) + 1;
}

int EditState::LineEndOf(int offset) const noexcept {
    offset = std::clamp(offset, 0, Length());
    const std::size_t lf = text_.find(u'\n', static_cast<std::size_t>(offset));
    return lf == std::u16string::npos ? Length() : static_cast<int>(lf);
}

void EditState::MoveRight(bool byWord, bool extend) {
    goalX_ = 0;
    const int length = Length();
    int next = caret_;
    if (caret_ < length && !rows_.empty()) {
        const RowRecord& row = rows_[static_cast<std::size_t>(CaretRow())];
        if (caret_ == 0 && text_[0] == u'*') {
            next = std::min(2, length);  // behind the first visible character of a heading
        } else if (text_[caret_] == u'\n') {
            next = caret_ + 1;
            if (next < length && text_[next] == u'*') {
                ++next;
            }
        } else if (IsObjectRow(row.kind)) {
            next = row.End();
        } else if (byWord) {
            next = WordAt(text_, caret_).end;
        } else {
            next = caret_ + (PairAt(text_, caret_) ? 2 : 1);
        }
    }
    PlaceCaret(next, extend);
    FinishMove();
}

void EditState::MoveLeft(bool byWord, bool extend) {
    goalX_ = 0;
    int next = caret_;
    if (caret_ > 0 && !rows_.empty()) {
        const int rowIndex = CaretRow();
        const RowRecord& row = rows_[static_cast<std::size_t>(rowIndex)];
        const int column = caret_ - row.offset;
        if (rowIndex > 0 && row.kind == RowKind::Heading && !row.isContinuation && row.charCount > 0 &&
            text_[row.offset] == u'*' && column <= 1) {
            next = row.offset - 1;  // in front of the previous line's LF
        } else if (IsObjectRow(row.kind)) {
            next = caret_ > row.offset ? row.offset : row.offset - 1;
        } else if (byWord && caret_ != row.offset) {
            const TextRange word = WordAt(text_, caret_);
            next = word.start < caret_ ? word.start : WordAt(text_, caret_ - 1).start;
        } else {
            next = caret_ - (PairBefore(text_, caret_) ? 2 : 1);
        }
    }
    PlaceCaret(next, extend);
    FinishMove();
}

void EditState::MoveUp(bool extend) {
    if (rows_.empty()) {
        PlaceCaret(0, extend);
        FinishMove();
        return;
    }
    const int row = CaretVisualRow();
    if (goalX_ == 0) {
        goalX_ = CaretX();
    }
    if (row == 0) {
        PlaceCaret(0, extend);
        goalX_ = 0;
    } else {
        const PointHit hit = PointToOffset(goalX_, RowTopClient(row) - 1, true);
        PlaceCaret(hit.offset, extend, hit.atRowEnd);
    }
    FinishMove();
}

void EditState::MoveDown(bool extend) {
    if (rows_.empty()) {
        PlaceCaret(0, extend);
        FinishMove();
        return;
    }
    const int row = CaretVisualRow();
    if (goalX_ == 0) {
        goalX_ = CaretX();
    }
    if (row + 1 >= RowCount()) {
        PlaceCaret(Length(), extend);
        goalX_ = OffsetToPoint(caret_).x;
    } else {
        const RowRecord& record = rows_[static_cast<std::size_t>(row)];
        const PointHit hit = PointToOffset(goalX_, RowTopClient(row) + record.height + 1, true);
        PlaceCaret(hit.offset, extend, hit.atRowEnd);
    }
    FinishMove();
}

void EditState::MoveHome(bool toTextStart, bool extend) {
    const int target =
        toTextStart || rows_.empty() ? 0 : rows_[static_cast<std::size_t>(CaretVisualRow())].offset;
    PlaceCaret(target, extend);
    goalX_ = OffsetToPoint(caret_).x;
    FinishMove();
}

void EditState::MoveEnd(bool toTextEnd, bool extend) {
    if (toTextEnd || rows_.empty()) {
        PlaceCaret(Length(), extend);
        goalX_ = OffsetToPoint(caret_).x;
    } else {
        const int row = CaretVisualRow();
        const RowRecord& record = rows_[static_cast<std::size_t>(row)];
        // The end of a wrapping row is the next row's start; the caret stays drawn on this row, so a
        // second End does not walk down the paragraph.
        PlaceCaret(record.End(), extend, record.wrapsOn);
        goalX_ = RowX(row, record.End());
    }
    FinishMove();
}

void EditState::MovePage(bool down, bool extend) {
    if (rows_.empty()) {
        PlaceCaret(0, extend);
        FinishMove();
        return;
    }
    const int row = CaretVisualRow();
    const int x = CaretX();
    const int y = RowTopClient(row);
    goalX_ = x;
    const int lineHeight = fonts_.NormalLineHeight();
    const int unit = std::max(1, lineHeight + style_.lineSpacing);
    const int margins = style_.marginTop + style_.marginBottom;
    const long long target =
        down ? static_cast<long long>(y) + clientHeight_ - lineHeight - margins - style_.lineSpacing
             : static_cast<long long>(y) - clientHeight_ + 2LL * unit + margins;
    const int clampedTarget = static_cast<int>(std::clamp<long long>(target, -(1LL << 30), 1LL << 30));
    int next = PointToOffset(x, clampedTarget, true).offset;
    const int nextAnchor = extend ? anchor_ : next;
    if (next == caret_ && nextAnchor == anchor_) {
        if (down && caret_ < Length()) {
            next = row + 1 < RowCount() ? rows_[static_cast<std::size_t>(row) + 1].offset : Length();
        } else if (!down && caret_ > 0) {
            next = row > 0 ? rows_[static_cast<std::size_t>(row) - 1].offset : 0;
        }
    }
    const bool wasVisible = y >= style_.marginTop && y <= clientHeight_ - style_.marginBottom;
    PlaceCaret(next, extend);
    goalX_ = x;
    if (!wasVisible) {
        FinishMove();
        return;
    }
    // A view too short for two rows must not scroll against the key's direction.
    const long long step = static_cast<long long>(unit) * std::max(0, (clientHeight_ - margins) / unit - 1);
    const long long offset = std::clamp<long long>(scrollOffset_ + (down ? step : -step), 0, scrollMaximum_);
    if (offset != scrollOffset_) {
        scrollOffset_ = static_cast<int>(offset);
        NotifyScroll();
    }
    Invalidate();
}

bool EditState::Backspace(bool byWord) {
    if (readOnly_ || rows_.empty()) {
        return false;
    }
    const Selection before{anchor_, caret_};
    if (anchor_ != caret_) {
        const int start = SelectionStart();
        return DeleteRange(start, SelectionEnd(), kUndoDeleteBack, before, {start, start});
    }
    if (caret_ == 0) {
        return false;
    }
    int at = caret_;
    const RowRecord& row = rows_[static_cast<std::size_t>(CaretRow())];
    if (row.kind == RowKind::Heading && !row.isContinuation && at == row.offset && text_[at] == u'*') {
        at = row.offset + 1;  // Backspace at the visual start of a heading removes its mark
    }
    int from = at - (PairBefore(text_, at) ? 2 : 1);
    if (byWord && at != row.offset) {
        const TextRange word = WordAt(text_, at);
        from = word.start < at ? word.start : WordAt(text_, at - 1).start;
    }
    return DeleteRange(from, at, kUndoDeleteBack, before, {from, from});
}

bool EditState::ForwardDelete(bool byWord) {
    if (readOnly_ || rows_.empty()) {
        return false;
    }
    const Selection before{anchor_, caret_};
    if (anchor_ != caret_) {
        const int start = SelectionStart();
        return DeleteRange(start, SelectionEnd(), kUndoDeleteBack, before, {start, start});
    }
    if (caret_ >= Length()) {
        return false;
    }
    if (caret_ == 0 && RowStartsWithMark(0)) {
        caret_ = anchor_ = 1;
    }
    const int at = caret_;
    if (at >= Length()) {
        Invalidate();
        return false;
    }
    int to = at + (PairAt(text_, at) ? 2 : 1);
    if (byWord) {
        to = std::max(at + 1, WordAt(text_, at).end);
    }
    return DeleteRange(at, to, kUndoDeleteForward, before, {at, at});
}

bool EditState::Char(char16_t c, bool shift, bool ctrl) {
    if (readOnly_ || ctrl || c == 0x08 || c == 0x1B) {
        return false;
    }
    if (c == u'\t' && IndentBlock(shift)) {
        return true;
    }
    const char16_t typed = c == u'\r' ? u'\n' : c;
    return ReplaceSelectionTyped(std::u16string_view(&typed, 1));
}

bool EditState::MovementKey(EditorKey key, bool shift, bool ctrl) {
    switch (key) {
        case EditorKey::Left:
            MoveLeft(ctrl, shift);
            return true;
        case EditorKey::Right:
            MoveRight(ctrl, shift);
            return true;
        case EditorKey::Up:
            MoveUp(shift);
            return true;
        case EditorKey::Down:
            MoveDown(shift);
            return true;
        case EditorKey::Home:
            MoveHome(ctrl, shift);
            return true;
        case EditorKey::End:
            MoveEnd(ctrl, shift);
            return true;
        case EditorKey::PageUp:
            MovePage(false, shift);
            return true;
        case EditorKey::PageDown:
            MovePage(true, shift);
            return true;
        default:
            return false;
    }
}

bool EditState::ControlKey(EditorKey key, bool shift, EditorClipboard* clipboard) {
    switch (key) {
        case EditorKey::A:
            SelectAll();
            return true;
        case EditorKey::C:
            return clipboard != nullptr && Copy(*clipboard);
        case EditorKey::V:
            return clipboard != nullptr && Paste(*clipboard);
        case EditorKey::X:
            return clipboard != nullptr && Cut(*clipboard);
        case EditorKey::Z:
            shift ? Redo() : Undo();
            return true;
        case EditorKey::Y:
            Redo();
            return true;
        default:
            return false;
    }
}

bool EditState::KeyDown(EditorKey key, bool shift, bool ctrl, EditorClipboard* clipboard) {
    if (MovementKey(key, shift, ctrl)) {
        return true;
    }
    if (key == EditorKey::Back) {
        Backspace(ctrl);
        return true;
    }
    if (key == EditorKey::Delete) {
        if (!shift) {
            ForwardDelete(ctrl);
        } else if (clipboard != nullptr) {
            Cut(*clipboard);
        }
        return true;
    }
    if (key == EditorKey::Insert) {
        if (clipboard == nullptr || !(ctrl || shift)) {
            return false;
        }
        if (ctrl) {
            Copy(*clipboard);
        } else {
            Paste(*clipboard);
        }
        return true;
    }
    return ctrl && ControlKey(key, shift, clipboard);
}

}  // namespace tavrin
