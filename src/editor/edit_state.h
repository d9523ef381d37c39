#pragma once
// The portable core of the MarkupEditPane window: one entry's text, its row table, caret and
// selection, undo history, scrolling and every editing operation. The window owns one EditState and
// turns each message into one call on it; the values returned are the message results. Everything
// that needs the operating system arrives through the seams: TextMeasurer (fonts and widths),
// PictureHost (picture sizes), EditorClipboard, EditorObserver (notifications, repaint, scroll bar,
// timers) and, through the MediaPlayer it holds, MediaEngine (sounds and movies).

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/char_class.h"
#include "editor/display_style.h"
#include "editor/editor_clipboard.h"
#include "editor/editor_observer.h"
#include "editor/font_table.h"
#include "editor/link_classifier.h"
#include "editor/media_player.h"
#include "editor/picture_host.h"
#include "editor/row_layout.h"
#include "editor/text_measurer.h"
#include "editor/undo_history.h"
#include "ui/dpi.h"

namespace tavrin {

struct EditorPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const EditorPoint&, const EditorPoint&) = default;
};

// Object hit codes of PointToOffset.
inline constexpr int kHitPicture = 1;
inline constexpr int kHitSound = 2;
inline constexpr int kHitMovie = 4;

// Result of mapping a client pixel to a character offset.
struct PointHit {
    int offset = 0;
    int objectHit = 0;      // kHitPicture, kHitSound, kHitMovie or 0
    int objectIndex = -1;   // the row's objectIndex on an object hit
    bool atRowEnd = false;  // the offset is the next row's start, reached from the end of a wrapping row
};

// Where the caret is drawn: client pixels of its top and its height.
struct CaretPlacement {
    int x = 0;
    int y = 0;
    int height = 0;
};

// A URL, mail address or file path under a point, in text offsets.
struct LinkHit {
    LinkKind kind = LinkKind::None;
    int start = 0;
    int length = 0;
};

// The scroll requests of WM_VSCROLL and EM_SCROLL.
enum class ScrollCode {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8
};

// Line steps a mouse-wheel message sends to the scroll bar pane.
struct WheelSteps {
    ScrollCode code = ScrollCode::LineDown;
    int count = 0;
};

// Keys the editor handles in WM_KEYDOWN.
enum class EditorKey {
    Back,
    Delete,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Insert,
    A,
    C,
    V,
    X,
    Y,
    Z
};

// Mouse cursor over the client area.
enum class CursorKind { IBeam, Arrow, Hand };

// What a left-button press asks of the window besides what the editor did itself.
struct MouseDownResult {
    bool capture = false;  // capture the mouse: a selection drag started
    int mediaHit = 0;      // kHitSound or kHitMovie: the window starts, stops or seeks that media item
    int mediaIndex = -1;
};

