#include "editor/editor_paint.h"

#include <algorithm>
#include <vector>

#include "platform/text.h"

namespace tavrin {
namespace {

// Inner padding of media bars (96-DPI pixels): the glyph cell starts this far in, the time ends this far
// in.
constexpr int kBarPadding = 8;
constexpr int kObjectSelectionCap = 128;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kMovieShadeOpacity = 200;

// One stretch of characters drawn with one font and colour, and the pen steps between them.
struct GlyphRun {
    int slot = 0;
    std::uint32_t colour = 0;
    int x = 0;
    std::u16string text;
    std::vector<int> advances;
};

// A control character shown as its boxed name.
struct BoxedName {
    EditorRect frame;
    int x = 0;
    std::u16string_view name;
    std::uint32_t colour = 0;
};

class FramePainter {
public:
    FramePainter(EditState& editor, EditorCanvas& canvas, const PaintRequest& request)
        : editor_(editor),
          canvas_(canvas),
          request_(request),
          style_(editor.Style()),
          fonts_(editor.Fonts()),
          text_(editor.Text()),
          selStart_(editor.SelectionStart()),
          selEnd_(editor.SelectionEnd()),
          pad_(editor.ObjectPad()),
          barPad_(editor.Px(kBarPadding)),
          line_(ScaleLineForDpi(1, editor.Dpi())),
          a1_(style_.alpha[0]),
          a2_(style_.alpha[1]),
          a3_(style_.alpha[2]) {}

    PaintResult Paint() {
        PaintResult result;
        const int width = editor_.ClientWidth();
        const int height = editor_.ClientHeight();
        if (width <= 0 || height <= 0) {
            return result;
        }
        canvas_.Fill({0, 0, width, height}, Colour(kColorBack));
        if (request_.backPicture) {
            canvas_.BackPicture(request_.backX, request_.backY);
        }
        linkSlot_ = fonts_.Select(style_.fontSize, kFontUnderline);
        const auto [first, last] = editor_.VisibleRows();
        for (int row = first; row <= last; ++row) {
            PaintRow(row, editor_.Rows()[static_cast<std::size_t>(row)].top - editor_.ScrollOffset());
        }
        result.caret = editor_.CaretPlace();
        result.seekBar = seekBar_;
        return result;
    }

private:
    [[nodiscard]] std::uint32_t Colour(int slot) const noexcept {
        return style_.colors[static_cast<std::size_t>(slot)];
    }
    [[nodiscard]] bool Selected(int offset) const noexcept {
        return selStart_ < selEnd_ && offset >= selStart_ && offset < selEnd_;
    }
    [[nodiscard]] bool Shadowed() const noexcept { return style_.textDropShadow && a3_ < 256; }
    // A drop shadow lies one line width right of and below what it shades.
    [[nodiscard]] EditorRect ShadowOf(const EditorRect& rect) const noexcept {
        return {rect.x + line_, rect.y + line_, rect.width, rect.height};
    }
    void PaintRow(int index, int top) {
        const RowRecord& row = editor_.Rows()[static_cast<std::size_t>(index)];
        switch (row.kind) {
            case RowKind::Picture:
                PaintPictureRow(row, top);
                break;
            case RowKind::Sound:
                PaintSoundRow(row, top);
                break;
            case RowKind::Movie:
                PaintMovieRow(row, top);
                break;
            default:
                PaintTextRow(index, top);
                break;
        }
    }

    // --- Text rows --------------------------------------------------------------------------------

