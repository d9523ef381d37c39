#include "app/app_state.h"

#include <algorithm>
#include <limits>

#include "app/settings_file.h"

namespace tavrin {

OpacityLevels ComputeOpacityLevels(int alpha) noexcept {
    const int a = std::clamp(alpha, 0, 100);
    const auto level = [](int percent) { return static_cast<int>(std::min(percent, 100) / 100.0 * 256.0); };
    return {level(a + 50), level(a + 5), level(a)};
}

void UpdateOpacityLevels(AppState& state) noexcept {
    const OpacityLevels levels = ComputeOpacityLevels(state.settings.colour.alpha);
    state.alphaStrong = levels.strong;
    state.alphaLight = levels.light;
    state.alphaBase = levels.base;
}

int WindowsVersionCodeOf(WindowsPlatform platform, int major, int minor) noexcept {
    switch (platform) {
        case WindowsPlatform::kUnreadable:
            return 0;
        case WindowsPlatform::kWin32s:
            return 1;
        case WindowsPlatform::kWindows9x:
            if (major != 4) {
                return 0;
            }
            return minor == 0 ? 2 : minor == 10 ? 3 : minor == 90 ? 4 : 0;
        case WindowsPlatform::kNt:
            break;
    }
    if (major < 3) {
        return 0;
    }
    if (major <= 4) {
        return 1;
    }
    if (major == 5) {
        return minor == 0 ? 5 : minor == 1 ? 6 : 0;
    }
    if (major == 6 && minor <= 2) {
        return 7 + std::max(minor, 0);
    }
    return 10;
}

std::optional<std::u16string> ResolveExeFolder(std::u16string_view fullPath) {
    if (fullPath.empty() || fullPath.size() >= kExePathLimit) {
        return std::nullopt;
    }
    // Drive: a letter and a colon at the start. Directory: everything after it up to and including the
    // last separator; the file name goes.
    const std::size_t driveLength = fullPath.size() >= 2 && fullPath[1] == u':' ? 2 : 0;
    const std::size_t lastSeparator = fullPath.find_last_of(u"\\/");
    std::u16string folder(fullPath.substr(0, driveLength));
    if (lastSeparator != std::u16string_view::npos && lastSeparator >= driveLength) {
        folder += fullPath.substr(driveLength, lastSeparator + 1 - driveLength);
    }
    if (folder.size() > driveLength && (folder.back() == u'\\' || folder.back() == u'/')) {
        folder.pop_back();
    }
    return folder;
}

std::filesystem::path ExeFolderPath(std::u16string_view exeFolder) {
    std::filesystem::path folder{std::u16string(exeFolder)};
    if (!exeFolder.empty() && exeFolder.back() == u':') {
        folder += std::filesystem::path::preferred_separator;
    }
    return folder;
}

std::filesystem::path PathInExeFolder(std::u16string_view exeFolder, std::u16string_view name) {
    return ExeFolderPath(exeFolder) / std::filesystem::path{std::u16string(name)};
}

bool InitialiseAppState(AppState& state, const StartupInputs& inputs) {
    state.now = inputs.now;
    state.previousClock = inputs.now;
    state.selectedDate = DateOf(inputs.now);
    const std::optional<std::u16string> folder = ResolveExeFolder(inputs.exePath);
    if (!folder) {
        return false;
    }
    state.exeFolder = *folder;
    state.dataFolderName = u"data";
    state.displayMode = DisplayMode::kEdit;
    state.windowsVersionCode = inputs.windowsVersionCode;
    state.screenWidth = inputs.screenWidth;
    state.screenHeight = inputs.screenHeight;
    state.workArea = inputs.workArea.value_or(ScreenRect{0, 0, inputs.screenWidth, inputs.screenHeight});
    state.screenDpi = inputs.dpi;
    state.settings =
        DefaultSettings({inputs.windowsVersionCode, inputs.workArea, YmdOf(state.selectedDate), inputs.dpi});
    state.restoreRect = CentredDefaultGeometry(inputs.workArea, inputs.dpi);
    state.doubleClickTime = std::max(inputs.doubleClickTime, 10);
    state.monthLabels = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                         u"July",    u"August",   u"September", u"October", u"November", u"December"};
    state.weekdayLabels = SplitWeekLabels(state.settings.calendar.weekFormat);
    UpdateOpacityLevels(state);
    return true;
}

void ReadSettingsAtStartup(FileSystem& fs, AppState& state) {
    if (!LoadSettings(fs, state.exeFolder, state)) {
        ClearTemplates(state.templates);
        LoadDefaultTemplates(state.templates);
    }
    UpdateOpacityLevels(state);
}

int ResolveShowCommand(Settings& settings, int startShowCommand) noexcept {
    if (settings.window.windowMax != 0 || startShowCommand == kShowMaximized) {
        settings.window.windowMax = 1;
        return kShowMaximized;
    }
    if (startShowCommand == kShowRestore) {
        settings.window.windowMax = 0;
    }
    return startShowCommand;
}

bool SkipsSingleInstanceCheck(std::u16string_view commandLine, const Settings& settings) noexcept {
    return commandLine == u"/reboot" || settings.other.multipleStart != 0;
}

void ApplyDragThresholds(AppState& state, int width, int height) noexcept {
    const auto threshold = [](int value) { return static_cast<std::int16_t>(std::clamp(value, 1, 0x7FFF)); };
    state.dragWidth = threshold(width);
    state.dragHeight = threshold(height);
}

void RecordRestoreCommand(AppState& state, const FrameGeometry& frame) noexcept {
    state.settings.window.windowMax = frame.maximised ? 1 : 0;
    if (!frame.fullscreen && !frame.maximised && !frame.minimised) {
        state.restoreRect = frame.windowRect;
    }
}

ScreenRect ResetFrameGeometry(AppState& state) noexcept {
    const ScreenRect rect = CentredDefaultGeometry(state.workArea, state.screenDpi);
    WindowSettings& window = state.settings.window;
    window.left = rect.left;
    window.top = rect.top;
    window.width = rect.Width();
    window.height = rect.Height();
    state.restoreRect = rect;
    return rect;
}

bool TodayMarkMustMove(const LocalDateTime& previous, const LocalDateTime& now) noexcept {
    return (previous.hour == 23 && now.hour == 0) || DateOf(previous) != DateOf(now);
}

bool OnClockTick(AppState& state, const LocalDateTime& now) noexcept {
    state.now = now;
    const bool redraw = TodayMarkMustMove(state.previousClock, now);
    state.previousClock = now;
    return redraw;
}

DiaryDate DateOf(const LocalDateTime& time) noexcept { return {time.year, time.month, time.day}; }

int YmdOf(const DiaryDate& date) noexcept {
    // Widened and saturated: a nonsense date must not overflow.
    const long long ymd = 10000LL * date.year + 100LL * date.month + date.day;
    return static_cast<int>(
        std::clamp<long long>(ymd, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace tavrin
