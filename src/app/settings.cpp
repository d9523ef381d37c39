#include "app/settings.h"

#include <algorithm>
#include <limits>

namespace tavrin {

std::array<ColorRef, kCustomColourCount> GreyRampColours() noexcept {
    std::array<ColorRef, kCustomColourCount> colours{};
    for (unsigned i = 0; i < kCustomColourCount; ++i) {
        colours[i] = MakeColorRef(17 * i, 17 * i, 17 * i);
    }
    return colours;
}

ScreenRect CentredDefaultGeometry(const std::optional<ScreenRect>& workArea, int dpi) noexcept {
    const int width = ScaleForDpi(kDefaultWindowWidth, dpi);
    const int height = ScaleForDpi(kDefaultWindowHeight, dpi);
    int left = 100;
    int top = 100;
    if (workArea) {
        left = (workArea->right - width) / 2;
        top = (workArea->bottom - height) / 2;
    }
    return {left, top, left + width, top + height};
}

Settings DefaultSettings(const MachineFacts& machine) {
    Settings settings;
    settings.window.mainFontName = machine.windowsVersionCode > 6 ? u"メイリオ" : u"ＭＳ Ｐゴシック";
    const ScreenRect window = CentredDefaultGeometry(machine.workArea, machine.dpi);
    settings.window.left = window.left;
    settings.window.top = window.top;
    settings.window.width = window.Width();
    settings.window.height = window.Height();
    settings.other.startDate = machine.todayYmd;
    UpdateDerivedSettings(settings);
    return settings;
}

void ClampSettings(Settings& settings) noexcept {
    const auto atLeastOne = [](int& value) { value = std::max(value, 1); };
    atLeastOne(settings.window.fontSizeS);
    atLeastOne(settings.window.fontSizeM);
    atLeastOne(settings.window.fontSizeL);
    settings.colour.alpha = std::clamp(settings.colour.alpha, 0, 100);
    settings.calendar.boxWidth = std::max(settings.calendar.boxWidth, 15);
    settings.calendar.boxHeight = std::max(settings.calendar.boxHeight, 12);
    settings.calendar.boxMargin = std::max(settings.calendar.boxMargin, 0);
    atLeastOne(settings.edit.fontSize);
    atLeastOne(settings.edit.tabStop);
    atLeastOne(settings.edit.scrollLines);
    atLeastOne(settings.edit.fontSizeHead);
    OtherSettings& other = settings.other;
    other.defaultImageFormat = std::clamp(other.defaultImageFormat, 0, 4);
    other.jpegQuality = std::clamp(other.jpegQuality, 0, 100);
    other.imageCopySave = std::clamp(other.imageCopySave, 0, 2);
    other.soundCopySave = std::clamp(other.soundCopySave, 0, 2);
    other.movieCopySave = std::clamp(other.movieCopySave, 0, 2);
}

int SideBarWidthOf(const CalendarSettings& calendar) noexcept {
    // Widened so that absurd hand-edited box sizes cannot overflow; the result saturates.
    const long long width = 7LL * calendar.boxWidth + 6LL * calendar.boxMargin;
    return static_cast<int>(
        std::clamp<long long>(width, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void UpdateDerivedSettings(Settings& settings) noexcept {
    settings.window.sideBarWidth = SideBarWidthOf(settings.calendar);
    settings.calendar.rowUnit = settings.calendar.boxHeight / 6;
    settings.shortcutKey.active = settings.shortcutKey.pending;
}

}  // namespace tavrin
