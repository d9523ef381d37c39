#include "editor/row_layout.h"

#include <algorithm>

namespace tavrin {
namespace {

bool IsWordChar(char16_t c) noexcept { return c >= 0x21 && c <= 0x7E; }

int FindLineEnd(std::u16string_view text, int from) noexcept {
    const std::size_t lf = text.find(u'\n', static_cast<std::size_t>(from));
    return lf == std::u16string_view::npos ? static_cast<int>(text.size()) : static_cast<int>(lf);
}

// Walks the characters of one text line (normal or heading) and emits its rows.
class LineBreaker {
public:
    LineBreaker(std::u16string_view text, const LineMetrics& metrics, FontTable& fonts,
                std::vector<RowRecord>& rows, int lineStart, int lineEnd, int paragraph, bool heading)
        : text_(text),
          metrics_(metrics),
          fonts_(fonts),
          rows_(rows),
          lineStart_(lineStart),
          lineEnd_(lineEnd),
          paragraph_(paragraph),
          heading_(heading),
          rowStart_(lineStart) {
        // The heading mark takes no room, except on a title line, whose characters are all measured.
        const bool titleRow = metrics.titleLine && lineStart == 0;
        if (heading && !titleRow && lineStart < lineEnd && text[lineStart] == u'*') {
            markAt_ = lineStart;
        }
    }

    void Run() {
        int pos = lineStart_;
        while (pos < lineEnd_) {
            pos = Step(pos);
        }
        EmitRow(false);
    }

private:
    // Places the character at pos (or ends the row in front of it) and returns the next position.
    int Step(int pos) {
        const char16_t c = text_[pos];
        int units = 1;
        int width = 0;
        if (pos == markAt_) {
            width = 0;
        } else if (c == u'\t') {
            width = TabWidth(rowWidth_, fonts_.TabUnit(), metrics_.tabStop);
        } else {
            width = fonts_.CharWidth(text_, static_cast<std::size_t>(pos), heading_, units);
        }
        if (c == u' ') {
            wordLength_ = 0;  // a space ends the word before the fit test: it never carries one along
        }
        const bool fits = count_ == 0 || rowWidth_ <= metrics_.minRowWidth ||
                          static_cast<long long>(rowWidth_) + width < metrics_.availableWidth;
        if (fits) {
            Add(pos, units, width, IsWordChar(c));
            return pos + units;
        }
        if (!metrics_.wordWrap) {
            EmitRow(true);
            return pos;
        }
        if (IsHangingPunctuation(c)) {
            Add(pos, units, width, IsWordChar(c));
            // At the end of the line the LF ends the row as usual, with no empty row after it.
            if (pos + units < lineEnd_) {
                EmitRow(true);
            }
            return pos + units;
        }
        if ((IsWordChar(c) || c == u' ') && wordLength_ > 0 && nonWordCount_ > 0) {
            CarryWord();
            Add(pos, units, width, true);
            return pos + units;
        }
        EmitRow(true);
        return pos;
    }

    void Add(int pos, int units, int width, bool wordChar) {
        count_ += units;
        rowWidth_ += width;
        if (wordChar) {
            if (wordLength_ == 0) {
                wordStart_ = pos;
                wordWidth_ = 0;
            }
            wordLength_ += units;
            wordWidth_ += width;
        } else {
            wordLength_ = 0;
            ++nonWordCount_;
        }
    }

    // Ends the row in front of the current word, which opens the next row.
    void CarryWord() {
        const int word = wordLength_;
        const int wordWidth = wordWidth_;
        const int wordStart = wordStart_;
        count_ -= word;
        rowWidth_ -= wordWidth;
        EmitRow(true);
        rowStart_ = wordStart;
        count_ = word;
        rowWidth_ = wordWidth;
        wordStart_ = wordStart;
        wordLength_ = word;
        wordWidth_ = wordWidth;
    }

    void EmitRow(bool wraps) {
        RowRecord row;
        row.offset = rowStart_;
        row.charCount = count_;
        row.paragraphStart = lineStart_;
        row.paragraphNumber = paragraph_;
        row.width = rowWidth_;
        row.kind = heading_ ? RowKind::Heading : RowKind::Normal;
        row.isContinuation = rowStart_ != lineStart_;
        row.wrapsOn = wraps;
        row.breakCount = (!wraps && lineEnd_ < static_cast<int>(text_.size())) ? 1 : 0;
        row.height = TextRowHeight(fonts_, metrics_, heading_, row.isContinuation);
        rows_.push_back(row);
        rowStart_ += count_;
        count_ = 0;
        rowWidth_ = 0;
        wordLength_ = 0;
        wordWidth_ = 0;
        nonWordCount_ = 0;
    }

