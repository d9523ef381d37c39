#include "ui/menus.h"

#include <algorithm>

#include "app/settings_codec.h"
#include "calendar/calendar_rules.h"
#include "platform/text.h"
#include "ui/frame_input.h"

namespace tavrin {
namespace {

namespace id = command_id;

constexpr std::size_t kFirstWordsMax = 30;

void AddDateMoves(MenuItemArray& menu, int popup) {
    menu.Add(popup, id::kToday, 0, u"今日(&T)");
    menu.AddSeparator(popup);
    menu.Add(popup, id::kOldDiary, 0, u"一番古い日記(&O)");
    menu.Add(popup, id::kPrevDiary, 0, u"前の日記(&L)");
    menu.Add(popup, id::kPrevYear, 0, u"１年前(&F)");
    menu.Add(popup, id::kPrevMonth, 0, u"１月前(&D)");
    menu.Add(popup, id::kPrevWeek, 0, u"１週間前(&S)");
    menu.Add(popup, id::kPrevDay, 0, u"前の日(&A)");
    menu.AddSeparator(popup);
    menu.Add(popup, id::kNextDay, 0, u"次の日(&Z)");
    menu.Add(popup, id::kNextWeek, 0, u"１週間後(&X)");
    menu.Add(popup, id::kNextMonth, 0, u"１月後(&C)");
    menu.Add(popup, id::kNextYear, 0, u"１年後(&V)");
    menu.Add(popup, id::kNextDiary, 0, u"次の日記(&R)");
    menu.Add(popup, id::kNewDiary, 0, u"一番新しい日記(&N)");
    menu.AddSeparator(popup);
    menu.Add(popup, id::kJump, 0, u"指定日へ移動(&J)...");
}

int ClampedDay(int year, int month, int day) noexcept { return std::min(day, DaysInMonth(year, month)); }

}  // namespace

MenuItemArray BuildMainMenu(const MainMenuState& state, const KeyTextSource& keys) {
    MenuItemArray menu(kMainMenuSize, keys);
    const int moves = menu.AddPopup();
    menu.Add(0, 0, 0, u"日付の移動(&M)", u"", moves);
    AddDateMoves(menu, moves);
    const bool edit = state.mode == DisplayMode::kEdit;
    menu.AddSeparator(0);
    menu.Add(0, id::kModeEdit, CheckedIf(edit), u"編集(&E)");
    menu.Add(0, id::kModeCalendar, CheckedIf(!edit), u"年間カレンダー(&Y)");
    menu.AddSeparator(0);
    menu.Add(0, id::kToolBar, CheckedIf(state.toolBar), u"ツールバー(&T)");
    menu.Add(0, id::kSideBar, CheckedIf(state.sideBar), u"サイドバー(&S)");
    menu.AddSeparator(0);
    menu.Add(0, id::kFullscreen, CheckedIf(state.fullscreen), u"フルスクリーン(&F)");
    menu.Add(0, id::kSetting, DisabledIf(state.settingsDialogOpen), u"設定(&O)...");
    menu.AddSeparator(0);
    menu.Add(0, id::kVersion, 0, u"バージョン情報(&A)");
    menu.Add(0, id::kExit, 0, u"終了(&X)");
    return menu;
}

void AddTemplateItems(MenuItemArray& array, int menu, const std::vector<TemplateMenuEntry>& templates) {
    for (const TemplateMenuEntry& entry : templates) {
        if (entry.separator) {
            array.AddSeparator(menu);
        } else {
            array.Add(menu, entry.command, 0, entry.label, entry.keyText);
        }
    }
}

MenuItemArray BuildEditorMenu(const EditorMenuState& state, const std::vector<TemplateMenuEntry>& templates,
                              const KeyTextSource& keys) {
    MenuItemArray menu(static_cast<int>(templates.size()) + kEditorMenuBaseSize, keys);
    const bool locked = state.readOnly;
    menu.Add(0, id::kEditUndo, DisabledIf(locked || !state.canUndo), u"元に戻す(&U)");
    menu.Add(0, id::kEditRedo, DisabledIf(locked || !state.canRedo), u"やり直し(&R)");
    menu.AddSeparator(0);
    menu.Add(0, id::kEditCut, DisabledIf(locked || state.selectionEmpty), u"切り取り(&T)");
    menu.Add(0, id::kEditCopy, DisabledIf(state.selectionEmpty), u"コピー(&C)");
    menu.Add(0, id::kEditPaste, DisabledIf(locked || !state.canPaste), u"貼り付け(&P)");
    menu.Add(0, id::kEditDelete, DisabledIf(locked || state.selectionEmpty), u"削除(&D)");
    menu.AddSeparator(0);
    menu.Add(0, id::kEditAllSelect, DisabledIf(state.textEmpty || state.allSelected), u"すべて選択(&A)");
    menu.AddSeparator(0);
    const int templatePopup = menu.AddPopup();
    menu.Add(0, 0, DisabledIf(locked), u"定型文(&I)", u"", templatePopup);
    AddTemplateItems(menu, templatePopup, templates);
    menu.AddSeparator(0);
    menu.Add(0, id::kEditInsertFile, DisabledIf(locked), u"画像の挿入(&G)...");
    return menu;
}

MenuItemArray BuildTemplateItemsMenu(const std::vector<TemplateMenuEntry>& templates) {
    MenuItemArray menu(static_cast<int>(templates.size()) + 1);
    AddTemplateItems(menu, 0, templates);
    return menu;
}

int YearMenuFirstYear(int selectedYear) noexcept {
    return std::min(std::max(1, selectedYear - 10), kYearMenuLastStart);
}

std::u16string YearMenuLabel(int year, int month, int day) {
    const EraYear era = EraOf(year, month, day);
    std::u16string label = Decimal(year, 4);
    label.append(u"年　").append(EraName(era.era));
    if (era.year == 1) {
        label.append(u"元");
    } else {
        AppendDecimal(label, era.year);
    }
    label.append(u"年 ").append(BranchName(BranchOf(year)));
    return label;
}

MenuItemArray BuildYearMenu(const DiaryDate& selected) {
    MenuItemArray menu(kYearMenuSize);
    const int first = YearMenuFirstYear(selected.year);
    for (int year = first; year < first + kYearMenuYears; ++year) {
        menu.Add(0, year, CheckedIf(year == selected.year, kMenuRadio),
                 YearMenuLabel(year, selected.month, selected.day), u"");
    }
    return menu;
}

std::array<int, 12> EntryCounts(const YearBuffer* buffer, int year) noexcept {
    std::array<int, 12> counts{};
    if (!buffer || buffer->Year() != year) {
        return counts;
    }
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            counts[static_cast<std::size_t>(month - 1)] += buffer->HasEntry(month, day) ? 1 : 0;
        }
    }
    return counts;
}

