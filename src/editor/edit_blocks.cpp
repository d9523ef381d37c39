// Operations on whole lines: heading toggle, block indent and unindent, reference lines.
#include <algorithm>

#include "editor/edit_state.h"

namespace tavrin {
namespace {

// The lines of a block: pieces between LFs. A block that ends with LF stops at the start of the
// next line, which is not part of it.
std::vector<std::u16string_view> SplitBlock(std::u16string_view block) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t lf = block.find(u'\n', start);
        if (lf == std::u16string_view::npos) {
            if (start < block.size() || lines.empty()) {
                lines.push_back(block.substr(start));
            }
            break;
        }
        lines.push_back(block.substr(start, lf - start));
        start = lf + 1;
        if (start == block.size()) {
            break;
        }
    }
    return lines;
}

// Joins lines with LF, adding the block's final LF back when it had one.
std::u16string JoinBlock(const std::vector<std::u16string>& lines, bool endsWithLf) {
    std::u16string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            out.push_back(u'\n');
        }
        out += lines[i];
    }
    if (endsWithLf) {
        out.push_back(u'\n');
    }
    return out;
}

std::u16string Prefixed(char16_t mark, std::u16string_view line) {
    std::u16string out;
    out.reserve(line.size() + 1);
    out.push_back(mark);
    out.append(line);
    return out;
}

// Removes the leading spaces of a line (at most tabStop), and a TAB reached before tabStop were removed.
std::u16string Unindented(std::u16string_view line, int tabStop) {
    std::size_t removed = 0;
    while (removed < line.size() && static_cast<int>(removed) < tabStop && line[removed] == u' ') {
        ++removed;
    }
    if (removed < line.size() && static_cast<int>(removed) < tabStop && line[removed] == u'\t') {
        ++removed;
    }
    return std::u16string(line.substr(removed));
}

// The block with heading marks added to every line that lacks one, or removed from every line that
// has one; marks receives how many lines changed.
std::u16string ToggledMarks(std::u16string_view block, bool removing, int& marks) {
    std::vector<std::u16string> lines;
    marks = 0;
    for (const std::u16string_view line : SplitBlock(block)) {
        const bool marked = !line.empty() && line[0] == u'*';
        if (removing && marked) {
            lines.emplace_back(line.substr(1));
            ++marks;
        } else if (!removing && !marked) {
            lines.push_back(Prefixed(u'*', line));
            ++marks;
        } else {
            lines.emplace_back(line);
        }
    }
    return JoinBlock(lines, !block.empty() && block.back() == u'\n');
}

}  // namespace

TextRange EditState::BlockExtent() const noexcept {
    if (rows_.empty()) {
        return {0, 0};
    }
    const int start = SelectionStart();
    const int end = SelectionEnd();
    const RowRecord& first = rows_[static_cast<std::size_t>(RowOfOffset(start))];
    int last = RowOfOffset(end);
    const RowRecord& lastRow = rows_[static_cast<std::size_t>(last)];
    // A selection that reaches just the start of a row leaves that row out. An empty selection
    // always takes its whole line, or the heading toggle at a line start would add a second mark.
    if (end > start && end == lastRow.offset && !(lastRow.isContinuation && lastRow.wrapsOn)) {
        return {first.paragraphStart, end};
    }
    while (last + 1 < RowCount() && rows_[static_cast<std::size_t>(last)].wrapsOn) {
        ++last;
    }
    return {first.paragraphStart, rows_[static_cast<std::size_t>(last)].End()};
}

