// Thousands of random operations against a naive model: a plain string with a selection and a stack
// of snapshots for undo and redo. After every step the editor's text, selection, undo state and row
// table must match.
#include <gtest/gtest.h>

#include <random>

#include "editor_fakes.h"

namespace tavrin {
namespace {

using testing::EditorFixture;
using testing::InvariantChecker;

struct Snapshot {
    std::u16string text;
    int anchor = 0;
    int caret = 0;
};

// Undo takes the text back to before and the selection to what the operation's first record saved;
// redo brings back after.
struct Step {
    Snapshot before;
    Snapshot after;
};

int LineStart(std::u16string_view text, int p) {
    while (p > 0 && text[p - 1] != u'\n') {
        --p;
    }
    return p;
}

int LineEnd(std::u16string_view text, int p) {
    while (p < static_cast<int>(text.size()) && text[p] != u'\n') {
        ++p;
    }
    return p;
}

// The word rule as written: cut the line into runs of one class from its start; take the run holding p.
TextRange NaiveWord(std::u16string_view text, int p) {
    const int length = static_cast<int>(text.size());
    if (p >= length || text[p] == u'\n') {
        return {p, p};
    }
    int start = LineStart(text, p);
    const int end = LineEnd(text, p);
    while (start < end) {
        int runEnd = start + 1;
        while (runEnd < end && CharClass(text[runEnd]) == CharClass(text[start])) {
            ++runEnd;
        }
        if (p < runEnd) {
            return {start, runEnd};
        }
        start = runEnd;
    }
    return {p, p};
}

bool PairBefore(std::u16string_view text, int p) {
    return p >= 2 && IsLowSurrogate(text[p - 1]) && IsHighSurrogate(text[p - 2]);
}

bool PairAt(std::u16string_view text, int p) {
    return p + 1 < static_cast<int>(text.size()) && IsHighSurrogate(text[p]) && IsLowSurrogate(text[p + 1]);
}

// The lines of a block, a final LF ending the block rather than opening a line.
std::vector<std::u16string> BlockLines(std::u16string_view block) {
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (block[i] == u'\n') {
            if (i + 1 == block.size()) {
                break;
            }
            lines.emplace_back();
        } else {
            lines.back().push_back(block[i]);
        }
    }
    return lines;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines, bool finalLf) {
    std::u16string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += (i > 0 ? u"\n" : u"") + lines[i];
    }
    return finalLf ? out + u"\n" : out;
}

class Model {
public:
    Model(EditState& editor, std::mt19937& random) : editor_(editor), random_(random) {}

    void Reset(std::u16string text) {
        current_ = {std::move(text), 0, 0};
        done_.clear();
        undone_.clear();
        cleanDepth_ = 0;
        modified_ = false;
    }

    // Runs one random operation on the editor and predicts its result; returns a name for messages.
    std::string RunOne();

    [[nodiscard]] const Snapshot& Current() const { return current_; }
    [[nodiscard]] bool CanUndo() const { return !done_.empty(); }
    [[nodiscard]] bool CanRedo() const { return !undone_.empty(); }
    [[nodiscard]] bool Modified() const { return modified_; }
    bool readOnly = false;

private:
    int Pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
    std::u16string RandomText(int maxLength);
    void Record(const Snapshot& before, Snapshot after);
    void Typed(std::u16string_view text);
    void Backspace(bool byWord);
    void Delete(bool byWord);
    void ToggleHeading();
    bool Indent(bool unindent);
    void InsertRef(std::u16string_view name);
    void Adopt() { current_.anchor = editor_.Anchor(), current_.caret = editor_.Caret(); }
    [[nodiscard]] TextRange Block() const;

    EditState& editor_;
    std::mt19937& random_;
    Snapshot current_;
    std::vector<Step> done_;
    std::vector<Step> undone_;
    int cleanDepth_ = 0;
    bool modified_ = false;
};

std::u16string Model::RandomText(int maxLength) {
    static constexpr char16_t kPool[] = {u'a',   u'b',   u'z',   u' ',   u' ',  u'*',  u'[',   u']',
                                         u'.',   u',',   u'\t',  u'\n',  u'\n', u'\r', 0x3042, 0x6F22,
                                         0x3001, 0x3002, 0xD83D, 0xDE00, 0,     0x07,  0x200D, u'#',
                                         u'@',   u'/',   u':',   u'w',   0xFF61};
    std::u16string text;
    const int length = 1 + Pick(maxLength);
    for (int i = 0; i < length; ++i) {
        const int kind = Pick(20);
        if (kind == 0) {
            text += u"[[p.png]]\n";
        } else if (kind == 1) {
            text += u"\n[[s.wav]]\n";
        } else if (kind == 2) {
            text += std::u16string(30 + Pick(60), u'x');
        } else {
            text.push_back(kPool[Pick(static_cast<int>(std::size(kPool)))]);
        }
    }
    return text;
}

