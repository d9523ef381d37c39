#pragma once
// What the running program does after the settings sheet closed with OK, in its order, decided from
// the change flags of the pages.

#include "settings_dialog/setting_fields.h"

namespace tavrin {

// The steps, in the order they run. Steps without a flag of their own (store options, window title,
// weekday labels, opacity levels) are cheap and always follow the record.
struct ApplySteps {
    bool copyKeys = false;             // 1. pending keys over the active ones
    bool rebuildAccelerators = false;  // 1. keys or template keys changed
    bool sendEditorStyle = false;      // 2. the editor's style, the search box's font and colours
    bool writeEditorOptions = false;   // 2. only AutoPlay and DoubleClickLink
    bool recreateSideFonts = false;    // 3. the side-area fonts and the search box's font
    bool reloadBackground = false;     // 4. the background picture
    bool relayout = false;             // 5. the frame's layout and a repaint
    bool saveSettings = true;          // 6. the settings file
    friend bool operator==(const ApplySteps&, const ApplySteps&) = default;
};

// Nothing happens for a reset: the pages were not accepted and the program restarts instead.
[[nodiscard]] ApplySteps PlanApply(const ChangeFlags& flags) noexcept;

}  // namespace tavrin
