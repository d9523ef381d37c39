// Mouse, links, objects, IME and clipboard: the input paths that need positions under a point.
#include <algorithm>

#include "editor/edit_state.h"
#include "platform/text.h"

namespace tavrin {
namespace {

// Every line break written as CR LF, as other programs expect on the clipboard.
std::u16string WithCrLf(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            out += u"\r\n";
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

}  // namespace

// --- Links and objects ----------------------------------------------------------------------------

LinkHit EditState::HitTestLink(int x, int y) {
    if (rows_.empty() || x < style_.marginLeft || x > clientWidth_ - ScrollBarWidth() - style_.marginRight) {
        return {};
    }
    const long long contentY = static_cast<long long>(y) + scrollOffset_;
    const RowRecord& lastRow = rows_.back();
    if (contentY < rows_.front().top || contentY >= static_cast<long long>(lastRow.top) + lastRow.height) {
        return {};
    }
    const PointHit hit = PointToOffset(x, y, false);
    const auto found =
        std::upper_bound(rows_.begin(), rows_.end(), contentY,
                         [](long long value, const RowRecord& row) { return value < row.top; });
    const RowRecord& row = *(found - 1);
    if (row.kind != RowKind::Normal) {
        return {};
    }
    // The same scan as painting, from the line's start, so the hand cursor and the underline agree.
    for (const LinkSpan& link : LineLinks(row.paragraphStart)) {
        if (link.start <= hit.offset && hit.offset < link.start + link.length) {
            return {link.kind, link.start, link.length};
        }
        if (link.start > hit.offset) {
            break;
        }
    }
    return {};
}

LinkKind EditState::GetLinkKind() {
    LinkKind kind = LinkKind::None;
    if (anchor_ == caret_) {
        if (!rows_.empty()) {
            const LinkHit link = HitTestLink(CaretX(), RowTopClient(CaretVisualRow()));
            if (link.kind != LinkKind::None) {
                anchor_ = link.start;
                caret_ = link.start + link.length;
                caretAtRowEnd_ = false;
                Invalidate();
                kind = link.kind;
            }
        }
    } else {
        const int start = SelectionStart();
        kind = ClassifyLink(std::u16string_view(text_).substr(static_cast<std::size_t>(start)),
                            SelectionEnd() - start)
                   .kind;
    }
    lastLinkKind_ = kind;
    return kind;
}

bool EditState::CanAddPicture() const noexcept { return static_cast<int>(pictures_.size()) < kMaxPictures; }

int EditState::GetObjectName(const EditorPoint* point, char16_t* buffer) {
    if (point == nullptr) {
        return -1;
    }
    const PointHit hit = PointToOffset(point->x, point->y, false);
    if (hit.objectIndex < 0 || rows_.empty()) {
        return 0;
    }
    const RowRecord& row = rows_[static_cast<std::size_t>(RowOfOffset(hit.offset))];
    const int length = row.charCount - 4;
    if (!IsObjectRow(row.kind) || length < 1 || length > 255) {
        return 0;
    }
    if (buffer != nullptr) {
        std::copy_n(text_.data() + row.offset + 2, length, buffer);
        buffer[length] = 0;
    }
    return length;
}

// --- Mouse ----------------------------------------------------------------------------------------

MouseDownResult EditState::LButtonDown(int x, int y, bool shift, bool ctrl) {
    MouseDownResult result;
    goalX_ = 0;
    const PointHit hit = PointToOffset(x, y, true);
    if (hit.objectHit == kHitSound || hit.objectHit == kHitMovie) {
        result.mediaHit = hit.objectHit;
        result.mediaIndex = hit.objectIndex;
        media_.Click(hit.objectHit, hit.objectIndex, x, y);
        return result;
    }
    result.capture = true;
    selecting_ = true;
    const int oldAnchor = anchor_;
    caret_ = hit.offset;
    caretAtRowEnd_ = hit.atRowEnd;
    const LinkHit link = HitTestLink(x, y);
    if (ctrl) {
        const TextRange word = link.kind != LinkKind::None ? TextRange{link.start, link.start + link.length}
                                                           : WordAt(text_, caret_);
        caretAtRowEnd_ = false;
        wordSelecting_ = true;
        if (!shift) {
            anchor_ = word.start;
            caret_ = word.end;
            wordStart_ = word.start;
            wordEnd_ = word.end;
        } else {
            anchor_ = oldAnchor;
            caret_ = word.start < oldAnchor ? word.start : word.end;
            wordStart_ = wordEnd_ = anchor_;
        }
    } else {
        if (link.kind != LinkKind::None && !doubleClickLink_) {
            linkClickPending_ = true;
            clickPoint_ = {x, y};
        }
        if (!shift) {
            anchor_ = caret_;
        }
    }
    hoverOffset_ = caret_;
    FinishMove();
    return result;
}

CursorKind EditState::MouseMove(int x, int y) {
    if (selecting_) {
        const PointHit hit = PointToOffset(x, y, true);
        if (wordSelecting_) {
            const TextRange word = WordAt(text_, hit.offset);
            // The word limits were taken before any edit made while the button is down: clamp them.
            if (word.start < wordStart_) {
                SetCaretAnchor(word.start, wordEnd_);
            } else {
                SetCaretAnchor(word.end, wordStart_);
            }
            caretAtRowEnd_ = false;
        } else {
            caret_ = hit.offset;
            caretAtRowEnd_ = hit.atRowEnd;
        }
        if (hit.offset != hoverOffset_) {
            hoverOffset_ = hit.offset;
            FinishMove();
        }
    }
    if (HitTestLink(x, y).kind != LinkKind::None) {
        return CursorKind::Hand;
    }
    return PointToOffset(x, y, false).objectHit != 0 ? CursorKind::Arrow : CursorKind::IBeam;
}

bool EditState::LButtonUp(int x, int y) {
    if (!selecting_) {
        return false;
    }
    selecting_ = false;
    wordSelecting_ = false;
    const bool pending = linkClickPending_;
    linkClickPending_ = false;
    if (pending && !doubleClickLink_ && clickPoint_ == EditorPoint{x, y}) {
        const LinkHit link = HitTestLink(x, y);
        if (link.kind != LinkKind::None) {
            anchor_ = link.start;
            caret_ = link.start + link.length;
            caretAtRowEnd_ = false;
            Invalidate();
            if (observer_ != nullptr) {
                observer_->Notify(EditorNotification::SelChange);
                observer_->Notify(EditorNotification::OpenLink);
            }
        }
    }
    return true;
}

void EditState::LButtonDblClk(int x, int y) {
    const PointHit hit = PointToOffset(x, y, true);
    if (hit.objectHit == kHitPicture) {
        if (observer_ != nullptr) {
            observer_->Notify(EditorNotification::OpenObject);
        }
        return;
    }
    anchor_ = caret_;
    if (doubleClickLink_) {
        const LinkHit link = HitTestLink(x, y);
        if (link.kind != LinkKind::None) {
            anchor_ = link.start;
            caret_ = link.start + link.length;
            caretAtRowEnd_ = false;
            Invalidate();
            if (observer_ != nullptr) {
                observer_->Notify(EditorNotification::SelChange);
                observer_->Notify(EditorNotification::OpenLink);
            }
            return;
        }
    }
    const TextRange word = WordAt(text_, caret_);
    anchor_ = word.start;
    caret_ = word.end;
    caretAtRowEnd_ = false;
    wordSelecting_ = true;
    wordStart_ = word.start;
    wordEnd_ = word.end;
    selecting_ = true;
    Invalidate();
}

// --- IME ------------------------------------------------------------------------------------------

bool EditState::InsertImeResult(std::u16string_view text) {
    if (readOnly_ || text.empty()) {
        return false;
    }
    return ReplaceSelectionTyped(text);
}

CompositionPlacement EditState::ImePlacement() {
    CompositionPlacement placement;
    const EditorPoint caret = rows_.empty() ? EditorPoint{style_.marginLeft, style_.marginTop}
                                            : EditorPoint{CaretX(), RowTopClient(CaretVisualRow())};
    placement.point = {caret.x, caret.y + style_.lineSpacing / 2};
    placement.left = style_.marginLeft;
    placement.top = 0;
    placement.right = clientWidth_ - ScrollBarWidth() - style_.marginRight;
    placement.bottom = clientHeight_ - style_.marginBottom;
    return placement;
}

int EditState::ImeFontSlot() const noexcept {
    if (rows_.empty()) {
        return style_.titleLine ? FontTable::kHeading : FontTable::kNormal;
    }
    const int row = CaretVisualRow();
    const bool heading =
        rows_[static_cast<std::size_t>(row)].kind == RowKind::Heading || (row == 0 && style_.titleLine);
    return heading ? FontTable::kHeading : FontTable::kNormal;
}

ReconvertRequest EditState::Reconvert() {
    if (anchor_ == caret_) {
        const TextRange word = WordAt(text_, caret_);
        anchor_ = word.start;
        caret_ = word.end;
    }
    const int start = SelectionStart();
    const int end = SelectionEnd();
    caret_ = start;
    anchor_ = end;
    caretAtRowEnd_ = false;
    const int lineStart = LineStartOf(start);
    const int lineEnd = LineEndOf(start);
    ReconvertRequest request;
    if (lineEnd == lineStart) {
        return request;
    }
    request.line.assign(text_, static_cast<std::size_t>(lineStart),
                        static_cast<std::size_t>(lineEnd - lineStart));
    request.targetOffset = start - lineStart;
    request.targetLength = std::min(end, lineEnd) - start;
    return request;
}

// --- Clipboard ------------------------------------------------------------------------------------

bool EditState::Copy(EditorClipboard& clipboard) {
    if (text_.empty()) {
        return true;
    }
    if (anchor_ != caret_) {
        const int start = SelectionStart();
        clipboard.PutText(
            WithCrLf(std::u16string_view(text_).substr(static_cast<std::size_t>(start),
                                                       static_cast<std::size_t>(SelectionEnd() - start))),
            false);
        return true;
    }
    const RowRecord& row = rows_[static_cast<std::size_t>(CaretVisualRow())];
    std::u16string line(text_, static_cast<std::size_t>(row.offset), static_cast<std::size_t>(row.charCount));
    line += u"\r\n";
    clipboard.PutText(line, true);
    return true;
}

bool EditState::Cut(EditorClipboard& clipboard) {
    if (readOnly_) {
        return false;
    }
    if (text_.empty()) {
        return true;
    }
    const bool selection = anchor_ != caret_;
    const RowRecord row = rows_[static_cast<std::size_t>(CaretVisualRow())];
    std::u16string payload;
    if (selection) {
        const int start = SelectionStart();
        payload = WithCrLf(std::u16string_view(text_).substr(
            static_cast<std::size_t>(start), static_cast<std::size_t>(SelectionEnd() - start)));
    } else {
        payload.assign(text_, static_cast<std::size_t>(row.offset), static_cast<std::size_t>(row.charCount));
        payload += u"\r\n";
    }
    if (!clipboard.PutText(payload, !selection)) {
        return false;
    }
    if (selection) {
        return ForwardDelete(false);
    }
    // Cutting a row keeps the caret's x on the row that moves up into its place.
    const int x = CaretX();
    const int below = PointToOffset(x, row.top - scrollOffset_ + row.height + 1, true).offset;
    const int removed = row.Next() - row.offset;
    if (removed == 0) {
        return true;
    }
    const int target = std::max(row.offset, below - removed);
    const Selection before{anchor_, caret_};
    DeleteRange(row.offset, row.Next(), kUndoDeleteBack, before, {target, target});
    SetCaretAnchor(target, target);
    FinishMove();
    return true;
}

bool EditState::Paste(EditorClipboard& clipboard) {
    if (readOnly_) {
        return false;
    }
    const ClipboardContent content = clipboard.Read();
    if (content.text.has_value() && !content.text->empty()) {
        const std::u16string text = LineBreaksToLf(*content.text);
        if (!content.lineFormat) {
            InsertText(text, kUndoInsert, InsertOptions{false, true});
            return true;
        }
        // A whole row copied as such goes in as a row of its own above the caret's row; the caret
        // keeps its place in its own line.
        const Selection before{anchor_, caret_};
        if (anchor_ != caret_) {
            const int start = SelectionStart();
            DeleteRange(start, SelectionEnd(), kUndoDeleteBack | kUndoGroupNext, before, before);
        }
        const int oldCaret = caret_;
        const int rowStart = rows_.empty() ? 0 : rows_[static_cast<std::size_t>(CaretVisualRow())].offset;
        const int target = oldCaret + static_cast<int>(text.size());
        const Selection after{target, target};
        caret_ = anchor_ = rowStart;
        if (InsertText(text, kUndoInsert, InsertOptions{}, &before, &after)) {
            SetCaretAnchor(target, target);
            FinishMove();
        }
        return true;
    }
    if (!content.files.empty()) {
        std::u16string paths;
        for (const std::u16string& file : content.files) {
            paths += file;
            paths.push_back(u'\n');
        }
        ReplaceSel(paths);
    }
    return true;
}

}  // namespace tavrin