void Model::Record(const Snapshot& before, Snapshot after) {
    if (cleanDepth_ > static_cast<int>(done_.size())) {
        cleanDepth_ = -1;
    }
    done_.push_back({before, after});
    undone_.clear();
    current_ = std::move(after);
    modified_ = true;
}

void Model::Typed(std::u16string_view text) {
    if (readOnly || text.empty()) {
        return;
    }
    const Snapshot before = current_;
    Snapshot after = current_;
    const int start = std::min(before.anchor, before.caret);
    after.text.erase(start, std::max(before.anchor, before.caret) - start);
    int at = start;
    if (at == 0 && !after.text.empty() && after.text[0] == u'*') {
        at = 1;
    }
    after.text.insert(static_cast<std::size_t>(at), text);
    after.caret = after.anchor = at + static_cast<int>(text.size());
    Record(before, after);
}

void Model::Backspace(bool byWord) {
    const int start = std::min(current_.anchor, current_.caret);
    const int end = std::max(current_.anchor, current_.caret);
    if (readOnly || current_.text.empty() || (start == end && start == 0)) {
        return;
    }
    Snapshot after = current_;
    if (start != end) {
        after.text.erase(start, end - start);
        after.caret = after.anchor = start;
        Record(current_, after);
        return;
    }
    const int rowStart = editor_.LineIndex(-1);
    int at = start;
    if (at == LineStart(current_.text, at) && at < static_cast<int>(current_.text.size()) &&
        current_.text[at] == u'*') {
        at += 1;
    }
    int from = at - (PairBefore(current_.text, at) ? 2 : 1);
    if (byWord && at != rowStart) {
        const TextRange word = NaiveWord(current_.text, at);
        from = word.start < at ? word.start : NaiveWord(current_.text, at - 1).start;
    }
    after.text.erase(from, at - from);
    after.caret = after.anchor = from;
    Record(current_, after);
}

void Model::Delete(bool byWord) {
    const int start = std::min(current_.anchor, current_.caret);
    const int end = std::max(current_.anchor, current_.caret);
    const int length = static_cast<int>(current_.text.size());
    if (readOnly || length == 0 || (start == end && start >= length)) {
        return;
    }
    Snapshot after = current_;
    if (start != end) {
        after.text.erase(start, end - start);
        after.caret = after.anchor = start;
        Record(current_, after);
        return;
    }
    int at = start;
    if (at == 0 && current_.text[0] == u'*') {
        at = 1;
        current_.caret = current_.anchor = 1;
        after.caret = after.anchor = 1;
        if (at >= length) {
            return;
        }
    }
    int to = at + (PairAt(current_.text, at) ? 2 : 1);
    if (byWord) {
        to = std::max(at + 1, NaiveWord(current_.text, at).end);
    }
    after.text.erase(at, to - at);
    after.caret = after.anchor = at;
    Snapshot before = current_;
    before.caret = before.anchor = start;
    Record(before, after);
}

// The block of the selection, from the editor's rows walked one by one.
TextRange Model::Block() const {
    const auto& rows = editor_.Rows();
    if (rows.empty()) {
        return {0, 0};
    }
    const int start = std::min(current_.anchor, current_.caret);
    const int end = std::max(current_.anchor, current_.caret);
    const auto rowOf = [&](int p) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (p < rows[i].Next()) {
                return static_cast<int>(i);
            }
        }
        return static_cast<int>(rows.size()) - 1;
    };
    int first = rowOf(start);
    while (rows[first].isContinuation) {
        --first;
    }
    int last = rowOf(end);
    if (end > start && end == rows[last].offset && !(rows[last].isContinuation && rows[last].wrapsOn)) {
        return {rows[first].offset, end};
    }
    while (rows[last].wrapsOn) {
        ++last;
    }
    return {rows[first].offset, rows[last].offset + rows[last].charCount};
}