    void PaintTextRow(int index, int top) {
        const RowRecord& row = editor_.Rows()[static_cast<std::size_t>(index)];
        const bool heading = row.kind == RowKind::Heading;
        const int slot = heading ? FontTable::kHeading : FontTable::kNormal;
        const int lineHeight = heading ? fonts_.HeadingLineHeight() : fonts_.NormalLineHeight();
        const int y = editor_.RowTextY(index);
        const std::uint32_t rowColour = Colour(heading ? kColorHead : kColorText);
        const std::uint32_t selectedColour = a3_ >= 256 ? Colour(kColorBack) : rowColour;
        runs_.clear();
        boxes_.clear();
        int selectionLeft = -1;
        int selectionRight = -1;
        for (const RowCell& cell : editor_.RowCells(index)) {
            if (cell.kind == CellKind::HeadingMark) {
                continue;
            }
            const bool selected = Selected(cell.offset);
            if (selected) {
                selectionLeft = selectionLeft < 0 ? cell.x : selectionLeft;
                selectionRight = cell.x + cell.width;
            }
            const std::uint32_t plain = selected ? selectedColour : rowColour;
            if (cell.kind == CellKind::Control) {
                const int inset = editor_.Px(1);
                boxes_.push_back({{cell.x + inset, y, cell.width - 2 * inset, lineHeight},
                                  cell.x + editor_.Px(4),
                                  ControlName(text_[static_cast<std::size_t>(cell.offset)]),
                                  plain});
            } else if (cell.kind != CellKind::Tab) {
                const bool linked = cell.link != LinkKind::None;
                AddGlyph(
                    linked ? linkSlot_ : slot, linked ? LinkColour(cell.link) : plain, cell.x,
                    text_.substr(static_cast<std::size_t>(cell.offset), static_cast<std::size_t>(cell.units)),
                    cell.width);
            }
        }
        if (selectionLeft >= 0) {
            canvas_.Blend({selectionLeft, top, selectionRight - selectionLeft, row.height}, a3_,
                          Colour(kColorText));
        }
        EmitRuns(y);
        for (const BoxedName& box : boxes_) {
            FrameOfWidth(box.frame, box.colour);
            canvas_.Glyphs(slot, box.x, y, box.name, {}, box.colour);
        }
    }

    [[nodiscard]] std::uint32_t LinkColour(LinkKind kind) const noexcept {
        switch (kind) {
            case LinkKind::Mail:
                return Colour(kColorMail);
            case LinkKind::File:
                return Colour(kColorFile);
            default:
                return Colour(kColorUrl);
        }
    }

    // Adds one character (one code unit, or a surrogate pair) to the current run, starting a new run
    // when the font or colour changes or the pen does not continue where the run ends.
    void AddGlyph(int slot, std::uint32_t colour, int x, std::u16string_view glyph, int width) {
        if (runs_.empty() || runs_.back().slot != slot || runs_.back().colour != colour || runEnd_ != x) {
            runs_.push_back({slot, colour, x, {}, {}});
        }
        GlyphRun& run = runs_.back();
        run.text.append(glyph);
        run.advances.push_back(width);
        for (std::size_t extra = 1; extra < glyph.size(); ++extra) {
            run.advances.push_back(0);
        }
        runEnd_ = x + width;
    }

    void EmitRuns(int y) {
        for (const GlyphRun& run : runs_) {
            if (Shadowed()) {
                canvas_.Glyphs(run.slot, run.x + line_, y + line_, run.text, run.advances,
                               Colour(kColorBack));
            }
            canvas_.Glyphs(run.slot, run.x, y, run.text, run.advances, run.colour);
        }
    }

    // --- Object rows ------------------------------------------------------------------------------

    [[nodiscard]] std::u16string_view ObjectName(const RowRecord& row) const {
        return std::u16string_view(text_).substr(static_cast<std::size_t>(row.offset) + 2,
                                                 static_cast<std::size_t>(std::max(0, row.charCount - 4)));
    }

    // The box inside the object padding.
    [[nodiscard]] EditorRect ObjectBox(const RowRecord& row, int top) const noexcept {
        return {style_.marginLeft + pad_.left, top + pad_.top, row.width - pad_.left - pad_.right,
                row.height - pad_.top - pad_.bottom};
    }

    // A frame of the screen's line width just inside the rectangle.
    void FrameOfWidth(const EditorRect& rect, std::uint32_t colour) {
        if (line_ <= 1) {
            canvas_.Frame(rect, colour);
            return;
        }
        canvas_.Fill({rect.x, rect.y, rect.width, line_}, colour);
        canvas_.Fill({rect.x, rect.y + rect.height - line_, rect.width, line_}, colour);
        canvas_.Fill({rect.x, rect.y + line_, line_, rect.height - 2 * line_}, colour);
        canvas_.Fill({rect.x + rect.width - line_, rect.y + line_, line_, rect.height - 2 * line_}, colour);
    }

