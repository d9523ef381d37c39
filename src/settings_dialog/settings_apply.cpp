#include "settings_dialog/settings_apply.h"

namespace tavrin {

ApplySteps PlanApply(const ChangeFlags& flags) noexcept {
    ApplySteps steps;
    if (flags.reset) {
        steps.saveSettings = false;
        return steps;
    }
    steps.copyKeys = flags.keys;
    steps.rebuildAccelerators = flags.keys || flags.templates;
    steps.sendEditorStyle = flags.editorStyle;
    steps.writeEditorOptions = !flags.editorStyle && flags.editorOptions;
    steps.recreateSideFonts = flags.sideFonts;
    steps.reloadBackground = flags.background;
    steps.relayout = flags.frameLayout;
    return steps;
}

}  // namespace tavrin