bool EditState::ToggleHeading(int mode) {
    if (readOnly_) {
        return false;
    }
    if (mode == 0) {
        const TextRange block = BlockExtent();
        const std::u16string_view blockText = std::u16string_view(text_).substr(
            static_cast<std::size_t>(block.start), static_cast<std::size_t>(block.end - block.start));
        const bool removing = !blockText.empty() && blockText[0] == u'*';
        int marks = 0;
        const std::u16string replacement = ToggledMarks(blockText, removing, marks);
        // The selection follows its text: the end nearer the start moves over the first line's mark,
        // the other end over all of them; neither leaves the block.
        const bool forward = anchor_ <= caret_;
        const int nearEnd = SelectionStart();
        const int farEnd = SelectionEnd();
        const int newNear = removing ? std::max(block.start, nearEnd - 1) : nearEnd + 1;
        const int newFar = removing ? std::max(newNear, farEnd - marks) : farEnd + marks;
        const Selection before{anchor_, caret_};
        const Selection after = forward ? Selection{newNear, newFar} : Selection{newFar, newNear};
        anchor_ = block.start;
        caret_ = block.end;
        DeleteRange(block.start, block.end, kUndoDeleteBack | kUndoGroupNext, before,
                    {block.start, block.start});
        if (!InsertText(replacement, kUndoInsert, InsertOptions{}, &before, &after) && undo_.CanUndo()) {
            // Removing the only mark of a text that is just "*": the deletion stands alone and must not
            // drag the next change into its group.
            undo_.Below().flags &= ~kUndoGroupNext;
        }
        SetCaretAnchor(after.caret, after.anchor);
        Invalidate();
    }
    if (observer_ != nullptr) {
        observer_->Notify(EditorNotification::SelChange);
    }
    return true;
}

bool EditState::IndentBlock(bool unindent) {
    if (readOnly_ || anchor_ == caret_ || AnchorRow() == CaretRow()) {
        return false;
    }
    const TextRange block = BlockExtent();
    const std::u16string_view blockText = std::u16string_view(text_).substr(
        static_cast<std::size_t>(block.start), static_cast<std::size_t>(block.end - block.start));
    std::vector<std::u16string> lines;
    for (const std::u16string_view line : SplitBlock(blockText)) {
        if (unindent) {
            lines.push_back(Unindented(line, style_.tabStop));
        } else {
            lines.push_back(line.empty() ? std::u16string() : Prefixed(u'\t', line));
        }
    }
    const std::u16string replacement = JoinBlock(lines, !blockText.empty() && blockText.back() == u'\n');
    if (replacement == blockText) {
        return true;  // nothing to indent or unindent: done, and no TAB is typed either
    }
    const Selection before{block.start, block.end};
    const Selection after{block.start, block.start + static_cast<int>(replacement.size())};
    anchor_ = block.start;
    caret_ = block.end;
    InsertText(replacement, kUndoInsert, InsertOptions{}, &before, &after);
    SetCaretAnchor(after.caret, after.anchor);
    Invalidate();
    if (observer_ != nullptr) {
        observer_->Notify(EditorNotification::SelChange);
    }
    return true;
}

bool EditState::InsertRef(std::u16string_view name) {
    if (readOnly_ || name.empty()) {
        return false;
    }
    const Selection before{anchor_, caret_};
    if (anchor_ != caret_) {
        DeleteRange(SelectionStart(), SelectionEnd(), kUndoDeleteBack | kUndoGroupNext, before, before);
    }
    bool breakBefore = false;
    bool breakAfter = true;
    if (rows_.empty()) {
        breakBefore = style_.titleLine;
    } else {
        int at = caret_;
        const int lineStart = LineStartOf(at);
        if (style_.titleLine && lineStart == 0) {
            at = LineEndOf(0);
            breakBefore = true;
        } else if (rows_[static_cast<std::size_t>(RowOfOffset(at))].kind == RowKind::Heading) {
            breakBefore = at > lineStart + 1;
            if (!breakBefore) {
                at = lineStart;  // the reference goes above the heading
            }
        } else {
            breakBefore = at != lineStart;
        }
        breakAfter =
            !(at == LineEndOf(at) && rows_[static_cast<std::size_t>(RowOfOffset(at))].breakCount == 1);
        caret_ = anchor_ = at;
    }
    std::u16string line;
    if (breakBefore) {
        line.push_back(u'\n');
    }
    line += u"[[";
    line += name;
    line += u"]]";
    if (breakAfter) {
        line.push_back(u'\n');
    }
    return InsertText(line, kUndoInsert, InsertOptions{}, &before);
}

}  // namespace tavrin
