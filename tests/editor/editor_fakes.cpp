#include "editor_fakes.h"

#include <algorithm>

namespace tavrin::testing {

FontSlotMetrics FakeMeasurer::OpenFont(int slot, const FontRequest& request) {
    ++createCalls;
    const int points = request.points > 0 ? request.points : 12;
    points_[slot] = points;
    const int height = points * 4 / 3 * dpiFactor;
    return {height, height * 3 / 4};
}

int FakeMeasurer::UnitWidth(char16_t c) noexcept {
    if (c < 0x100 || (c >= 0xFF61 && c <= 0xFF9F)) {
        return 8;
    }
    return 16;
}

int FakeMeasurer::PointsOf(int slot) const {
    const auto found = points_.find(slot);
    return found == points_.end() ? 12 : found->second;
}

int FakeMeasurer::MeasureText(int slot, std::u16string_view text) {
    ++measureCalls;
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            width += 16;
            ++i;
        } else {
            width += UnitWidth(text[i]);
        }
    }
    return width * PointsOf(slot) / 12 * dpiFactor;
}

PictureSize FakePictures::LoadPicture(int index, std::u16string_view name) {
    static_cast<void>(index);
    loads.emplace_back(name);
    const auto found = sizes.find(std::u16string(name));
    return found == sizes.end() ? PictureSize{} : found->second;
}

void FakePictures::ReleasePictures(int count) { releasedTo = count; }

int RecordingObserver::Count(EditorNotification code) const {
    return static_cast<int>(std::count(notifications.begin(), notifications.end(), code));
}

bool FakeClipboard::PutText(std::u16string_view text, bool wholeRow) {
    if (failPut) {
        return false;
    }
    content.text = std::u16string(text);
    content.lineFormat = wholeRow;
    content.files.clear();
    return true;
}

int RecordingObserver::Timer(int id) const {
    const auto found = timers.find(id);
    return found == timers.end() ? 0 : found->second;
}

EditorFixture::EditorFixture(int width, int height) : editor(measurer, &pictures, &observer) {
    editor.Resize(width, height);
}

EditState& EditorFixture::Load(std::u16string_view text) {
    editor.SetText(text);
    observer.notifications.clear();
    return editor;
}

namespace {

std::string Describe(const char* what, int row, const RowRecord& actual, const RowRecord& expected) {
    return std::string(what) + " at row " + std::to_string(row) + ": offset " +
           std::to_string(actual.offset) + "/" + std::to_string(expected.offset) + " count " +
           std::to_string(actual.charCount) + "/" + std::to_string(expected.charCount) + " top " +
           std::to_string(actual.top) + "/" + std::to_string(expected.top) + " paragraph " +
           std::to_string(actual.paragraphNumber) + "/" + std::to_string(expected.paragraphNumber) +
           " object " + std::to_string(actual.objectIndex) + "/" + std::to_string(expected.objectIndex);
}

}  // namespace

void InvariantChecker::MatchStyle(const EditState& editor) {
    const EditorStyle& style = editor.Style();
    const EditorStyle& mine = reference_.Style();
    if (style.face != mine.face || style.fontSize != mine.fontSize ||
        style.fontSizeHead != mine.fontSizeHead || style.lineSpacing != mine.lineSpacing ||
        style.tabStop != mine.tabStop || style.wordWrap != mine.wordWrap ||
        style.marginLeft != mine.marginLeft || style.marginTop != mine.marginTop ||
        style.marginRight != mine.marginRight || style.marginBottom != mine.marginBottom ||
        style.headingPadTop != mine.headingPadTop || style.headingPadBottom != mine.headingPadBottom) {
        DisplayStyle record;
        std::copy_n(style.face.begin(), std::min<std::size_t>(style.face.size(), 63),
                    record.faceName.begin());
        record.fontSize = style.fontSize;
        record.fontSizeHead = style.fontSizeHead;
        record.margins = {style.marginLeft, style.marginTop, style.marginRight, style.marginBottom};
        record.lineSpacing = style.lineSpacing;
        record.tabStop = style.tabStop;
        record.scrollLines = style.scrollLines;
        record.headingPadding = {0, style.headingPadTop, 0, style.headingPadBottom};
        record.wordWrap = style.wordWrap ? 1 : 0;
        reference_.SetStyle(&record);
    }
    if (style.titleLine != mine.titleLine) {
        reference_.SetTitleLine(style.titleLine, false);
    }
    if (editor.ClientWidth() != reference_.ClientWidth() ||
        editor.ClientHeight() != reference_.ClientHeight()) {
        reference_.Resize(editor.ClientWidth(), editor.ClientHeight());
    }
}

std::string InvariantChecker::Check(EditState& editor) {
    const auto& rows = editor.Rows();
    const int length = editor.Length();
    if (editor.Caret() < 0 || editor.Caret() > length || editor.Anchor() < 0 || editor.Anchor() > length) {
        return "caret or anchor outside the text";
    }
    if (length == 0) {
        return rows.empty() ? std::string() : "rows for an empty text";
    }
    if (rows.empty()) {
        return "no rows for a text";
    }
    int expectedOffset = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RowRecord& row = rows[i];
        if (row.offset != expectedOffset || row.charCount < 0 || row.height < 1) {
            return "row " + std::to_string(i) + " does not continue the previous one";
        }
        if (i > 0 && row.top != rows[i - 1].top + rows[i - 1].height) {
            return "row " + std::to_string(i) + " top does not stack";
        }
        if (row.breakCount == 1 && (row.End() >= length || editor.Text()[row.End()] != u'\n')) {
            return "row " + std::to_string(i) + " claims an LF that is not there";
        }
        expectedOffset = row.Next();
    }
    if (expectedOffset != length || rows.back().breakCount != 0) {
        return "rows do not end at the text end";
    }
    // The incremental layout must be indistinguishable from a full pass over the same text.
    MatchStyle(editor);
    reference_.SetText(editor.Text());
    const auto& expected = reference_.Rows();
    if (expected.size() != rows.size()) {
        return "incremental layout has " + std::to_string(rows.size()) + " rows, a full layout " +
               std::to_string(expected.size());
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!(rows[i] == expected[i])) {
            return Describe("row differs", static_cast<int>(i), rows[i], expected[i]);
        }
    }
    if (editor.ContentHeight() != reference_.ContentHeight()) {
        return "content height differs";
    }
    if (editor.ParagraphCount() != reference_.ParagraphCount()) {
        return "paragraph count differs";
    }
    return {};
}

}  // namespace tavrin::testing
