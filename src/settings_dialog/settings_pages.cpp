#include "settings_dialog/settings_pages.h"

#include <algorithm>
#include <utility>

#include "../../resources/settings_resource.h"
#include "platform/text.h"
#include "settings_dialog/colour_rows.h"

namespace tavrin {
namespace {

using NumberOf = const int& (*)(const Settings&);
using TextOf = const std::u16string& (*)(const Settings&);
using ColourOf = const ColorRef& (*)(const Settings&);

constexpr SettingField Check(int control, unsigned groups, NumberOf number) {
    return {control, FieldKind::kCheck, groups, 0, 1, 0, number, nullptr, nullptr};
}
constexpr SettingField Number(int control, unsigned groups, int low, int high, NumberOf number) {
    return {control, FieldKind::kNumber, groups, low, high, 0, number, nullptr, nullptr};
}
constexpr SettingField Choice(int control, unsigned groups, int high, NumberOf number) {
    return {control, FieldKind::kChoice, groups, 0, high, 0, number, nullptr, nullptr};
}
constexpr SettingField Text(int control, unsigned groups, std::size_t maxLength, TextOf text,
                            FieldKind kind = FieldKind::kText) {
    return {control, kind, groups, 0, 0, maxLength, nullptr, text, nullptr};
}
constexpr SettingField Colour(int slot, unsigned groups, ColourOf colour) {
    return {slot, FieldKind::kColour, groups, 0, 0, 0, nullptr, nullptr, colour};
}

constexpr unsigned kLayout = kGroupFrameLayout;
constexpr unsigned kFonts = kGroupSideFonts | kGroupFrameLayout;
constexpr unsigned kStyle = kGroupEditorStyle;
constexpr unsigned kColours = kGroupEditorStyle | kGroupFrameLayout;
constexpr unsigned kBack = kGroupBackground | kGroupFrameLayout;

template <std::size_t I>
const ColorRef& CustomColourOf(const Settings& s) {
    return s.colour.customColours[I];
}

template <std::size_t... I>
constexpr std::array<SettingField, sizeof...(I)> CustomColourFields(std::index_sequence<I...>) {
    return {Colour(kCustomColourSlot + static_cast<int>(I), kGroupNone, &CustomColourOf<I>)...};
}

constexpr std::array kGeneralOwnFields{
    Check(IDC_GEN_TOOLBAR, kLayout, [](const Settings& s) -> const int& { return s.window.showToolBar; }),
    Check(IDC_GEN_SIDEAREA, kLayout, [](const Settings& s) -> const int& { return s.window.showSideArea; }),
    Choice(IDC_GEN_SIDE_LEFT, kLayout, 1,
           [](const Settings& s) -> const int& { return s.window.sideBarLayout; }),
    Text(IDC_GEN_FONT, kFonts, kFontNameFieldMax,
         [](const Settings& s) -> const std::u16string& { return s.window.mainFontName; }),
    Number(IDC_GEN_SIZE_S, kFonts, 1, 99, [](const Settings& s) -> const int& { return s.window.fontSizeS; }),
    Number(IDC_GEN_SIZE_M, kFonts, 1, 99, [](const Settings& s) -> const int& { return s.window.fontSizeM; }),
    Number(IDC_GEN_SIZE_L, kFonts, 1, 99, [](const Settings& s) -> const int& { return s.window.fontSizeL; }),
    Number(IDC_GEN_MARGIN_LEFT, kLayout, 0, 9999,
           [](const Settings& s) -> const int& { return s.window.marginLeft; }),
    Number(IDC_GEN_MARGIN_RIGHT, kLayout, 0, 9999,
           [](const Settings& s) -> const int& { return s.window.marginRight; }),
    Number(IDC_GEN_MARGIN_TOP, kLayout, 0, 9999,
           [](const Settings& s) -> const int& { return s.window.marginTop; }),
    Number(IDC_GEN_MARGIN_BOTTOM, kLayout, 0, 9999,
           [](const Settings& s) -> const int& { return s.window.marginBottom; }),
    Check(IDC_GEN_LIMIT, kLayout, [](const Settings& s) -> const int& { return s.window.limitMaxWidth; }),
    Number(IDC_GEN_MAXWIDTH, kLayout, 0, 9999,
           [](const Settings& s) -> const int& { return s.window.maxWidth; }),
    Number(IDC_GEN_ALPHA, kColours, 0, 100, [](const Settings& s) -> const int& { return s.colour.alpha; }),
    Check(IDC_GEN_SHADOW, kColours, [](const Settings& s) -> const int& { return s.colour.textDropShadow; }),
    Colour(kColourRowSlot + 0, kColours, [](const Settings& s) -> const ColorRef& { return s.colour.text; }),
    Colour(kColourRowSlot + 1, kColours, [](const Settings& s) -> const ColorRef& { return s.colour.back; }),
    Colour(kColourRowSlot + 2, kColours,
           [](const Settings& s) -> const ColorRef& { return s.colour.saturday; }),
    Colour(kColourRowSlot + 3, kColours,
           [](const Settings& s) -> const ColorRef& { return s.colour.sunday; }),
    Colour(kColourRowSlot + 4, kColours, [](const Settings& s) -> const ColorRef& { return s.colour.head; }),
    Colour(kColourRowSlot + 5, kColours, [](const Settings& s) -> const ColorRef& { return s.colour.url; }),
    Colour(kColourRowSlot + 6, kColours, [](const Settings& s) -> const ColorRef& { return s.colour.mail; }),
    Colour(kColourRowSlot + 7, kColours, [](const Settings& s) -> const ColorRef& { return s.colour.file; }),
};

constexpr auto kCustomFields = CustomColourFields(std::make_index_sequence<kCustomColourCount>());

constexpr auto kGeneralFields = [] {
    std::array<SettingField, kGeneralOwnFields.size() + kCustomFields.size()> all{};
    std::copy(kGeneralOwnFields.begin(), kGeneralOwnFields.end(), all.begin());
    std::copy(kCustomFields.begin(), kCustomFields.end(), all.begin() + kGeneralOwnFields.size());
    return all;
}();

constexpr std::array kEditFields{
    Text(IDC_EDIT_FONT, kStyle, kFontNameFieldMax,
         [](const Settings& s) -> const std::u16string& { return s.edit.fontName; }),
    Number(IDC_EDIT_SIZE, kStyle, 1, 999, [](const Settings& s) -> const int& { return s.edit.fontSize; }),
    Number(IDC_EDIT_TAB, kStyle, 1, 999, [](const Settings& s) -> const int& { return s.edit.tabStop; }),
    Number(IDC_EDIT_SPACING, kStyle, -999, 999,
           [](const Settings& s) -> const int& { return s.edit.lineSpacing; }),
    Number(IDC_EDIT_SCROLL, kStyle, 1, 999,
           [](const Settings& s) -> const int& { return s.edit.scrollLines; }),
    Number(IDC_EDIT_HEAD, kStyle, 1, 999,
           [](const Settings& s) -> const int& { return s.edit.fontSizeHead; }),
    Check(IDC_EDIT_WRAP, kStyle, [](const Settings& s) -> const int& { return s.edit.wordWrap; }),
};

constexpr std::array kCalendarFields{
    Choice(IDC_CAL_START, kLayout, 6, [](const Settings& s) -> const int& { return s.calendar.startWeek; }),
    Check(IDC_CAL_SHOWWEEK, kLayout, [](const Settings& s) -> const int& { return s.calendar.showWeek; }),
    Text(IDC_CAL_FORMAT, kLayout, kWeekFormatFieldMax,
         [](const Settings& s) -> const std::u16string& { return s.calendar.weekFormat; }),
    Number(IDC_CAL_MARGIN, kLayout, 0, 99,
           [](const Settings& s) -> const int& { return s.calendar.boxMargin; }),
};

constexpr std::array kBackgroundFields{
    Check(IDC_BACK_SHOW, kBack, [](const Settings& s) -> const int& { return s.backImage.showBackImage; }),
    Text(
        IDC_BACK_PATH, kBack, kBackImagePathMax,
        [](const Settings& s) -> const std::u16string& { return s.backImage.path; }, FieldKind::kPath),
    Choice(IDC_BACK_MODE, kBack, 1, [](const Settings& s) -> const int& { return s.backImage.mode; }),
    Number(IDC_BACK_POSX, kBack, 0, 100, [](const Settings& s) -> const int& { return s.backImage.posX; }),
    Number(IDC_BACK_POSY, kBack, 0, 100, [](const Settings& s) -> const int& { return s.backImage.posY; }),
    Number(IDC_BACK_ALPHA, kBack, 0, 100, [](const Settings& s) -> const int& { return s.backImage.alpha; }),
};

constexpr std::array kPasteFields{
    Choice(IDC_PASTE_PNG, kGroupNone, 4,
           [](const Settings& s) -> const int& { return s.other.defaultImageFormat; }),
    Number(IDC_PASTE_QUALITY, kGroupNone, 0, 100,
           [](const Settings& s) -> const int& { return s.other.jpegQuality; }),
    Choice(IDC_PASTE_IMAGE, kGroupNone, 2,
           [](const Settings& s) -> const int& { return s.other.imageCopySave; }),
    Choice(IDC_PASTE_SOUND, kGroupNone, 2,
           [](const Settings& s) -> const int& { return s.other.soundCopySave; }),
    Choice(IDC_PASTE_MOVIE, kGroupNone, 2,
           [](const Settings& s) -> const int& { return s.other.movieCopySave; }),
};

constexpr std::array kStartupFields{
    Choice(IDC_START_DATE, kGroupNone, 2,
           [](const Settings& s) -> const int& { return s.other.startDateMode; }),
    Check(IDC_START_IME, kGroupNone, [](const Settings& s) -> const int& { return s.other.startImeOn; }),
    Check(IDC_START_MULTIPLE, kGroupNone,
          [](const Settings& s) -> const int& { return s.other.multipleStart; }),
};

// The edit lock, the title, the store's options and FixedSideBar and CheckLinkOpen are read where they
// are used, so they need no group; the program copies them after every OK.
constexpr std::array kOtherFields{
    Check(IDC_OTHER_FIRST + 0, kStyle, [](const Settings& s) -> const int& { return s.other.diaryTitle; }),
    Check(IDC_OTHER_FIRST + 1, kGroupNone, [](const Settings& s) -> const int& { return s.other.editLock; }),
    Check(IDC_OTHER_FIRST + 2, kGroupNone,
          [](const Settings& s) -> const int& { return s.other.titleBarName; }),
    Check(IDC_OTHER_FIRST + 3, kGroupNone,
          [](const Settings& s) -> const int& { return s.other.fixedSideBar; }),
    Check(IDC_OTHER_FIRST + 4, kGroupEditorOptions,
          [](const Settings& s) -> const int& { return s.other.autoPlay; }),
    Check(IDC_OTHER_FIRST + 5, kGroupNone,
          [](const Settings& s) -> const int& { return s.other.deleteEndBlankLine; }),
    Check(IDC_OTHER_FIRST + 6, kLayout, [](const Settings& s) -> const int& { return s.other.noAnimation; }),
    Check(IDC_OTHER_FIRST + 7, kGroupEditorOptions,
          [](const Settings& s) -> const int& { return s.other.doubleClickLink; }),
    Check(IDC_OTHER_FIRST + 8, kGroupNone,
          [](const Settings& s) -> const int& { return s.other.checkLinkOpen; }),
};

constexpr std::array<std::u16string_view, kSettingsPageCount> kPageTitles{
    u"全般", u"編集", u"カレンダー", u"背景", u"貼り付け", u"定型文", u"キーボード", u"起動", u"その他",
};

constexpr std::array<std::u16string_view, 7> kWeekdays{u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
constexpr std::array<std::u16string_view, 5> kWeekFormats{
    u"日,月,火,水,木,金,土",
    u"Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday",
    u"Sun,Mon,Tue,Wed,Thu,Fri,Sat",
    u"Su,Mo,Tu,We,Th,Fr,Sa",
    u"S,M,T,W,T,F,S",
};
constexpr std::array<std::u16string_view, 3> kTabStops{u"2", u"4", u"8"};
constexpr std::array<std::u16string_view, 2> kBackModes{u"月替わりの画像「1.jpg」～「12.jpg」を表示",
                                                        u"フォルダ内の画像をランダム表示"};
constexpr std::array<std::u16string_view, 3> kCopySaves{u"リンクのみ", u"日記フォルダにコピー",
                                                        u"日記フォルダに移動"};
constexpr std::array<std::u16string_view, 3> kStartDates{u"今日", u"最新の日記", u"前回の選択日付"};

}  // namespace

std::u16string_view SettingsPageTitle(SettingsPage page) noexcept {
    return kPageTitles[static_cast<std::size_t>(page)];
}

int SettingsPageResource(SettingsPage page, int windowsVersionCode) noexcept {
    const int modern = IDD_SETTINGS_GENERAL + static_cast<int>(page);
    return windowsVersionCode > 6 ? modern : modern + IDD_SETTINGS_CLASSIC_OFFSET;
}

int SymbolListResource(int windowsVersionCode) noexcept {
    return windowsVersionCode > 6 ? IDD_SYMBOL_LIST : IDD_SYMBOL_LIST + IDD_SETTINGS_CLASSIC_OFFSET;
}

int StartPageIndex(const Settings& settings) noexcept {
    const int page = settings.window.settingPage;
    return page >= 0 && page < kSettingsPageCount ? page : 0;
}

std::span<const SettingField> SettingsPageFields(SettingsPage page) noexcept {
    switch (page) {
        case SettingsPage::kGeneral:
            return kGeneralFields;
        case SettingsPage::kEdit:
            return kEditFields;
        case SettingsPage::kCalendar:
            return kCalendarFields;
        case SettingsPage::kBackground:
            return kBackgroundFields;
        case SettingsPage::kPaste:
            return kPasteFields;
        case SettingsPage::kStartup:
            return kStartupFields;
        case SettingsPage::kOther:
            return kOtherFields;
        case SettingsPage::kTemplates:
        case SettingsPage::kKeyboard:
            return {};
    }
    return {};
}

bool AcceptSettingsPage(SettingsPage page, const FieldValues& values, Settings& settings,
                        ChangeFlags& flags) {
    const int boxMargin = settings.calendar.boxMargin;
    const bool changed = AcceptFields(SettingsPageFields(page), values, settings, flags);
    if (page == SettingsPage::kCalendar && settings.calendar.boxMargin != boxMargin) {
        settings.window.sideBarWidth = SideBarWidthOf(settings.calendar);
    }
    return changed;
}

std::span<const std::u16string_view> WeekdayChoices() noexcept { return kWeekdays; }
std::span<const std::u16string_view> WeekFormatPresets() noexcept { return kWeekFormats; }
std::span<const std::u16string_view> TabStopPresets() noexcept { return kTabStops; }
std::span<const std::u16string_view> BackImageModeChoices() noexcept { return kBackModes; }
std::span<const std::u16string_view> CopySaveChoices() noexcept { return kCopySaves; }
std::span<const std::u16string_view> StartDateChoices() noexcept { return kStartDates; }

void ResetGeneralPageColours(FieldValues& values) {
    const std::array<ColorRef, kColourRowCount> colours = DefaultColourRows();
    const ColourSettings defaults;
    const auto fields = SettingsPageFields(SettingsPage::kGeneral);
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i) {
        const SettingField& field = fields[i];
        const int row = field.control - kColourRowSlot;
        if (field.kind == FieldKind::kColour && row >= 0 && row < kColourRowCount) {
            values[i].number = static_cast<int>(colours[static_cast<std::size_t>(row)]);
        } else if (field.kind != FieldKind::kColour && field.control == IDC_GEN_ALPHA) {
            values[i].text = Decimal(defaults.alpha);
        } else if (field.kind != FieldKind::kColour && field.control == IDC_GEN_SHADOW) {
            values[i].number = defaults.textDropShadow;
        }
    }
}

}  // namespace tavrin