void Model::ToggleHeading() {
    if (readOnly) {
        return;
    }
    const TextRange block = Block();
    const std::u16string blockText = current_.text.substr(block.start, block.end - block.start);
    const bool removing = !blockText.empty() && blockText[0] == u'*';
    std::vector<std::u16string> lines = BlockLines(blockText);
    int marks = 0;
    for (std::u16string& line : lines) {
        if (removing && !line.empty() && line[0] == u'*') {
            line.erase(0, 1);
            ++marks;
        } else if (!removing && (line.empty() || line[0] != u'*')) {
            line.insert(0, 1, u'*');
            ++marks;
        }
    }
    Snapshot after = current_;
    after.text = current_.text.substr(0, block.start) +
                 JoinLines(lines, !blockText.empty() && blockText.back() == u'\n') +
                 current_.text.substr(block.end);
    const int nearEnd = std::min(current_.anchor, current_.caret);
    const int farEnd = std::max(current_.anchor, current_.caret);
    const int newNear = removing ? std::max(block.start, nearEnd - 1) : nearEnd + 1;
    const int newFar = removing ? std::max(newNear, farEnd - marks) : farEnd + marks;
    const int length = static_cast<int>(after.text.size());
    const bool forward = current_.anchor <= current_.caret;
    after.anchor = std::clamp(forward ? newNear : newFar, 0, length);
    after.caret = std::clamp(forward ? newFar : newNear, 0, length);
    Record(current_, after);
}

bool Model::Indent(bool unindent) {
    if (readOnly || current_.anchor == current_.caret || editor_.AnchorRow() == editor_.CaretRow()) {
        return false;
    }
    const TextRange block = Block();
    const std::u16string blockText = current_.text.substr(block.start, block.end - block.start);
    std::vector<std::u16string> lines = BlockLines(blockText);
    const int tabStop = editor_.Style().tabStop;
    for (std::u16string& line : lines) {
        if (!unindent) {
            if (!line.empty()) {
                line.insert(0, 1, u'\t');
            }
            continue;
        }
        int removed = 0;
        while (removed < static_cast<int>(line.size()) && removed < tabStop && line[removed] == u' ') {
            ++removed;
        }
        if (removed < static_cast<int>(line.size()) && removed < tabStop && line[removed] == u'\t') {
            ++removed;
        }
        line.erase(0, removed);
    }
    const std::u16string replacement = JoinLines(lines, !blockText.empty() && blockText.back() == u'\n');
    if (replacement == blockText) {
        return true;
    }
    Snapshot before{current_.text, block.start, block.end};
    Snapshot after{current_.text.substr(0, block.start) + replacement + current_.text.substr(block.end),
                   block.start, block.start + static_cast<int>(replacement.size())};
    Record(before, after);
    return true;
}

void Model::InsertRef(std::u16string_view name) {
    if (readOnly || name.empty()) {
        return;
    }
    Snapshot after = current_;
    const int start = std::min(current_.anchor, current_.caret);
    after.text.erase(start, std::max(current_.anchor, current_.caret) - start);
    std::u16string& t = after.text;
    int at = start;
    bool breakBefore = editor_.Style().titleLine;
    bool breakAfter = true;
    if (!t.empty()) {
        const int lineStart = LineStart(t, at);
        if (editor_.Style().titleLine && lineStart == 0) {
            at = LineEnd(t, 0);
            breakBefore = true;
        } else if (lineStart < static_cast<int>(t.size()) && t[lineStart] == u'*') {
            breakBefore = at > lineStart + 1;
            at = breakBefore ? at : lineStart;
        } else {
            breakBefore = at != lineStart;
        }
        breakAfter = !(at == LineEnd(t, at) && at < static_cast<int>(t.size()));
    }
    const std::u16string line =
        (breakBefore ? u"\n" : u"") + (u"[[" + std::u16string(name) + u"]]") + (breakAfter ? u"\n" : u"");
    t.insert(static_cast<std::size_t>(at), line);
    after.caret = after.anchor = at + static_cast<int>(line.size());
    Record(current_, after);
}

