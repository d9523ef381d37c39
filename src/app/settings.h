#pragma once
// Every user preference, grouped by the section of the settings file that stores it, with its
// default, the clamps applied when it is read, and the values derived from it.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "app/command_table.h"
#include "app/settings_codec.h"
#include "ui/dpi.h"

namespace tavrin {

// The largest lengths of the string settings, in UTF-16 code units; longer values are cut on reading.
inline constexpr std::size_t kDiaryNameMax = 259;
inline constexpr std::size_t kMainFontNameMax = 62;
inline constexpr std::size_t kWeekFormatMax = 254;
inline constexpr std::size_t kFontNameMax = 63;
inline constexpr std::size_t kBackImagePathMax = 260;
inline constexpr std::size_t kSearchWordMax = 255;

inline constexpr int kDefaultWindowWidth = 800;
inline constexpr int kDefaultWindowHeight = 600;

// [System]
struct SystemSettings {
    std::u16string diaryName = u"RaRorir";
    int fileOpenFilterNumber = 1;
    friend bool operator==(const SystemSettings&, const SystemSettings&) = default;
};

// [Window]. Flags are ints: 0 off, anything else on, written back as read. sideBarWidth is never read;
// it is always 7 x BoxWidth + 6 x BoxMargin (UpdateDerivedSettings) until the frame changes it.
struct WindowSettings {
    int left = 100;
    int top = 100;
    int width = kDefaultWindowWidth;
    int height = kDefaultWindowHeight;
    int windowMax = 0;
    int fullscreen = 0;
    int settingPage = 0;
    int showToolBar = 1;
    int showSideArea = 1;
    int sideBarLayout = 0;
    int sideBarWidth = 7 * 32 + 6 * 4;
    std::u16string mainFontName = u"メイリオ";
    int fontSizeS = 9;
    int fontSizeM = 14;
    int fontSizeL = 22;
    int marginLeft = 50;
    int marginTop = 40;
    int marginRight = 50;
    int marginBottom = 40;
    int limitMaxWidth = 0;
    int maxWidth = 950;
    friend bool operator==(const WindowSettings&, const WindowSettings&) = default;
};

// [ShortcutKey]: pending holds the keys read from the file and edited by the settings dialog; active
// the keys in use (accelerators, menus, and what is written back). Reading the file and applying the
// dialog copy pending over active.
struct ShortcutKeySettings {
    ShortcutKeyArray active = DefaultShortcutKeys();
    ShortcutKeyArray pending = DefaultShortcutKeys();
    friend bool operator==(const ShortcutKeySettings&, const ShortcutKeySettings&) = default;
};

inline constexpr std::size_t kCustomColourCount = 16;

// The grey ramp the colour-choice dialog starts with: component 17 x i for i = 0 to 15.
[[nodiscard]] std::array<ColorRef, kCustomColourCount> GreyRampColours() noexcept;

// [Color]. alpha is clamped to 0..100 on reading.
struct ColourSettings {
    std::array<ColorRef, kCustomColourCount> customColours = GreyRampColours();
    ColorRef text = MakeColorRef(0, 128, 192);
    ColorRef back = MakeColorRef(255, 255, 255);
    ColorRef saturday = MakeColorRef(0, 128, 192);
    ColorRef sunday = MakeColorRef(255, 51, 51);
    ColorRef head = MakeColorRef(0, 128, 192);
    ColorRef url = MakeColorRef(0, 136, 255);
    ColorRef mail = MakeColorRef(255, 0, 136);
    ColorRef file = MakeColorRef(255, 136, 0);
    int alpha = 15;
    int textDropShadow = 0;
    friend bool operator==(const ColourSettings&, const ColourSettings&) = default;
};

// [Calendar]. rowUnit is derived, not stored: BoxHeight / 6 after reading (the frame may change it
// when the user drags the calendar's size).
struct CalendarSettings {
    int startWeek = 0;
    int showWeek = 1;
    std::u16string weekFormat = u"日,月,火,水,木,金,土";
    int boxWidth = 32;
    int boxHeight = 24;
    int boxMargin = 4;
    int rowUnit = 24 / 6;
    friend bool operator==(const CalendarSettings&, const CalendarSettings&) = default;
};

// [Edit]
struct EditSettings {
    std::u16string fontName = u"メイリオ";
    int fontSize = 12;
    int lineSpacing = 4;
    int tabStop = 4;
    int scrollLines = 6;
    int fontSizeHead = 180;
    int wordWrap = 1;
    friend bool operator==(const EditSettings&, const EditSettings&) = default;
};

// [BackImage]. alpha is not clamped (unlike the [Color] one).
struct BackImageSettings {
    int showBackImage = 0;
    std::u16string path;
    int mode = 1;
    int posX = 50;
    int posY = 50;
    int alpha = 20;
    friend bool operator==(const BackImageSettings&, const BackImageSettings&) = default;
};

// The search history, newest first: words[0 .. count - 1] are the entries (0 <= count <= 10).
struct SearchHistory {
    static constexpr int kCapacity = 10;
    std::array<std::u16string, kCapacity> words;
    int count = 0;
    friend bool operator==(const SearchHistory&, const SearchHistory&) = default;
};

// [Search]
struct SearchSettings {
    int matchCase = 0;
    int wordOnly = 0;
    SearchHistory history;
    friend bool operator==(const SearchSettings&, const SearchSettings&) = default;
};

// [Other]. startDate is YYYYMMDD.
struct OtherSettings {
    int defaultImageFormat = 0;
    int jpegQuality = 90;
    int imageCopySave = 1;
    int soundCopySave = 0;
    int movieCopySave = 0;
    int startDateMode = 0;
    int startDate = 0;
    int startImeOn = 0;
    int multipleStart = 0;
    int diaryTitle = 1;
    int editLock = 0;
    int titleBarName = 0;
    int fixedSideBar = 0;
    int autoPlay = 0;
    int deleteEndBlankLine = 0;
    int noAnimation = 0;
    int doubleClickLink = 0;
    int checkLinkOpen = 0;
    friend bool operator==(const OtherSettings&, const OtherSettings&) = default;
};

// The whole record. The template list lives beside it in AppState.
struct Settings {
    SystemSettings system;
    WindowSettings window;
    ShortcutKeySettings shortcutKey;
    ColourSettings colour;
    CalendarSettings calendar;
    EditSettings edit;
    BackImageSettings backImage;
    SearchSettings search;
    OtherSettings other;
    friend bool operator==(const Settings&, const Settings&) = default;
};

// A screen rectangle in pixels (right and bottom exclusive), like a Windows RECT.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    [[nodiscard]] int Width() const noexcept { return right - left; }
    [[nodiscard]] int Height() const noexcept { return bottom - top; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The 800 x 600 window (at 96 DPI; scaled for a screen of another dpi) centred in the work area:
// left = (right - width) / 2, top = (bottom - height) / 2 of the work area; at (100, 100) when the work
// area is unknown.
[[nodiscard]] ScreenRect CentredDefaultGeometry(const std::optional<ScreenRect>& workArea,
                                                int dpi = kBaseDpi) noexcept;

// The facts of the machine that some defaults depend on.
struct MachineFacts {
    int windowsVersionCode = 0;
    std::optional<ScreenRect> workArea;  // none when it cannot be read
    int todayYmd = 0;                    // today as YYYYMMDD
    int dpi = kBaseDpi;                  // the system's screen DPI
};

// The default record: "メイリオ" as MainFontName when windowsVersionCode is above 6, else
// "ＭＳ Ｐゴシック"; the window centred in the work area at the default size for the screen; StartDate
// today. (Left, Top, Width and Height are the window's rectangle on the screen, in its own pixels.)
[[nodiscard]] Settings DefaultSettings(const MachineFacts& machine);

// Applies the clamps of reading: [Color] Alpha and the [Other] choices into their ranges, sizes of 0
// or less to 1, BoxWidth at least 15, BoxHeight at least 12, BoxMargin at least 0.
void ClampSettings(Settings& settings) noexcept;

// The sidebar's width for the calendar's boxes: 7 x BoxWidth + 6 x BoxMargin, saturating at the int
// range for absurd hand-edited sizes.
[[nodiscard]] int SideBarWidthOf(const CalendarSettings& calendar) noexcept;

// Recomputes what follows from the stored values: the sidebar width, the calendar row unit, and the
// active keys from the pending ones.
void UpdateDerivedSettings(Settings& settings) noexcept;

}  // namespace tavrin