// Placement of the IME composition window: a point and the area it must stay in (client pixels).
struct CompositionPlacement {
    EditorPoint point;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// What IMR_RECONVERTSTRING answers: the caret's logical line and, inside it, the part to reconvert.
struct ReconvertRequest {
    std::u16string line;
    int targetOffset = 0;  // within line
    int targetLength = 0;
};

// What a painted cell of a text row holds.
enum class CellKind {
    Text,         // a character drawn as itself
    HeadingMark,  // the "*" opening a heading: no width, not drawn
    Tab,          // advances to the next tab stop; only its selection is drawn
    Control,      // drawn as a boxed name (ControlName)
    Pair,         // a surrogate pair drawn as one glyph
};

// One cell of a text row: its offset and code units, client x and width, and the link it belongs to
// (URLs, mail addresses and file paths, on normal rows only).
struct RowCell {
    int offset = 0;
    int units = 1;
    int x = 0;
    int width = 0;
    CellKind kind = CellKind::Text;
    LinkKind link = LinkKind::None;
};

// The padding around a picture, sound or movie row's box, in pixels of the editor's screen.
struct ObjectPadding {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A picture the editor holds for a picture row: its name and size (0 x 0 when it could not be loaded
// or the reference is too long to load; the layout then uses the placeholder).
struct HeldPicture {
    std::u16string name;
    PictureSize size;
};

// Pixel lengths (these constants, margins, line spacing and the caret width of the style) are 96-DPI
// lengths; the editor lays out and paints for the screen of SetDpi, scaling them at one place: the
// style in use is the given one scaled (Style()), and the constants are read through Px().
class EditState {
public:
    static constexpr int kScrollBarWidth = 16;
    static constexpr int kMaxPictures = 50;
    static constexpr int kPlaceholderWidth = 200;
    static constexpr int kPlaceholderHeight = 150;
    static constexpr int kObjectPadLeft = 2;
    static constexpr int kObjectPadTop = 2;
    static constexpr int kObjectPadRight = 0;
    static constexpr int kObjectPadBottom = 2;
    // References of this many characters or more (brackets included) are never loaded.
    static constexpr int kMaxLoadableReference = 260;

    EditState(TextMeasurer& measurer, PictureHost* pictures, EditorObserver* observer, bool readOnly = false);
    EditState(const EditState&) = delete;
    EditState& operator=(const EditState&) = delete;

    void SetObserver(EditorObserver* observer) noexcept {
        observer_ = observer;
        media_.SetObserver(observer);
    }

    // --- Size and style -------------------------------------------------------------------------
    // The DPI of the editor's screen: rebuilds the fonts (the measurer must already measure for it),
    // relays out and repaints when it changed.
    void SetDpi(int dpi);
    [[nodiscard]] int Dpi() const noexcept { return dpi_; }
    // A 96-DPI length on the editor's screen.
    [[nodiscard]] int Px(int length96) const noexcept { return ScaleForDpi(length96, dpi_); }
    [[nodiscard]] int ScrollBarWidth() const noexcept { return Px(kScrollBarWidth); }
    [[nodiscard]] ObjectPadding ObjectPad() const noexcept;
    // The size a picture is shown at before it is fitted to the width: a picture's own pixels count as
    // 96-DPI pixels and are scaled for the screen; a picture that could not be loaded shows the
    // placeholder.
    [[nodiscard]] PictureSize ShownPictureSize(const PictureSize& loaded) const noexcept;
    // WM_SIZE: stores the client size, relays out, updates the scroll range, repaints.
    void Resize(int clientWidth, int clientHeight);
    // MEP_SETSTYLE: 1, or 0 for a null record.
    bool SetStyle(const DisplayStyle* record);
    // MEP_SETFONT: face and size in points; 1.
    bool SetFont(std::u16string_view face, int points);
    // MEP_SETLINESPACING: relays out when different; 1.
    bool SetLineSpacing(int pixels);
    // MEP_SETWORDWRAP: stored without relayout (the next layout uses it); 1.
    bool SetWordWrap(bool wordWrap);
    // MEP_SETTITLELINE: stored; relays out and repaints when relayoutNow; 1.
    bool SetTitleLine(bool titleLine, bool relayoutNow);
    // EM_SETTABSTOPS: count 0 means 4 characters, else value is the tab stop; below 1 refused (0).
    bool SetTabStops(std::int64_t count, std::int64_t value);
    // EM_SETREADONLY (the window also detaches the IME context).
    void SetReadOnly(bool readOnly) noexcept { readOnly_ = readOnly; }
    [[nodiscard]] bool ReadOnly() const noexcept { return readOnly_; }
    void SetDoubleClickLink(bool on) noexcept { doubleClickLink_ = on; }
    [[nodiscard]] bool DoubleClickLink() const noexcept { return doubleClickLink_; }
    void SetAutoPlay(bool on) noexcept { autoPlay_ = on; }
    [[nodiscard]] bool AutoPlay() const noexcept { return autoPlay_; }

    // --- Text -----------------------------------------------------------------------------------
    // MEP_SETTEXT / WM_SETTEXT: replaces the document, resets undo, caret and scrolling; 0 when the
    // length is negative (or text is null with a positive length) or memory runs out.
    bool SetText(const char16_t* text, std::int64_t length);
    bool SetText(std::u16string_view text) {
        return SetText(text.data(), static_cast<std::int64_t>(text.size()));
    }
    // WM_GETTEXT: at most capacity - 1 characters and a terminator; the count copied.
    int GetText(char16_t* buffer, std::int64_t capacity) const;
    [[nodiscard]] int Length() const noexcept { return static_cast<int>(text_.size()); }
    [[nodiscard]] std::u16string_view Text() const noexcept { return text_; }
    // MEP_GETSELTEXT: selection length with a null buffer, else the count copied (capacity excludes
    // the terminator); 0 for an empty selection.
    int GetSelText(char16_t* buffer, std::int64_t capacity) const;
    // MEP_GETSELWORD: as GetSelText after widening an empty selection to the word at the caret.
    int GetSelWord(char16_t* buffer, std::int64_t capacity);
    // MEP_GETSELPTR: widens an empty selection to the word, normalises it (anchor = start) and returns
    // a pointer to its first character, valid until the next change.
    const char16_t* GetSelPtr(int& length, int& start);
    // MEP_SELECTALL; 1.
    bool SelectAll();
    // EM_GETSEL: end << 16 | (start & 0xFFFF); start and end through the pointers when given.
    std::int64_t GetSel(int* start, int* end) const;
    // EM_SETSEL: both clamped to [0, length]; scrolls the caret into view.
    void SetSel(std::int64_t anchor, std::int64_t caret);
    // EM_REPLACESEL: refused when read-only; line breaks normalised to LF; 0 for an empty string.
    bool ReplaceSel(std::u16string_view text);

    // --- Undo -----------------------------------------------------------------------------------
    [[nodiscard]] bool CanUndo() const noexcept { return undo_.CanUndo(); }
    [[nodiscard]] bool CanRedo() const noexcept { return undo_.CanRedo(); }
    // EM_UNDO / WM_UNDO and EM_REDO: refused when read-only.
    bool Undo();
    bool Redo();
    [[nodiscard]] bool Modified() const noexcept { return modified_; }
    // EM_SETMODIFY. Clearing it also makes the current undo depth the one that counts as unchanged.
    void SetModified(bool modified) noexcept;
    [[nodiscard]] const UndoHistory& History() const noexcept { return undo_; }

    // --- Block operations -------------------------------------------------------------------------
    // MEP_TOGGLEHEADING: mode 0 toggles heading marks on the selected lines; 1-3 only notify.
    // 0 when read-only.
    bool ToggleHeading(int mode);
    // Tab / Shift+Tab over a selection spanning rows. False when nothing was done because the selection
    // lies on one row (the caller then types a TAB).
    bool IndentBlock(bool unindent);
    // MEP_INSERTREF: a "[[name]]" line at the caret; 0 for an empty name or when read-only.
    bool InsertRef(std::u16string_view name);

    // --- Rows and positions -----------------------------------------------------------------------
    [[nodiscard]] const std::vector<RowRecord>& Rows() const noexcept { return rows_; }
    // EM_GETLINECOUNT.
    [[nodiscard]] int RowCount() const noexcept { return static_cast<int>(rows_.size()); }
    // EM_LINEINDEX: offset of a row (-1: the caret's row); -1 past the last row.
    [[nodiscard]] int LineIndex(std::int64_t row) const noexcept;
    [[nodiscard]] int ContentHeight() const noexcept { return contentHeight_; }
    [[nodiscard]] int ParagraphCount() const noexcept { return paragraphCount_; }
    // The row that holds an offset: the first row whose end (LF included) lies beyond it; the text end
    // belongs to the last row. -1 without rows.
    [[nodiscard]] int RowOfOffset(int offset) const noexcept;
    // Client pixel of an offset: x, and y of its row's top.
    [[nodiscard]] EditorPoint OffsetToPoint(int offset);
    [[nodiscard]] PointHit PointToOffset(int x, int y, bool rounding);
    // Width of the character at offset in the row's font (heading or normal), with its unit count.
    int CharWidthAt(int offset, bool heading, int& units);
    // The style in use: the given style with its pixel values scaled for the screen.
    [[nodiscard]] const EditorStyle& Style() const noexcept { return style_; }
    [[nodiscard]] FontTable& Fonts() noexcept { return fonts_; }
    [[nodiscard]] const FontTable& Fonts() const noexcept { return fonts_; }
    [[nodiscard]] int ClientWidth() const noexcept { return clientWidth_; }
    [[nodiscard]] int ClientHeight() const noexcept { return clientHeight_; }
    // W: the width rows are broken at.
    [[nodiscard]] int AvailableWidth() const noexcept;
    [[nodiscard]] std::span<const HeldPicture> Pictures() const noexcept { return pictures_; }
    // True when the row starts with a heading mark that takes no room ("*" on a heading's first row).
    [[nodiscard]] bool RowStartsWithMark(int row) const noexcept;

    // --- Painting support -------------------------------------------------------------------------
    // First and last row (inclusive) that the client area shows; first > last when none.
    [[nodiscard]] std::pair<int, int> VisibleRows() const noexcept;
    // Client y at which a text row's glyphs are drawn: the row's bottom less the line height and half
    // the line spacing (and the heading padding below a heading).
    [[nodiscard]] int RowTextY(int row) const noexcept;
    // The cells of a text row from left to right; empty for object rows and bad row numbers.
    [[nodiscard]] std::vector<RowCell> RowCells(int row);
    // The URLs, mail addresses and file paths of the logical line that starts at lineStart, in text
    // offsets. Kept until the text changes, so consecutive rows of one paragraph scan it once.
    [[nodiscard]] const std::vector<LinkSpan>& LineLinks(int lineStart);

    // --- Caret and selection ----------------------------------------------------------------------
    [[nodiscard]] int Caret() const noexcept { return caret_; }
    [[nodiscard]] int Anchor() const noexcept { return anchor_; }
    [[nodiscard]] int SelectionStart() const noexcept { return std::min(caret_, anchor_); }
    [[nodiscard]] int SelectionEnd() const noexcept { return std::max(caret_, anchor_); }
    [[nodiscard]] int CaretRow() const noexcept;
    [[nodiscard]] int CaretColumn() const noexcept;
    [[nodiscard]] int AnchorRow() const noexcept;
    [[nodiscard]] int AnchorColumn() const noexcept;
    // The row the caret is drawn on: the wrapped row it stands at the end of when CaretAtRowEnd.
    [[nodiscard]] int CaretVisualRow() const noexcept;
    [[nodiscard]] int GoalX() const noexcept { return goalX_; }
    [[nodiscard]] bool CaretAtRowEnd() const noexcept { return caretAtRowEnd_; }
    // Where the caret is drawn (Part of painting): with no rows at the margins with the first row's
    // height; (-100, -100) when its row lies outside the client area.
    [[nodiscard]] CaretPlacement CaretPlace();
    // MEP_GETCARETPOS: the caret's position (through point when given) and height.
    int GetCaretPos(EditorPoint* point);

    // --- Scrolling ------------------------------------------------------------------------------
    [[nodiscard]] int ScrollOffset() const noexcept { return scrollOffset_; }
    [[nodiscard]] int ScrollMaximum() const noexcept { return scrollMaximum_; }
    [[nodiscard]] ScrollBarState ScrollBar() const noexcept;
    // EM_SCROLLCARET and the rule every edit ends with; true when it scrolled.
    bool ScrollCaretIntoView();
    // WM_VSCROLL / EM_SCROLL; thumb is the scroll bar's position for the thumb codes.
    void Scroll(ScrollCode code, int thumb);
    // EM_LINESCROLL; 1.
    bool LineScroll(std::int64_t lines);
    // The line steps of one wheel message for the scroll bar pane.
    [[nodiscard]] WheelSteps Wheel(int delta, bool alt) const noexcept;

    // --- Keyboard -------------------------------------------------------------------------------
    // WM_KEYDOWN for the editor's keys; false for keys it does not handle. The clipboard may be null
    // (copy, cut and paste then do nothing).
    bool KeyDown(EditorKey key, bool shift, bool ctrl, EditorClipboard* clipboard);
    // WM_CHAR; false when ignored (read-only, Ctrl held, Backspace, Esc) or refused.
    bool Char(char16_t c, bool shift, bool ctrl);
    bool Backspace(bool byWord);
    bool ForwardDelete(bool byWord);
    void MoveLeft(bool byWord, bool extend);
    void MoveRight(bool byWord, bool extend);
    void MoveUp(bool extend);
    void MoveDown(bool extend);
    void MoveHome(bool toTextStart, bool extend);
    void MoveEnd(bool toTextEnd, bool extend);
    void MovePage(bool down, bool extend);

    // --- IME ------------------------------------------------------------------------------------
    // WM_IME_COMPOSITION with a result string: replaces the selection as one undo record.
    bool InsertImeResult(std::u16string_view text);
    [[nodiscard]] CompositionPlacement ImePlacement();
    // The font slot the IME composes in: heading font on a heading row (or the first row with the
    // title line), else the normal font.
    [[nodiscard]] int ImeFontSlot() const noexcept;
    // IMR_RECONVERTSTRING: selects the word at an empty caret first and puts the caret at the
    // selection start. An empty line gives an empty request.
    ReconvertRequest Reconvert();

    // --- Mouse and links ------------------------------------------------------------------------
    MouseDownResult LButtonDown(int x, int y, bool shift, bool ctrl);
    // WM_MOUSEMOVE: drags the selection while selecting; returns the cursor to show.
    CursorKind MouseMove(int x, int y);
    // WM_LBUTTONUP; true when the window should release the capture.
    bool LButtonUp(int x, int y);
    void LButtonDblClk(int x, int y);
    [[nodiscard]] bool Selecting() const noexcept { return selecting_; }
    // The URL, mail address or file path under a client point.
    [[nodiscard]] LinkHit HitTestLink(int x, int y);
    // MEP_GETLINKKIND: selects the link at the caret (empty selection) or classifies the selection.
    LinkKind GetLinkKind();
    [[nodiscard]] LinkKind LastLinkKind() const noexcept { return lastLinkKind_; }
    // MEP_CANADDPICTURE.
    [[nodiscard]] bool CanAddPicture() const noexcept;
    // MEP_GETOBJECTNAME: the name on the object row under point (buffer of at least 256 units); its
    // length, 0 when there is none, -1 for a null point.
    int GetObjectName(const EditorPoint* point, char16_t* buffer);

    // --- Media ----------------------------------------------------------------------------------
    // The sounds and movies of the entry: replacing the text fades or stops the item playing and
    // auto-plays the new one, a style change stops it, layout and scrolling move the movie window,
    // and clicks on media rows play, stop and seek.
    [[nodiscard]] MediaPlayer& Media() noexcept { return media_; }
    [[nodiscard]] const MediaPlayer& Media() const noexcept { return media_; }

    // --- Clipboard ------------------------------------------------------------------------------
    bool Copy(EditorClipboard& clipboard);         // WM_COPY; always 1
    bool Cut(EditorClipboard& clipboard);          // WM_CUT; 0 when read-only or the copy failed
    bool Paste(EditorClipboard& clipboard);        // WM_PASTE; 0 when read-only
    bool Clear() { return ForwardDelete(false); }  // WM_CLEAR

private:
    struct Selection {
        int anchor = 0;
        int caret = 0;
    };
    // How an insertion treats the caret and the first line's heading mark.
    struct InsertOptions {
        bool keepCaret = false;
        bool protectHeadingMark = false;  // typed text never lands in front of the first line's "*"
    };

    // Editing primitives (edit_text.cpp).
    bool InsertText(std::u16string_view source, std::int32_t recordFlags, InsertOptions options,
                    const Selection* before = nullptr, const Selection* after = nullptr);
    bool DeleteRange(int a, int b, std::int32_t recordFlags, Selection before, Selection after);
    bool ReplaceSelectionTyped(std::u16string_view text);
    void PushUndo(UndoRecord record);
    void SpliceText(int at, int removed, std::u16string_view inserted);
    void AfterEdit(bool scrollIntoView);
    void SetCaretAnchor(int caret, int anchor) noexcept;
    void SetModifiedFromDepth() noexcept;
    bool UndoOne();
    bool RedoOne();

    // Layout (edit_layout.cpp).
    void LayoutAll();
    void RelayoutEdit(int at, int removed, int inserted);
    void FinishObjects();
    void SizeObjectRow(RowRecord& row);
    void RecomputeTops(int fromRow);
    void UpdateScrollRange();
    void RebuildFonts();
    // After a change of given_ or dpi_: the style in use follows.
    void ScaleStyle();
    [[nodiscard]] LineMetrics Metrics() const noexcept;
    [[nodiscard]] int RowX(int row, int offset);
    // The offset under x pixels right of the left margin on a text row.
    [[nodiscard]] int OffsetInRow(int row, long long dx, bool rounding);
    // x of the caret as drawn (on its visual row), whether or not that row is visible.
    [[nodiscard]] int CaretX();

    // Motion helpers (edit_motion.cpp).
    void PlaceCaret(int caret, bool extend, bool atRowEnd = false);
    bool MovementKey(EditorKey key, bool shift, bool ctrl);
    bool ControlKey(EditorKey key, bool shift, EditorClipboard* clipboard);
    void FinishMove(bool scroll = true);
    [[nodiscard]] TextRange BlockExtent() const noexcept;
    [[nodiscard]] int LineStartOf(int offset) const noexcept;
    [[nodiscard]] int LineEndOf(int offset) const noexcept;
    void WidenEmptySelectionToWord();
    [[nodiscard]] int FirstRowTopClient() const noexcept;
    [[nodiscard]] int RowTopClient(int row) const noexcept;
    void NotifyChange();
    void Invalidate();
    void NotifyScroll();

    TextMeasurer& measurer_;
    PictureHost* pictureHost_;
    EditorObserver* observer_;
    FontTable fonts_;
    EditorStyle given_;  // as the messages set it, in 96-DPI pixels
    EditorStyle style_;  // given_ scaled for dpi_
    int dpi_ = kBaseDpi;

    std::u16string text_;
    std::vector<RowRecord> rows_;
    int contentHeight_ = 0;
    int paragraphCount_ = 0;
    bool layoutStale_ = true;        // a stored layout setting changed: the next layout is a full pass
    std::uint64_t textVersion_ = 0;  // counts text changes; keys the line-link cache
    std::uint64_t linksVersion_ = ~std::uint64_t{0};
    int linksLineStart_ = -1;
    std::vector<LinkSpan> lineLinks_;
    std::vector<HeldPicture> pictures_;

    int caret_ = 0;
    int anchor_ = 0;
    int goalX_ = 0;
    bool caretAtRowEnd_ = false;
    bool modified_ = false;
    bool readOnly_ = false;

    UndoHistory undo_;
    bool pendingGroup_ = false;
    int cleanDepth_ = 0;  // undo depth whose text is the unchanged one; -1 when none is

    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int scrollOffset_ = 0;
    int scrollMaximum_ = 0;

    bool doubleClickLink_ = false;
    bool autoPlay_ = false;
    bool selecting_ = false;
    bool wordSelecting_ = false;
    int wordStart_ = 0;
    int wordEnd_ = 0;
    int hoverOffset_ = -1;
    bool linkClickPending_ = false;
    EditorPoint clickPoint_;
    LinkKind lastLinkKind_ = LinkKind::None;

    MediaPlayer media_{*this};
};

}  // namespace tavrin