std::string Model::RunOne() {
    const int length = static_cast<int>(current_.text.size());
    const bool shift = Pick(3) == 0;
    const bool ctrl = Pick(3) == 0;
    switch (Pick(24)) {
        case 0:
        case 1: {
            const int anchor = Pick(length + 7) - 3;
            const int caret = Pick(length + 7) - 3;
            editor_.SetSel(anchor, caret);
            current_.anchor = std::clamp(anchor, 0, length);
            current_.caret = std::clamp(caret, 0, length);
            return "select";
        }
        case 2:
        case 3:
        case 4: {
            const std::u16string one = RandomText(1).substr(0, 1);
            const char16_t c = one[0];
            // The model reads the rows the editor had before the key.
            if (c == u'\t' && Indent(shift)) {
                editor_.Char(c, shift, false);
                return "indent";
            }
            editor_.Char(c, shift, false);
            if (c == 0x08 || c == 0x1B) {
                return "ignored char";
            }
            Typed(c == u'\r' ? u"\n" : one);
            return "char";
        }
        case 5: {
            const std::u16string text = RandomText(12);
            editor_.ReplaceSel(text);
            std::u16string normal;
            for (std::size_t i = 0; i < text.size(); ++i) {
                normal.push_back(text[i] == u'\r' ? u'\n' : text[i]);
                if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                    ++i;
                }
            }
            Typed(normal);
            return "replace";
        }
        case 6:
        case 7:
            Backspace(ctrl);
            editor_.Backspace(ctrl);
            return "backspace";
        case 8:
            Delete(ctrl);
            editor_.ForwardDelete(ctrl);
            return "delete";
        case 9:
        case 10:
            editor_.Undo();
            if (!readOnly && !done_.empty()) {
                undone_.push_back(done_.back());
                done_.pop_back();
                current_ = undone_.back().before;
                modified_ = static_cast<int>(done_.size()) != cleanDepth_;
            }
            return "undo";
        case 11:
            editor_.Redo();
            if (!readOnly && !undone_.empty()) {
                done_.push_back(undone_.back());
                undone_.pop_back();
                current_ = done_.back().after;
                modified_ = static_cast<int>(done_.size()) != cleanDepth_;
            }
            return "redo";
        case 12:
            ToggleHeading();
            editor_.ToggleHeading(0);
            return "heading";
        case 13: {
            const int before = editor_.Anchor();
            const int move = Pick(7);
            if (move == 0)
                editor_.MoveLeft(ctrl, shift);
            if (move == 1)
                editor_.MoveRight(ctrl, shift);
            if (move == 2)
                editor_.MoveUp(shift);
            if (move == 3)
                editor_.MoveDown(shift);
            if (move == 4)
                editor_.MoveHome(ctrl, shift);
            if (move == 5)
                editor_.MoveEnd(ctrl, shift);
            if (move == 6)
                editor_.MovePage(ctrl, shift);
            if (shift && editor_.Anchor() != before) {
                return "a move with Shift moved the anchor";
            }
            Adopt();
            return "move";
        }
        case 14: {
            const std::u16string name = Pick(4) == 0 ? u"" : (Pick(2) == 0 ? u"pic.png" : u"voice.wav");
            InsertRef(name);
            editor_.InsertRef(name);
            return "reference";
        }
        case 15: {
            testing::FakeClipboard clipboard;
            const std::u16string text = RandomText(8);
            clipboard.content.text = text;
            clipboard.content.lineFormat = Pick(2) == 0 && current_.anchor == current_.caret;
            const int rowStart = editor_.Rows().empty() ? 0 : editor_.Rows()[editor_.CaretVisualRow()].offset;
            editor_.Paste(clipboard);
            std::u16string normal;
            for (std::size_t i = 0; i < text.size(); ++i) {
                normal.push_back(text[i] == u'\r' ? u'\n' : text[i]);
                if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                    ++i;
                }
            }
            if (!clipboard.content.lineFormat) {
                Typed(normal);
            } else if (!readOnly) {
                Snapshot after = current_;
                after.text.insert(static_cast<std::size_t>(rowStart), normal);
                after.caret = after.anchor = current_.caret + static_cast<int>(normal.size());
                Record(current_, after);
            }
            return "paste";
        }
        case 16: {
            testing::FakeClipboard clipboard;
            const bool selection = current_.anchor != current_.caret;
            const std::vector<RowRecord> rows = editor_.Rows();
            const int visual = editor_.CaretVisualRow();
            editor_.Cut(clipboard);
            if (readOnly || current_.text.empty()) {
                return "cut";
            }
            if (selection) {
                Delete(false);
                return "cut";
            }
            const RowRecord& row = rows[visual];
            if (row.Next() > row.offset) {
                Snapshot after = current_;
                after.text.erase(row.offset, row.Next() - row.offset);
                after.anchor = editor_.Anchor();
                after.caret = editor_.Caret();
                Record(current_, after);
            }
            return "cut row";
        }
        case 17: {
            const int x = Pick(700) - 20;
            const int y = Pick(500) - 20;
            const int kind = Pick(4);
            if (kind == 0) {
                editor_.LButtonDown(x, y, shift, ctrl);
            } else if (kind == 1 && !readOnly) {
                editor_.MouseMove(x, y);
            } else if (kind == 2) {
                editor_.LButtonUp(x, y);
            } else {
                editor_.LButtonDblClk(x, y);
            }
            Adopt();
            return "mouse";
        }
        case 18: {
            const std::u16string text = RandomText(4);
            editor_.InsertImeResult(text);
            Typed(text);
            return "ime";
        }
        case 19: {
            const int kind = Pick(6);
            if (kind == 0) {
                editor_.SetTitleLine(!editor_.Style().titleLine, true);
            } else if (kind == 1 && !readOnly) {
                // A stored word-wrap flag takes effect with the next change, which lays out everything.
                editor_.SetWordWrap(!editor_.Style().wordWrap);
                editor_.Char(u'w', false, false);
                Typed(u"w");
            } else if (kind == 2) {
                editor_.Resize(60 + Pick(700), 50 + Pick(500));
            } else if (kind == 3) {
                readOnly = !readOnly;
                editor_.SetReadOnly(readOnly);
            } else if (kind == 4) {
                editor_.SetLineSpacing(Pick(30) - 10);
            } else {
                editor_.SetTabStops(1, 1 + Pick(8));
            }
            return "setting";
        }
        case 20: {
            if (Pick(10) == 0) {
                const std::u16string text = RandomText(40);
                editor_.SetText(text);
                Reset(text);
                return "set text";
            }
            // A selection over several rows, then Tab or Shift+Tab or the heading toggle on it.
            const int anchor = Pick(length + 1);
            const int caret = Pick(length + 1);
            editor_.SetSel(anchor, caret);
            current_.anchor = anchor;
            current_.caret = caret;
            if (Pick(3) == 0) {
                ToggleHeading();
                editor_.ToggleHeading(0);
                return "block heading";
            }
            if (Indent(shift)) {
                editor_.Char(u'\t', shift, false);
                return "block indent";
            }
            return "block select";
        }
        case 21:
            editor_.GetLinkKind();
            Adopt();
            return "link kind";
        default: {
            // Operations that only read must not change anything.
            char16_t buffer[8];
            editor_.GetSelText(buffer, 7);
            editor_.GetText(buffer, 8);
            editor_.GetCaretPos(nullptr);
            editor_.Reconvert();
            Adopt();
            return "queries";
        }
    }
}

