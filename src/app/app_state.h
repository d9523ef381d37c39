#pragma once
// The process-wide application state of the portable core, and the start-up decisions that can be
// made without the operating system. Window handles and the accelerator table belong to the shell.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "calendar/diary_date.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "templates/template_list.h"

namespace tavrin {

// What the main frame shows beside the sidebar.
enum class DisplayMode { kEdit = 0, kCalendar = 1 };

// Opacity levels 0..256 derived from the [Color] Alpha percentage.
struct OpacityLevels {
    int strong = 0;
    int light = 0;
    int base = 0;
    friend bool operator==(const OpacityLevels&, const OpacityLevels&) = default;
};

inline constexpr std::u16string_view kSettingsFileName = u"tavrin.ini";

// The one application state, owned by the program entry and passed by reference. The diary name is
// the [System] DiaryName setting (DiaryName()); the template count is templates.Count().
struct AppState {
    std::u16string exeFolder;  // drive and directory of the program, without a trailing backslash
    std::u16string dataFolderName = u"data";
    LocalDateTime now;
    LocalDateTime previousClock;  // the reading of the previous clock tick
    DiaryDate selectedDate;       // the date whose entry is in the editor
    DisplayMode displayMode = DisplayMode::kEdit;
    bool startupDone = false;
    int showCommand = 0;     // a Windows SW_* value, after ResolveShowCommand
    ScreenRect restoreRect;  // the frame's last normal (not maximised or minimised) window rectangle
    int screenWidth = 0;
    int screenHeight = 0;
    ScreenRect workArea;       // (0, 0, screenWidth, screenHeight) when it cannot be read
    int screenDpi = kBaseDpi;  // the system's screen DPI: the default window is sized for it
    int windowsVersionCode = 0;
    int doubleClickTime = 500;   // milliseconds, at least 10
    std::int16_t dragWidth = 1;  // at least 1
    std::int16_t dragHeight = 1;
    int alphaStrong = 0;
    int alphaLight = 0;
    int alphaBase = 0;
    bool resetSettingsPending = false;  // shutdown deletes the settings file instead of writing it
    std::array<std::u16string, 12> monthLabels;
    WeekLabels weekdayLabels;
    Settings settings;
    TemplateList templates;  // the live list: menu, accelerators, insertion

    [[nodiscard]] const std::u16string& DiaryName() const noexcept { return settings.system.diaryName; }
};

// The levels for an Alpha percentage (clamped to 0..100): strong = min(a + 50, 100), light =
// min(a + 5, 100) and base = a, each / 100 x 256 truncated. 15 gives (166, 51, 38).
[[nodiscard]] OpacityLevels ComputeOpacityLevels(int alpha) noexcept;
// Stores the levels of the current [Color] Alpha into the state.
void UpdateOpacityLevels(AppState& state) noexcept;

// The platform field of the system's version information.
enum class WindowsPlatform { kUnreadable, kWin32s, kWindows9x, kNt };

// The code that tells the system generation: 1 Win32s or NT 3/4, 2 to 4 for 95/98/Me, 5 for 5.0, 6 for
// 5.1, 7 to 9 for 6.0 to 6.2, 10 for anything later; 0 for what the table does not know.
[[nodiscard]] int WindowsVersionCodeOf(WindowsPlatform platform, int major, int minor) noexcept;

// The longest executable path the program accepts, in characters (exclusive).
inline constexpr std::size_t kExePathLimit = 260;

// The folder of the executable from its full path: drive and directory, one trailing backslash
// dropped. Nothing when the path is empty (it could not be read) or kExePathLimit characters or longer.
[[nodiscard]] std::optional<std::u16string> ResolveExeFolder(std::u16string_view fullPath);

// The executable folder as a path every folder of the program is built from. A bare drive ("C:") gets
// its root separator back, so that what is built from it does not name a path relative to that drive's
// current folder.
[[nodiscard]] std::filesystem::path ExeFolderPath(std::u16string_view exeFolder);

// The path of a file or folder beside the executable (under ExeFolderPath).
[[nodiscard]] std::filesystem::path PathInExeFolder(std::u16string_view exeFolder, std::u16string_view name);

// What start-up reads from the system before it fills the state.
struct StartupInputs {
    LocalDateTime now;
    std::u16string exePath;  // empty when it could not be read
    int windowsVersionCode = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    std::optional<ScreenRect> workArea;
    int doubleClickTime = 0;
    int dpi = kBaseDpi;  // the system's screen DPI
};

// Fills the state and the default settings from the inputs: clock and SelectedDate from now, the
// executable folder, the machine-dependent defaults, RestoreRect, labels and the default keys.
// False, with the state partly filled, when the executable folder cannot be resolved; the program
// then exits silently.
[[nodiscard]] bool InitialiseAppState(AppState& state, const StartupInputs& inputs);

// Reads the settings file at start-up: on success the derived state follows it; when it cannot be
// read the defaults stay and the default templates are loaded. The opacity levels follow either way.
void ReadSettingsAtStartup(FileSystem& fs, AppState& state);

// Windows show commands used by the show-command rule.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowRestore = 9;

// The show command of the main frame from the one the process was started with: maximised when
// WindowMax is on or the process was started maximised (WindowMax becomes 1); a restore start clears
// WindowMax. Updates settings.window.windowMax and returns the command to use.
[[nodiscard]] int ResolveShowCommand(Settings& settings, int startShowCommand) noexcept;

// True when a second copy may run beside the first: the command line is exactly "/reboot" or the
// MultipleStart setting is on.
[[nodiscard]] bool SkipsSingleInstanceCheck(std::u16string_view commandLine,
                                            const Settings& settings) noexcept;

// The drag thresholds of the system, each at least 1.
void ApplyDragThresholds(AppState& state, int width, int height) noexcept;

// The main frame's placement, as the shell reads it.
struct FrameGeometry {
    bool fullscreen = false;
    bool maximised = false;
    bool minimised = false;
    ScreenRect windowRect;  // the frame's current window rectangle
};

// The restore command of the frame: WindowMax follows the maximised state, and a frame that is
// neither fullscreen nor maximised nor minimised has its rectangle kept as RestoreRect.
void RecordRestoreCommand(AppState& state, const FrameGeometry& frame) noexcept;

// Puts the frame back at the centred default (800 x 600 at 96 DPI, scaled for screenDpi, in the work
// area) when it lies on no monitor:
// Left, Top, Width, Height and RestoreRect. Returns the rectangle to move the frame to.
ScreenRect ResetFrameGeometry(AppState& state) noexcept;

// Whether today's mark in the calendars must move between two clock readings: the hour stepped from
// 23 to 0, or the date changed in any other way (the machine slept over midnight, the clock was set).
[[nodiscard]] bool TodayMarkMustMove(const LocalDateTime& previous, const LocalDateTime& now) noexcept;

// One tick of the clock timer (or a system time change): stores now and the previous reading and
// tells whether the calendars must be redrawn.
[[nodiscard]] bool OnClockTick(AppState& state, const LocalDateTime& now) noexcept;

// The date part of a clock reading.
[[nodiscard]] DiaryDate DateOf(const LocalDateTime& time) noexcept;
// year x 10000 + month x 100 + day, the form of the StartDate setting.
[[nodiscard]] int YmdOf(const DiaryDate& date) noexcept;

}  // namespace tavrin
