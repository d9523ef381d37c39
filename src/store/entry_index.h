#pragma once
// The list of a diary's month files, for finding entries beyond the displayed year.

#include <filesystem>
#include <optional>
#include <vector>

#include "calendar/diary_date.h"
#include "platform/file_system.h"
#include "store/navigation.h"

namespace tavrin {

// One month file of a diary folder. key = year * 100 + month.
struct MonthFileRow {
    std::filesystem::path name;
    int year = 0;
    int month = 0;
    int key = 0;
};

// The month files of a diary folder in ascending key order, built afresh for each command that needs
// it. Only files named exactly "YYYYMM.txt" (six ASCII digits, lower-case extension) with a year of 1
// to 9999 and a month of 1 to 12 are rows; anyTextFile tells whether the folder held any entry whose
// name ends in ".txt" in any letter case at all.
struct EntryIndex {
    std::vector<MonthFileRow> rows;
    bool anyTextFile = false;
};

// The row a folder entry's name describes, or nothing when it is no month file name.
[[nodiscard]] std::optional<MonthFileRow> ParseMonthFileName(const std::filesystem::path& name);

// Lists the diary folder; nothing when it cannot be listed (or does not exist).
[[nodiscard]] std::optional<EntryIndex> BuildEntryIndex(FileSystem& fs,
                                                        const std::filesystem::path& diaryFolder);

// Searches the month files of other years than `year` for the entry a step command leads to: OldDiary
// the first entry of the earliest earlier file with entries, PrevDiary the last entry of the latest
// earlier one, NextDiary the first entry of the earliest later one, NewDiary the last entry of the
// latest later one. Files that cannot be read are skipped.
[[nodiscard]] std::optional<DiaryDate> FindEntryInFiles(FileSystem& fs,
                                                        const std::filesystem::path& diaryFolder,
                                                        const EntryIndex& index, StepCommand command,
                                                        int year);

}  // namespace tavrin
