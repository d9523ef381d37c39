#pragma once
// The nine pages of the settings sheet: their order, titles and dialog resources, the fields each one
// edits, the choices of their lists, and what accepting a page does beyond storing its fields.

#include <array>
#include <span>
#include <string_view>

#include "settings_dialog/setting_fields.h"

namespace tavrin {

enum class SettingsPage {
    kGeneral = 0,
    kEdit,
    kCalendar,
    kBackground,
    kPaste,
    kTemplates,
    kKeyboard,
    kStartup,
    kOther,
};

inline constexpr int kSettingsPageCount = 9;

[[nodiscard]] std::u16string_view SettingsPageTitle(SettingsPage page) noexcept;

// The dialog resource of a page: the "Meiryo UI" set from WindowsVersionCode 7 on, else the
// "MS UI Gothic" one.
[[nodiscard]] int SettingsPageResource(SettingsPage page, int windowsVersionCode) noexcept;
[[nodiscard]] int SymbolListResource(int windowsVersionCode) noexcept;

// The page the sheet opens on: the SettingPage setting, or the first page when it names none.
[[nodiscard]] int StartPageIndex(const Settings& settings) noexcept;

// The fields of the pages built from the field tables (the template and keyboard pages keep their
// own models). The general page's table ends with the eight colour rows (slots 0 to 7) and the
// sixteen custom colours of the colour chooser (slots 100 to 115).
[[nodiscard]] std::span<const SettingField> SettingsPageFields(SettingsPage page) noexcept;

inline constexpr int kColourRowSlot = 0;
inline constexpr int kCustomColourSlot = 100;

// Accepts a page built from a field table: AcceptFields, then what follows from the page's values: a
// changed BoxMargin recomputes the sidebar width.
bool AcceptSettingsPage(SettingsPage page, const FieldValues& values, Settings& settings, ChangeFlags& flags);

// Texts of the lists and combo boxes, in the order of their values.
[[nodiscard]] std::span<const std::u16string_view> WeekdayChoices() noexcept;     // StartWeek
[[nodiscard]] std::span<const std::u16string_view> WeekFormatPresets() noexcept;  // WeekFormat
[[nodiscard]] std::span<const std::u16string_view> TabStopPresets() noexcept;     // TabStop
[[nodiscard]] std::span<const std::u16string_view> BackImageModeChoices() noexcept;
[[nodiscard]] std::span<const std::u16string_view> CopySaveChoices() noexcept;   // Image/Sound/MovieCopySave
[[nodiscard]] std::span<const std::u16string_view> StartDateChoices() noexcept;  // StartDateMode

// The longest texts the text fields take.
inline constexpr std::size_t kFontNameFieldMax = 62;
inline constexpr std::size_t kWeekFormatFieldMax = 253;

// The general page's "初期化(&I)": the eight colours, Alpha and the text shadow back to their defaults,
// on the page only (values are the page's field values, changed in place).
void ResetGeneralPageColours(FieldValues& values);

// The confirmation texts of the pages, all asked with the caption kConfirmCaption.
inline constexpr std::u16string_view kConfirmCaption = u"確認";
inline constexpr std::u16string_view kResetAllQuestion =
    u"すべての設定を初期化してプログラムを再起動します。\r\n日記データは残ります。\r\n実行しますか？";
inline constexpr std::u16string_view kResetKeysQuestion = u"キーボード設定を初期化しますか？";
inline constexpr std::u16string_view kResetTemplatesQuestion = u"定型文設定を初期化しますか？";

}  // namespace tavrin
