#pragma once
// The editor's painting decisions: one full frame of the client area drawn through an EditorCanvas
// from what the core laid out — background, text rows with headings, links, control-character boxes,
// selection and drop shadow, picture placeholders, sound bars and movie frames — and where the caret
// stands afterwards.

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/edit_state.h"
#include "editor/editor_canvas.h"

namespace tavrin {

// The media item being played, as the player reports it; item -1 when nothing plays.
struct MediaPaintState {
    int item = -1;  // objectIndex of the sound or movie row
    int positionMs = 0;
    int lengthMs = 0;
};

// What a frame needs besides the editor: the background picture's place, and the media state.
struct PaintRequest {
    bool backPicture = false;
    int backX = 0;
    int backY = 0;
    MediaPaintState media;
};

// What painting found out: where the caret goes, and the seek bar of a playing movie (empty
// otherwise), which the mouse hit test uses.
struct PaintResult {
    CaretPlacement caret;
    EditorRect seekBar;
};

// Paints the whole client area. Nothing is drawn when the client area is empty.
PaintResult PaintEditor(EditState& editor, EditorCanvas& canvas, const PaintRequest& request);

// "m:ss / m:ss", or "h:mm:ss / h:mm:ss" when the length is an hour or more.
[[nodiscard]] std::u16string MediaTimeText(int positionMs, int lengthMs);

// Glyphs drawn on media rows: the play button, and the stop button of the item playing.
inline constexpr std::u16string_view kPlayGlyph = u"♪";
inline constexpr std::u16string_view kStopGlyph = u"×";

}  // namespace tavrin
