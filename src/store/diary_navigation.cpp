// Moving the selected date: GoToDate and the commands built on it, the start date and typed dates.
#include "calendar/calendar_rules.h"
#include "store/diary_store.h"
#include "store/entry_index.h"

namespace tavrin {

bool DiaryStore::GoToDate(const DiaryDate& date, bool focus) {
    ports_.view.StopBlink();
    if (!IsDiaryDate(date)) {
        return false;
    }
    if (date == selected_) {
        ports_.view.StartBlink();
        return true;
    }
    if (!SaveCurrentEntry(true)) {
        return false;
    }
    const bool yearChanged = date.year != year_.Year();
    selected_ = date;
    if (yearChanged) {
        LoadYear();
    } else if (!calendarMode_ && year_.State(date.month) != MonthState::kUnreadable) {
        // Show what another copy of the program may have written to this month meanwhile.
        (void)TakeChangesFromDisk(date.month, false);
    }
    LoadCurrentEntry();
    ports_.view.SelectedDateChanged();
    if (!calendarMode_ && focus) {
        ports_.editor.Focus();
    }
    return true;
}

void DiaryStore::MoveToDate(const DiaryDate& date) {
    if (date == selected_) {
        ports_.view.StopBlink();
        ports_.view.StartBlink();
        return;
    }
    if (options.noAnimation || calendarMode_ ||
        (date.year == selected_.year && date.month == selected_.month)) {
        (void)GoToDate(date, true);
        return;
    }
    if (ports_.view.IsAnimating()) {
        return;
    }
    ports_.view.StartMonthAnimation(date);
}

void DiaryStore::MoveByCommand(MoveCommand command) {
    if (ports_.view.IsAnimating()) {
        return;  // date commands wait for the month-change animation
    }
    if (!SaveCurrentEntry(true)) {
        return;
    }
    MoveToDate(DateAfterMove(selected_, command, DateOfTime(ports_.clock.Now())));
}

std::optional<DiaryDate> DiaryStore::FindInYear(StepCommand command,
                                                std::optional<DiaryDate>& fallback) const {
    const int year = selected_.year;
    const int month = selected_.month;
    const int day = selected_.day;
    const auto has = [this](int m, int d) { return year_.HasEntry(m, d); };
    switch (command) {
        case StepCommand::kPrevDiary:
            for (int m = month; m >= 1; --m) {
                for (int d = m == month ? day - 1 : DaysInMonth(year, m); d >= 1; --d) {
                    if (has(m, d)) {
                        return DiaryDate{year, m, d};
                    }
                }
            }
            break;
        case StepCommand::kNextDiary:
            for (int m = month; m <= 12; ++m) {
                for (int d = m == month ? day + 1 : 1; d <= DaysInMonth(year, m); ++d) {
                    if (has(m, d)) {
                        return DiaryDate{year, m, d};
                    }
                }
            }
            break;
        case StepCommand::kOldDiary:
            for (int m = 1; m <= month && !fallback; ++m) {
                for (int d = 1; d <= (m == month ? day - 1 : DaysInMonth(year, m)); ++d) {
                    if (has(m, d)) {
                        fallback = DiaryDate{year, m, d};
                        break;
                    }
                }
            }
            break;
        case StepCommand::kNewDiary:
            for (int m = 12; m >= month && !fallback; --m) {
                for (int d = DaysInMonth(year, m); d >= (m == month ? day + 1 : 1); --d) {
                    if (has(m, d)) {
                        fallback = DiaryDate{year, m, d};
                        break;
                    }
                }
            }
            break;
    }
    return std::nullopt;
}

void DiaryStore::StepToEntry(StepCommand command, bool animate) {
    ports_.view.StopBlink();
    if (ports_.view.IsAnimating()) {
        return;
    }
    std::optional<DiaryDate> fallback;
    std::optional<DiaryDate> target;
    if (year_.Year() == selected_.year) {
        target = FindInYear(command, fallback);
    }
    if (!target) {
        const std::optional<EntryIndex> index = BuildEntryIndex(ports_.fs, DiaryFolder());
        if (index) {
            target = FindEntryInFiles(ports_.fs, DiaryFolder(), *index, command, selected_.year);
        }
        if (!target) {
            target = fallback;
        }
        if (!target) {
            // A folder with text files of which none is a month file ends the command silently.
            if (!index || !index->anyTextFile || !index->rows.empty()) {
                ports_.view.StartBlink();
            }
            return;
        }
    }
    if (animate) {
        MoveToDate(*target);
    } else {
        (void)GoToDate(*target, true);
    }
}

std::optional<DiaryDate> DiaryStore::FindNewestEntry() {
    const std::optional<EntryIndex> index = BuildEntryIndex(ports_.fs, DiaryFolder());
    if (!index) {
        return std::nullopt;
    }
    return FindEntryInFiles(ports_.fs, DiaryFolder(), *index, StepCommand::kNewDiary, 0);
}

void DiaryStore::EnterDate(const DiaryDate& date) {
    selected_ = date;
    LoadYear();
    LoadCurrentEntry();
    ports_.view.SelectedDateChanged();
}

void DiaryStore::ChooseStartDate(int startDateMode, std::int32_t startDate) {
    DiaryDate target = DateOfTime(ports_.clock.Now());
    if (startDateMode == 1) {
        if (const std::optional<DiaryDate> newest = FindNewestEntry()) {
            target = *newest;
        }
    } else if (startDateMode == 2) {
        const DiaryDate stored{startDate / 10000, (startDate / 100) % 100, startDate % 100};
        if (IsDiaryDate(stored)) {
            target = stored;
        }
    }
    // Always loaded here, also when the target is today: the editor must show the entry that a later
    // save would replace.
    EnterDate(target);
    if (!calendarMode_) {
        ports_.editor.Focus();
    }
}

std::optional<Notice> DiaryStore::Jump(std::u16string_view year, std::u16string_view month,
                                       std::u16string_view day) {
    JumpCheck check = CheckJumpFields(year, month, day);
    if (check.notice) {
        return std::move(check.notice);
    }
    MoveToDate(*check.date);
    return std::nullopt;
}

std::optional<Notice> DiaryStore::OpenDateLink(std::u16string_view text) {
    const std::optional<DiaryDate> date = ParseDateText(text);
    if (!date) {
        return std::nullopt;
    }
    if (!IsDiaryDate(*date)) {
        return MissingDateLinkNotice(*date);
    }
    (void)GoToDate(*date, true);
    return std::nullopt;
}

}  // namespace tavrin
