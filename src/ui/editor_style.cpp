#include "ui/editor_style.h"

#include <algorithm>

namespace tavrin {

DisplayStyle DisplayStyleOf(const AppState& state) noexcept {
    const Settings& settings = state.settings;
    DisplayStyle style;
    const std::u16string& face = settings.edit.fontName;
    const std::size_t faceLength = std::min(face.size(), style.faceName.size() - 1);
    std::copy_n(face.begin(), faceLength, style.faceName.begin());
    style.fontSize = settings.edit.fontSize;
    style.fontSizeHead = settings.edit.fontSizeHead;
    const auto setColour = [&style](int slot, ColorRef colour) {
        style.colors[static_cast<std::size_t>(slot)] = static_cast<std::int32_t>(colour);
        style.colorFlags[static_cast<std::size_t>(slot)] = 1;
    };
    const ColourSettings& colour = settings.colour;
    setColour(kColorText, colour.text);
    setColour(kColorBack, colour.back);
    setColour(kColorSaturday, colour.saturday);
    setColour(kColorSunday, colour.sunday);
    setColour(kColorHead, colour.head);
    setColour(kColorUrl, colour.url);
    setColour(kColorMail, colour.mail);
    setColour(kColorFile, colour.file);
    style.alpha = {state.alphaStrong, state.alphaLight, state.alphaBase};
    style.textDropShadow = colour.textDropShadow;
    style.margins = {20, 10, 20, 10};
    style.caretWidth = 2;
    style.lineSpacing = settings.edit.lineSpacing;
    style.tabStop = settings.edit.tabStop;
    style.scrollLines = settings.edit.scrollLines;
    style.wordWrap = settings.edit.wordWrap;
    return style;
}

}  // namespace tavrin
