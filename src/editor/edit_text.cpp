// The document: text, selection, the insertion and deletion primitives, undo and redo.
#include <algorithm>
#include <new>

#include "editor/edit_state.h"
#include "platform/text.h"

namespace tavrin {
namespace {

// Offsets are 32-bit throughout; stay well clear of the limit so sums of offsets cannot overflow.
constexpr std::int64_t kMaxTextLength = 0x3FFFFFFF;

}  // namespace

EditState::EditState(TextMeasurer& measurer, PictureHost* pictures, EditorObserver* observer, bool readOnly)
    : measurer_(measurer),
      pictureHost_(pictures),
      observer_(observer),
      fonts_(measurer),
      readOnly_(readOnly) {
    media_.SetObserver(observer);
    RebuildFonts();
}

void EditState::NotifyChange() {
    if (observer_ != nullptr) {
        observer_->Notify(EditorNotification::Change);
    }
}

void EditState::Invalidate() {
    if (observer_ != nullptr) {
        observer_->Invalidate();
    }
}

void EditState::SetCaretAnchor(int caret, int anchor) noexcept {
    const int length = Length();
    caret_ = std::clamp(caret, 0, length);
    anchor_ = std::clamp(anchor, 0, length);
}

bool EditState::SetText(const char16_t* text, std::int64_t length) {
    if (length < 0 || (text == nullptr && length > 0) || length > kMaxTextLength) {
        return false;
    }
    media_.BeforeTextReplaced();
    if (pictureHost_ != nullptr) {
        pictureHost_->ReleasePictures(0);
    }
    pictures_.clear();
    rows_.clear();
    text_.clear();
    ++textVersion_;
    caret_ = anchor_ = goalX_ = 0;
    caretAtRowEnd_ = modified_ = false;
    scrollOffset_ = 0;
    undo_.Clear();
    pendingGroup_ = false;
    cleanDepth_ = 0;
    hoverOffset_ = -1;
    selecting_ = wordSelecting_ = linkClickPending_ = false;
    bool stored = true;
    try {
        text_.assign(text == nullptr ? u"" : text, static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        text_.clear();
        stored = false;
    }
    LayoutAll();
    UpdateScrollRange();
    Invalidate();
    media_.AutoPlay();
    return stored;
}

int EditState::GetText(char16_t* buffer, std::int64_t capacity) const {
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    const int count = static_cast<int>(std::min<std::int64_t>(capacity - 1, Length()));
    std::copy_n(text_.data(), count, buffer);
    buffer[count] = 0;
    return count;
}

int EditState::GetSelText(char16_t* buffer, std::int64_t capacity) const {
    if (buffer != nullptr) {
        buffer[0] = 0;
    }
    const int length = SelectionEnd() - SelectionStart();
    if (length == 0) {
        return 0;
    }
    if (buffer == nullptr) {
        return length;
    }
    const int count = static_cast<int>(std::clamp<std::int64_t>(capacity, 0, length));
    std::copy_n(text_.data() + SelectionStart(), count, buffer);
    buffer[count] = 0;
    return count;
}

void EditState::WidenEmptySelectionToWord() {
    if (anchor_ == caret_) {
        const TextRange word = WordAt(text_, caret_);
        anchor_ = word.start;
        caret_ = word.end;
        caretAtRowEnd_ = false;
    }
}

int EditState::GetSelWord(char16_t* buffer, std::int64_t capacity) {
    WidenEmptySelectionToWord();
    Invalidate();
    return GetSelText(buffer, capacity);
}

const char16_t* EditState::GetSelPtr(int& length, int& start) {
    WidenEmptySelectionToWord();
    start = SelectionStart();
    length = SelectionEnd() - start;
    anchor_ = start;
    caret_ = start + length;
    return text_.data() + start;
}

bool EditState::SelectAll() {
    anchor_ = 0;
    caret_ = Length();
    caretAtRowEnd_ = false;
    Invalidate();
    return true;
}

std::int64_t EditState::GetSel(int* start, int* end) const {
    const int first = SelectionStart();
    const int last = SelectionEnd();
    if (start != nullptr) {
        *start = first;
    }
    if (end != nullptr) {
        *end = last;
    }
    return (static_cast<std::int64_t>(last) << 16) | (first & 0xFFFF);
}

void EditState::SetSel(std::int64_t anchor, std::int64_t caret) {
    const std::int64_t length = Length();
    anchor_ = static_cast<int>(std::clamp<std::int64_t>(anchor, 0, length));
    caret_ = static_cast<int>(std::clamp<std::int64_t>(caret, 0, length));
    goalX_ = 0;
    caretAtRowEnd_ = false;
    ScrollCaretIntoView();
    Invalidate();
}

bool EditState::ReplaceSel(std::u16string_view text) {
    if (readOnly_ || text.empty()) {
        return false;
    }
    return ReplaceSelectionTyped(LineBreaksToLf(text));
}

bool EditState::ReplaceSelectionTyped(std::u16string_view text) {
    return InsertText(text, kUndoInsert, InsertOptions{false, true});
}

void EditState::SpliceText(int at, int removed, std::u16string_view inserted) {
    ++textVersion_;
    text_.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(removed), inserted);
    RelayoutEdit(at, removed, static_cast<int>(inserted.size()));
}

void EditState::AfterEdit(bool scrollIntoView) {
    UpdateScrollRange();
    if (!scrollIntoView || !ScrollCaretIntoView()) {
        Invalidate();
    }
    NotifyChange();
}

void EditState::PushUndo(UndoRecord record) {
    // A clean state in the redo tail can never be reached again once the tail is dropped.
    if (cleanDepth_ > undo_.Top()) {
        cleanDepth_ = -1;
    }
    try {
        undo_.Push(std::move(record));
    } catch (const std::bad_alloc&) {
        // The edit still happens without its record, as it always has when the stack cannot grow.
    }
}

bool EditState::InsertText(std::u16string_view source, std::int32_t recordFlags, InsertOptions options,
                           const Selection* before, const Selection* after) {
    pendingGroup_ = true;
    const auto count = static_cast<std::int64_t>(source.size());
    if (count < 1 || Length() + count > kMaxTextLength) {
        return false;
    }
    try {
        text_.reserve(text_.size() + source.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    const Selection selectionBefore = before != nullptr ? *before : Selection{anchor_, caret_};
    modified_ = true;
    goalX_ = 0;
    if (anchor_ != caret_ && !rows_.empty()) {
        const Selection current{anchor_, caret_};
        DeleteRange(anchor_, caret_, kUndoDeleteBack | kUndoGroupNext, current, current);
    }
    if (options.protectHeadingMark && caret_ == 0 && !rows_.empty() && rows_[0].kind == RowKind::Heading &&
        !rows_[0].isContinuation && text_[0] == u'*') {
        caret_ = 1;
    }
    const int at = caret_;
    SpliceText(at, 0, source);
    if (!options.keepCaret) {
        caret_ = at + static_cast<int>(count);
    }
    anchor_ = caret_;
    caretAtRowEnd_ = false;
    if ((recordFlags & kUndoInsert) != 0) {
        UndoRecord record;
        record.flags =
            kUndoInsert | ((pendingGroup_ && (recordFlags & kUndoGroupNext) != 0) ? kUndoGroupNext : 0);
        record.offset = at;
        record.count = static_cast<std::int32_t>(count);
        record.anchorBefore = selectionBefore.anchor;
        record.caretBefore = selectionBefore.caret;
        const Selection selectionAfter = after != nullptr ? *after : Selection{anchor_, caret_};
        record.anchorAfter = selectionAfter.anchor;
        record.caretAfter = selectionAfter.caret;
        PushUndo(std::move(record));
    }
    AfterEdit(true);
    return true;
}

bool EditState::DeleteRange(int a, int b, std::int32_t recordFlags, Selection before, Selection after) {
    const int length = Length();
    if (rows_.empty() || a < 0 || b < 0 || a > length || b > length) {
        return false;
    }
    if (a > b) {
        std::swap(a, b);
    }
    if (a == b) {
        return false;
    }
    modified_ = true;
    if ((recordFlags & (kUndoDeleteBack | kUndoDeleteForward)) != 0) {
        UndoRecord record;
        record.flags = recordFlags;
        record.offset = a;
        record.count = b - a;
        try {
            record.saved.assign(text_, static_cast<std::size_t>(a), static_cast<std::size_t>(b - a));
        } catch (const std::bad_alloc&) {
            return false;
        }
        record.anchorBefore = before.anchor;
        record.caretBefore = before.caret;
        record.anchorAfter = after.anchor;
        record.caretAfter = after.caret;
        PushUndo(std::move(record));
        pendingGroup_ = false;
    }
    SpliceText(a, b - a, {});
    caret_ = anchor_ = a;
    caretAtRowEnd_ = false;
    AfterEdit(false);
    return true;
}

void EditState::SetModifiedFromDepth() noexcept {
    modified_ = undo_.Top() != cleanDepth_;
}

void EditState::SetModified(bool modified) noexcept {
    modified_ = modified;
    if (!modified) {
        cleanDepth_ = undo_.Top();
    } else if (cleanDepth_ == undo_.Top()) {
        cleanDepth_ = -1;
    }
}

bool EditState::UndoOne() {
    UndoRecord& record = undo_.Below();
    const int length = Length();
    const int offset = record.offset;
    const bool insertion = (record.flags & kUndoInsert) != 0;
    if (offset < 0 || offset > length || record.count < 1 ||
        (insertion && static_cast<std::int64_t>(offset) + record.count > length)) {
        return false;  // a record that does not fit the text: stop rather than guess
    }
    caret_ = anchor_ = offset;
    caretAtRowEnd_ = false;
    if (insertion) {
        if (record.saved.empty()) {
            try {
                record.saved.assign(text_, static_cast<std::size_t>(offset),
                                    static_cast<std::size_t>(record.count));
            } catch (const std::bad_alloc&) {
                return false;
            }
        }
        DeleteRange(offset, offset + record.count, 0, {}, {});
    } else {
        const std::u16string saved = record.saved;
        const bool forward = (record.flags & kUndoDeleteForward) != 0;
        InsertText(saved, 0, InsertOptions{forward, false});
    }
    const UndoRecord& restored = undo_.Below();
    SetCaretAnchor(restored.caretBefore, restored.anchorBefore);
    undo_.StepDown();
    return true;
}

bool EditState::Undo() {
    if (readOnly_) {
        return false;
    }
    bool ok = true;
    if (undo_.CanUndo()) {
        do {
            ok = UndoOne();
        } while (ok && undo_.CanUndo() && (undo_.Below().flags & kUndoGroupNext) != 0);
        SetModifiedFromDepth();
        UpdateScrollRange();
        ScrollCaretIntoView();
        Invalidate();
        NotifyChange();
    }
    return ok;
}

bool EditState::RedoOne() {
    UndoRecord& record = undo_.AtTop();
    const int length = Length();
    const int offset = record.offset;
    const bool insertion = (record.flags & kUndoInsert) != 0;
    if (offset < 0 || offset > length || record.count < 1 ||
        (!insertion && static_cast<std::int64_t>(offset) + record.count > length) ||
        (insertion && record.saved.empty())) {
        return false;
    }
    caret_ = anchor_ = offset;
    caretAtRowEnd_ = false;
    if (insertion) {
        const std::u16string saved = record.saved;
        InsertText(saved, 0, InsertOptions{});
    } else {
        DeleteRange(offset, offset + record.count, 0, {}, {});
    }
    const UndoRecord& restored = undo_.AtTop();
    SetCaretAnchor(restored.caretAfter, restored.anchorAfter);
    undo_.StepUp();
    return true;
}

bool EditState::Redo() {
    if (readOnly_) {
        return false;
    }
    bool ok = true;
    if (undo_.CanRedo()) {
        bool grouped = false;
        do {
            grouped = (undo_.AtTop().flags & kUndoGroupNext) != 0;
            ok = RedoOne();
        } while (ok && grouped && undo_.CanRedo());
        SetModifiedFromDepth();
        UpdateScrollRange();
        ScrollCaretIntoView();
        Invalidate();
        NotifyChange();
    }
    return ok;
}

}  // namespace tavrin