    void Label(int slot, const EditorRect& rect, std::u16string_view text, LabelPlacement placement,
               std::uint32_t colour, bool shadow) {
        if (shadow) {
            canvas_.Label(slot, ShadowOf(rect), text, placement, Colour(kColorBack));
        }
        canvas_.Label(slot, rect, text, placement, colour);
    }

    void PaintPictureRow(const RowRecord& row, int top) {
        const EditorRect box = ObjectBox(row, top);
        const auto index = static_cast<std::size_t>(row.objectIndex);
        const auto pictures = editor_.Pictures();
        const PictureSize loaded = index < pictures.size() ? pictures[index].size : PictureSize{};
        if (loaded.width > 0 && loaded.height > 0) {
            const PictureSize size = editor_.ShownPictureSize(loaded);
            const bool narrower = row.width - pad_.left - pad_.right < size.width;
            canvas_.Picture(row.objectIndex,
                            narrower ? box : EditorRect{box.x, box.y, size.width, size.height});
        } else {
            PaintPlaceholder(box, ObjectName(row));
        }
        if (Selected(row.offset)) {
            canvas_.Blend(box, std::min(a3_, kObjectSelectionCap), kBlack);
        }
    }

    void PaintPlaceholder(const EditorRect& box, std::u16string_view name) {
        const std::uint32_t text = Colour(kColorText);
        const int l = line_;
        canvas_.Blend({box.x + l, box.y + l, box.width - 2 * l, box.height - 2 * l},
                      std::min(a3_, kObjectSelectionCap), Colour(kColorBack));
        canvas_.Blend({box.x, box.y, box.width, l}, a1_, text);
        canvas_.Blend({box.x, box.y + box.height - l, box.width, l}, a1_, text);
        canvas_.Blend({box.x, box.y + l, l, box.height - 2 * l}, a1_, text);
        canvas_.Blend({box.x + box.width - l, box.y + l, l, box.height - 2 * l}, a1_, text);
        const int width = box.width - 2 * barPad_;
        const int height = std::min(canvas_.WrappedHeight(FontTable::kSmall, width, name), box.height);
        const EditorRect area{box.x + barPad_, box.y + (box.height - height) / 2, width, height};
        if (style_.textDropShadow) {
            canvas_.Wrapped(FontTable::kSmall, ShadowOf(area), name, Colour(kColorBack));
        }
        canvas_.Wrapped(FontTable::kSmall, area, name, text);
    }

    // The play or stop button, the time of the playing item and, for sounds, the name: the parts of a
    // media bar. Returns the width the time text takes (0 when nothing plays here).
    int PaintBarContents(const EditorRect& bar, const RowRecord& row, bool showName) {
        const bool playing = request_.media.item == row.objectIndex;
        const std::uint32_t colour = a3_ >= 256 ? Colour(kColorBack) : Colour(kColorText);
        const bool shadow = Shadowed();
        const int cell = fonts_.GlyphCell();
        const EditorRect glyph{bar.x + barPad_, bar.y, cell, bar.height};
        Label(FontTable::kSmall, glyph, playing ? kStopGlyph : kPlayGlyph, LabelPlacement::Centred, colour,
              shadow);
        int timeWidth = 0;
        if (playing) {
            const std::u16string time = MediaTimeText(request_.media.positionMs, request_.media.lengthMs);
            timeWidth = canvas_.LabelWidth(FontTable::kSmall, time);
            const EditorRect area{bar.x, bar.y, bar.width - barPad_, bar.height};
            Label(FontTable::kSmall, area, time, LabelPlacement::Right, colour, shadow);
        }
        if (showName) {
            const int left = glyph.x + 2 * barPad_ + cell;
            const int width = bar.width - 3 * barPad_ - cell - (playing ? timeWidth + barPad_ : 0);
            Label(FontTable::kSmall, {left, bar.y, width, bar.height}, ObjectName(row),
                  LabelPlacement::PathEllipsis, colour, shadow);
        }
        return timeWidth;
    }