class RandomOperations : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomOperations, MatchTheNaiveModelAndKeepTheRowTableWhole) {
    std::mt19937 random(GetParam());
    EditorFixture fixture(420, 300);
    testing::FakePictures referencePictures;
    for (testing::FakePictures* pictures : {&fixture.pictures, &referencePictures}) {
        pictures->sizes[u"p.png"] = {640, 480};
        pictures->sizes[u"pic.png"] = {120, 90};
    }
    InvariantChecker checker(fixture.measurer, &referencePictures);
    Model model(fixture.editor, random);
    fixture.editor.SetText(u"*Title\nfirst line\n");
    model.Reset(u"*Title\nfirst line\n");
    for (int step = 0; step < 5000; ++step) {
        const std::string name = model.RunOne();
        const EditState& e = fixture.editor;
        ASSERT_EQ(e.Text(), model.Current().text) << "step " << step << " " << name;
        ASSERT_EQ(e.Anchor(), model.Current().anchor) << "step " << step << " " << name;
        ASSERT_EQ(e.Caret(), model.Current().caret) << "step " << step << " " << name;
        ASSERT_EQ(e.CanUndo(), model.CanUndo()) << "step " << step << " " << name;
        ASSERT_EQ(e.CanRedo(), model.CanRedo()) << "step " << step << " " << name;
        ASSERT_EQ(e.Modified(), model.Modified()) << "step " << step << " " << name;
        const std::string broken = checker.Check(fixture.editor);
        ASSERT_TRUE(broken.empty()) << "step " << step << " " << name << ": " << broken;
        if (e.Length() > 3000) {
            fixture.editor.SetText(u"");
            model.Reset(u"");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomOperations, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
}  // namespace tavrin