    std::u16string_view text_;
    const LineMetrics& metrics_;
    FontTable& fonts_;
    std::vector<RowRecord>& rows_;
    int lineStart_;
    int lineEnd_;
    int paragraph_;
    bool heading_;
    int markAt_ = -1;
    int rowStart_;
    int count_ = 0;
    int rowWidth_ = 0;
    int wordStart_ = 0;
    int wordLength_ = 0;
    int wordWidth_ = 0;
    int nonWordCount_ = 0;
};

// Emits the object row of a reference line and returns the position after its LF.
int EmitObjectRow(std::u16string_view text, int lineStart, int lineEnd, int paragraph, RowKind kind,
                  std::vector<RowRecord>& rows) {
    RowRecord row;
    row.offset = lineStart;
    row.charCount = lineEnd - lineStart;
    row.paragraphStart = lineStart;
    row.paragraphNumber = paragraph;
    row.kind = kind;
    row.breakCount = lineEnd < static_cast<int>(text.size()) ? 1 : 0;
    rows.push_back(row);
    return lineEnd + row.breakCount;
}

}  // namespace

bool IsHangingPunctuation(char16_t c) noexcept {
    return c == 0x3001 || c == 0x3002 || c == 0xFF0C || c == 0xFF0E || c == 0xFF64 || c == 0xFF61 ||
           c == u',' || c == u'.';
}

int TabWidth(int rowWidth, int tabUnit, int tabStop) noexcept {
    const long long stop = static_cast<long long>(std::max(1, tabUnit)) * std::max(1, tabStop);
    long long width = stop - (std::max(0, rowWidth) % stop);
    if (width < tabUnit) {
        width += stop;
    }
    return static_cast<int>(std::min<long long>(width, 0x3FFFFFFF));
}

RowKind ClassifyLine(std::u16string_view text, int lineStart, bool titleLine) noexcept {
    const int length = static_cast<int>(text.size());
    if (lineStart < 0 || lineStart > length) {
        return RowKind::Normal;
    }
    if (titleLine && lineStart == 0) {
        return RowKind::Heading;
    }
    if (lineStart == length) {
        return RowKind::Normal;
    }
    if (text[lineStart] == u'*') {
        return RowKind::Heading;
    }
    const int lineEnd = FindLineEnd(text, lineStart);
    if (lineEnd - lineStart < 5 || text[lineStart] != u'[' || text[lineStart + 1] != u'[') {
        return RowKind::Normal;
    }
    const std::u16string_view line = text.substr(lineStart, lineEnd - lineStart);
    const std::size_t close = line.find(u"]]", 2);
    if (close == std::u16string_view::npos || close + 2 != line.size()) {
        return RowKind::Normal;
    }
    const int nameLength = static_cast<int>(close) - 2;
    if (nameLength < 1 || nameLength > kMaxReferenceName) {
        return RowKind::Normal;
    }
    return ObjectKindOfName(line.substr(2, nameLength));
}

int TextRowHeight(const FontTable& fonts, const LineMetrics& metrics, bool heading,
                  bool continuation) noexcept {
    long long height = 0;
    if (!heading) {
        height = fonts.NormalLineHeight();
    } else {
        height = fonts.HeadingLineHeight();
        if (!continuation) {
            height += static_cast<long long>(metrics.headingPadTop) + metrics.headingPadBottom;
        }
    }
    height += metrics.lineSpacing;
    // A negative line spacing must not make rows vanish or overlap backwards.
    return static_cast<int>(std::clamp<long long>(height, 1, 0x100000));
}

int LayoutLines(std::u16string_view text, int from, int to, int firstParagraph, const LineMetrics& metrics,
                FontTable& fonts, std::vector<RowRecord>& rows) {
    const int length = static_cast<int>(text.size());
    if (length == 0) {
        return 0;
    }
    from = std::clamp(from, 0, length);
    int pos = from;
    int paragraph = firstParagraph;
    int lines = 0;
    while (true) {
        const int lineEnd = FindLineEnd(text, pos);
        const RowKind kind = ClassifyLine(text, pos, metrics.titleLine);
        if (IsObjectRow(kind)) {
            EmitObjectRow(text, pos, lineEnd, paragraph, kind, rows);
        } else {
            LineBreaker(text, metrics, fonts, rows, pos, lineEnd, paragraph, kind == RowKind::Heading).Run();
        }
        ++lines;
        ++paragraph;
        if (lineEnd >= length) {
            break;  // the last line has no LF
        }
        pos = lineEnd + 1;
        if (to >= 0 && pos >= to) {
            break;
        }
    }
    return lines;
}

}  // namespace tavrin
