#pragma once
// The program's popup menus as item arrays: the main menu, the editor's context menu, the template
// menu, the year, month and day menus, and the diary folder menu; and what choosing in them means.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "calendar/diary_date.h"
#include "store/year_buffer.h"
#include "templates/template_commands.h"
#include "ui/menu_model.h"

namespace tavrin {

inline constexpr int kMainMenuSize = 41;
inline constexpr int kEditorMenuBaseSize = 50;  // plus the template count
inline constexpr int kYearMenuSize = 32;
inline constexpr int kMonthMenuSize = 16;
inline constexpr int kDayMenuSize = 33;
inline constexpr int kYearMenuYears = 21;
inline constexpr int kYearMenuLastStart = 9979;  // so that the last year shown is 9999

// What the main menu marks.
struct MainMenuState {
    DisplayMode mode = DisplayMode::kEdit;
    bool toolBar = true;
    bool sideBar = true;
    bool fullscreen = false;
    bool settingsDialogOpen = false;
};
[[nodiscard]] MenuItemArray BuildMainMenu(const MainMenuState& state, const KeyTextSource& keys);

// One item per template entry (from the template code's BuildTemplateMenu), in list order, into
// popup menu: separators stay separators; command, label and key text are the entry's.
void AddTemplateItems(MenuItemArray& array, int menu, const std::vector<TemplateMenuEntry>& templates);

// The editor's state as the context menu needs it.
struct EditorMenuState {
    bool readOnly = false;  // the edit lock
    bool canUndo = false;
    bool canRedo = false;
    bool selectionEmpty = true;
    bool canPaste = false;  // the clipboard holds Unicode text, a file list or a bitmap
    bool textEmpty = true;
    bool allSelected = false;
};
// The editor's context menu; the template submenu holds the template entries.
[[nodiscard]] MenuItemArray BuildEditorMenu(const EditorMenuState& state,
                                            const std::vector<TemplateMenuEntry>& templates,
                                            const KeyTextSource& keys);
// The template menu (MenuTemplate): only the template items.
[[nodiscard]] MenuItemArray BuildTemplateItemsMenu(const std::vector<TemplateMenuEntry>& templates);

// The first year of the year menu: max(1, year - 10), at most 9979.
[[nodiscard]] int YearMenuFirstYear(int selectedYear) noexcept;
// "%04d年　%s元年 %s" or "%04d年　%s%d年 %s": the year, its era on the selected month and day, and its
// earthly branch.
[[nodiscard]] std::u16string YearMenuLabel(int year, int month, int day);
[[nodiscard]] MenuItemArray BuildYearMenu(const DiaryDate& selected);

// The number of days with an entry in each month of the buffer (0 for a buffer of another year).
[[nodiscard]] std::array<int, 12> EntryCounts(const YearBuffer* buffer, int year) noexcept;
// "%d月 %s" with the month label, key text "%d件" for months with entries; the selected one radio.
[[nodiscard]] MenuItemArray BuildMonthMenu(const DiaryDate& selected,
                                           const std::array<std::u16string, 12>& labels,
                                           const std::array<int, 12>& counts);

// The first words of a stored entry body for the day menu: blanks and line breaks before the text
// skipped, one leading "*" dropped, then up to 30 characters up to the end of the line.
[[nodiscard]] std::u16string EntryFirstWords(std::u16string_view body);
// "%d月%d日（%s）" or "%d月%d日（%s）　%s" with the entry's first words; the selected day radio.
[[nodiscard]] MenuItemArray BuildDayMenu(const DiaryDate& selected, const WeekLabels& weekdayLabels,
                                         const YearBuffer* buffer);

enum class DateMenu { kYear, kMonth, kDay };
// The date a choice in the year, month or day menu moves to (MoveToDate), or nothing. A day that the
// chosen year or month does not have becomes that month's last day, as with the year and month moves.
[[nodiscard]] std::optional<DiaryDate> DateMenuChoice(DateMenu kind, const MenuItemArray& menu, int position,
                                                      const DiaryDate& selected) noexcept;

// The diary folder menu from the store's list: one item per diary (command value = index in the
// list), the current one checked, then a separator and the "open folder" item (command value
// kOpenDiaryFolderValue, disabled when the folder does not exist).
inline constexpr int kOpenDiaryFolderValue = -2;
struct DiaryMenuEntry {
    std::u16string name;
    bool current = false;
};
[[nodiscard]] MenuItemArray BuildDiaryFolderMenu(const std::vector<DiaryMenuEntry>& diaries, bool separator,
                                                 bool openEnabled, std::u16string_view openText);

}  // namespace tavrin
