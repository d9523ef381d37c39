#pragma once
// What a list of files dropped on the main window, or pasted from the clipboard as a file list, does to
// the entry: become attachments, be inserted as their paths, or become the background picture.

#include <span>
#include <string>
#include <vector>

#include "store/attachments.h"

namespace tavrin {

enum class DropAction {
    kNothing,
    kInsertText,  // text: every path followed by a line feed, replacing the selection as one change
    kAttach,      // files: attach them in order
    kBackground,  // background: the one picture becomes the background picture
};

struct DropPlan {
    DropAction action = DropAction::kNothing;
    std::u16string text;
    std::vector<AttachRequest> files;
    std::u16string background;
};

// The longest path of a picture dropped as the background: what a Windows path buffer (MAX_PATH with
// its terminator) holds. The settings themselves read one character more (kBackImagePathMax).
inline constexpr std::size_t kBackgroundPathMax = 259;

// The plan for the paths of a drop. outsideEditor: the drop point lies outside the editor (a file list
// from the clipboard has no drop point and passes false); ctrl: Ctrl was held. One picture dropped
// outside the editor becomes the background (with or without Ctrl; a path too long to keep does
// nothing). Otherwise the paths are inserted as text when Ctrl is held or when any file is no picture,
// sound or movie, and attached when all are.
[[nodiscard]] DropPlan PlanDrop(std::span<const std::u16string> paths, bool outsideEditor, bool ctrl);

}  // namespace tavrin