MenuItemArray BuildMonthMenu(const DiaryDate& selected, const std::array<std::u16string, 12>& labels,
                             const std::array<int, 12>& counts) {
    MenuItemArray menu(kMonthMenuSize);
    for (int month = 1; month <= 12; ++month) {
        std::u16string label = Decimal(month);
        label.append(u"月 ").append(labels[static_cast<std::size_t>(month - 1)]);
        std::u16string keyText;
        if (const int count = counts[static_cast<std::size_t>(month - 1)]; count > 0) {
            keyText = Decimal(count);
            keyText += u"件";
        }
        menu.Add(0, month, CheckedIf(month == selected.month, kMenuRadio), label, keyText);
    }
    return menu;
}

std::u16string EntryFirstWords(std::u16string_view body) {
    std::size_t start = 0;
    while (start < body.size() &&
           (body[start] == u'\t' || body[start] == u' ' || body[start] == u'\r' || body[start] == u'\n')) {
        ++start;
    }
    if (start < body.size() && body[start] == u'*') {
        ++start;
    }
    std::size_t end = start;
    while (end < body.size() && body[end] != u'\r' && body[end] != u'\n') {
        ++end;
    }
    return std::u16string(CutToLength(body.substr(start, end - start), kFirstWordsMax));
}

MenuItemArray BuildDayMenu(const DiaryDate& selected, const WeekLabels& weekdayLabels,
                           const YearBuffer* buffer) {
    MenuItemArray menu(kDayMenuSize);
    const bool sameYear = buffer && buffer->Year() == selected.year;
    const int days = DaysInMonth(selected.year, selected.month);
    for (int day = 1; day <= days; ++day) {
        std::u16string label = Decimal(selected.month);
        label.append(u"月");
        AppendDecimal(label, day);
        label.append(u"日（")
            .append(weekdayLabels[static_cast<std::size_t>(Weekday(selected.year, selected.month, day))])
            .append(u"）");
        if (sameYear && buffer->HasEntry(selected.month, day)) {
            label.append(u"　").append(EntryFirstWords(buffer->Body(selected.month, day)));
        }
        menu.Add(0, day, CheckedIf(day == selected.day, kMenuRadio), label, u"");
    }
    return menu;
}

std::optional<DiaryDate> DateMenuChoice(DateMenu kind, const MenuItemArray& menu, int position,
                                        const DiaryDate& selected) noexcept {
    if (position < 1 || position > menu.Used()) {
        return std::nullopt;
    }
    const int value = menu.Item(position).commandValue;
    switch (kind) {
        case DateMenu::kYear:
            return DiaryDate{value, selected.month, ClampedDay(value, selected.month, selected.day)};
        case DateMenu::kMonth:
            return DiaryDate{selected.year, value, ClampedDay(selected.year, value, selected.day)};
        case DateMenu::kDay:
            return DiaryDate{selected.year, selected.month, value};
    }
    return std::nullopt;
}

MenuItemArray BuildDiaryFolderMenu(const std::vector<DiaryMenuEntry>& diaries, bool separator,
                                   bool openEnabled, std::u16string_view openText) {
    MenuItemArray menu(static_cast<int>(diaries.size()) + 3);
    for (std::size_t index = 0; index < diaries.size(); ++index) {
        menu.Add(0, static_cast<int>(index), CheckedIf(diaries[index].current), diaries[index].name, u"");
    }
    if (separator) {
        menu.AddSeparator(0);
    }
    menu.Add(0, kOpenDiaryFolderValue, DisabledIf(!openEnabled), openText, u"");
    return menu;
}

}  // namespace tavrin