    void PaintSoundRow(const RowRecord& row, int top) {
        const EditorRect box = ObjectBox(row, top);
        canvas_.Blend(box, a3_, Colour(kColorText));
        if (Selected(row.offset)) {
            canvas_.Blend(box, std::min(a3_, kObjectSelectionCap), kBlack);
        }
        PaintBarContents(box, row, true);
    }

    void PaintMovieRow(const RowRecord& row, int top) {
        const int bar = fonts_.MediaBarHeight();
        const EditorRect box{style_.marginLeft + pad_.left, top, row.width - pad_.left - pad_.right,
                             row.height};
        const EditorRect picture{box.x, box.y, box.width, std::max(0, box.height - bar)};
        const EditorRect strip{box.x, box.y + picture.height, box.width, box.height - picture.height};
        canvas_.Blend(picture, kMovieShadeOpacity, kBlack);
        canvas_.Blend(strip, a3_, Colour(kColorText));
        if (Selected(row.offset)) {
            canvas_.Blend(box, std::min(a3_, kObjectSelectionCap), kBlack);
        }
        const int timeWidth = PaintBarContents(strip, row, false);
        if (request_.media.item == row.objectIndex) {
            PaintSeekBar(strip, timeWidth);
            return;
        }
        const std::u16string_view name = ObjectName(row);
        const int height =
            std::min(canvas_.WrappedHeight(FontTable::kSmall, picture.width, name), picture.height);
        canvas_.Wrapped(FontTable::kSmall,
                        {picture.x, picture.y + (picture.height - height) / 2, picture.width, height}, name,
                        kWhite);
    }

    void PaintSeekBar(const EditorRect& strip, int timeWidth) {
        const int cell = fonts_.GlyphCell();
        const std::uint32_t colour = a3_ >= 256 ? Colour(kColorBack) : Colour(kColorText);
        const int left = strip.x + cell + 3 * barPad_;
        const int width = strip.width - cell - timeWidth - 5 * barPad_;
        const int middle = strip.y + strip.height / 2;
        const int track = editor_.Px(2);
        canvas_.Blend({left, middle - track / 2, width, track}, a2_, colour);
        const MediaPaintState& media = request_.media;
        const int marker =
            media.lengthMs > 0
                ? left + static_cast<int>(static_cast<double>(media.positionMs) / media.lengthMs * width) -
                      editor_.Px(2)
                : left;
        canvas_.Fill({marker, middle - editor_.Px(5), editor_.Px(3), editor_.Px(10)}, colour);
        seekBar_ = {left, strip.y, width, strip.height};
    }

    EditState& editor_;
    EditorCanvas& canvas_;
    const PaintRequest& request_;
    const EditorStyle& style_;
    FontTable& fonts_;
    std::u16string_view text_;
    int selStart_;
    int selEnd_;
    ObjectPadding pad_;
    int barPad_;
    int line_;  // a one-pixel line on the screen
    int a1_;
    int a2_;
    int a3_;
    int linkSlot_ = FontTable::kLink;
    std::vector<GlyphRun> runs_;
    std::vector<BoxedName> boxes_;
    int runEnd_ = 0;
    EditorRect seekBar_;
};

}  // namespace

PaintResult PaintEditor(EditState& editor, EditorCanvas& canvas, const PaintRequest& request) {
    return FramePainter(editor, canvas, request).Paint();
}

std::u16string MediaTimeText(int positionMs, int lengthMs) {
    const bool hours = SplitMediaTime(lengthMs).hours >= 1;
    std::u16string out;
    for (const int ms : {positionMs, lengthMs}) {
        const MediaClock clock = SplitMediaTime(ms);
        if (!out.empty()) {
            out += u" / ";
        }
        if (hours) {
            AppendDecimal(out, clock.hours);
            out.push_back(u':');
            AppendDecimal(out, clock.minutes, 2);
        } else {
            AppendDecimal(out, clock.minutes);
        }
        out.push_back(u':');
        AppendDecimal(out, clock.seconds, 2);
    }
    return out;
}

}  // namespace tavrin
