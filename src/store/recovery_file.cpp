#include "store/recovery_file.h"

#include <algorithm>
#include <new>

#include "platform/text.h"
#include "platform/utf16_file.h"
#include "store/diary_store.h"
#include "store/month_text.h"
#include "store/navigation.h"

namespace tavrin {
namespace {

constexpr std::u16string_view kFileExtension = u".txt";
constexpr std::size_t kDateDigits = 8;
// The question lists at most this many dates; the rest are counted.
constexpr std::size_t kListedDates = 15;
constexpr int kMostKeptNames = 999;

std::u16string DateDigits(const DiaryDate& date) {
    std::u16string digits;
    AppendDecimal(digits, date.year, 4);
    AppendDecimal(digits, date.month, 2);
    AppendDecimal(digits, date.day, 2);
    return digits;
}

// The date of a file named YYYYMMDD.txt, or nothing for any other name.
std::optional<DiaryDate> DateOfFileName(std::u16string_view name) {
    if (name.size() != kDateDigits + kFileExtension.size() || !name.ends_with(kFileExtension)) {
        return std::nullopt;
    }
    int value[3] = {0, 0, 0};
    for (std::size_t i = 0; i < kDateDigits; ++i) {
        const char16_t c = name[i];
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        int& part = value[i < 4 ? 0 : (i < 6 ? 1 : 2)];
        part = part * 10 + (c - u'0');
    }
    const DiaryDate date{value[0], value[1], value[2]};
    if (!IsDiaryDate(date)) {
        return std::nullopt;
    }
    return date;
}

bool EnsureFolder(FileSystem& fs, const std::filesystem::path& folder) {
    return fs.IsFolder(folder) || fs.CreateFolder(folder) || fs.IsFolder(folder);
}

// The stored body of the entry, or nothing when its month file exists but cannot be read.
std::optional<std::u16string> StoredBody(FileSystem& fs, const std::filesystem::path& exeFolder,
                                         const RecoveredEntry& entry) {
    const std::filesystem::path path =
        MonthFilePath(exeFolder / std::filesystem::path(entry.diary), entry.date.year, entry.date.month);
    if (!fs.Exists(path)) {
        return std::u16string();
    }
    const std::optional<std::u16string> text = ReadMonthText(fs, path);
    if (!text) {
        return std::nullopt;
    }
    MonthTable days{};
    ParseMonthText(*text, entry.date.year, entry.date.month, days);
    return std::u16string(EntryBody(*text, days[static_cast<std::size_t>(entry.date.day - 1)]));
}

// The recovered entries of one diary's folder.
void CollectDiary(FileSystem& fs, const std::filesystem::path& exeFolder, std::u16string_view diary,
                  bool deleteEndBlankLine, std::vector<RecoveredEntry>& entries) {
    const std::filesystem::path folder = RecoveryFolder(exeFolder) / std::filesystem::path(diary);
    const std::optional<std::vector<FolderEntry>> files = fs.ListFolder(folder);
    if (!files) {
        return;
    }
    for (const FolderEntry& file : *files) {
        const std::optional<DiaryDate> date =
            file.isFolder ? std::nullopt : DateOfFileName(PathText(file.name));
        if (!date) {
            continue;
        }
        RecoveredEntry entry{std::u16string(diary), *date, {}, folder / file.name};
        const std::optional<std::u16string> fileText = ReadMonthText(fs, entry.file);
        if (!fileText) {
            continue;
        }
        entry.text = RecoveredEditorText(*fileText, *date);
        if (entry.text.empty()) {
            continue;
        }
        const std::optional<std::u16string> stored = StoredBody(fs, exeFolder, entry);
        if (stored && *stored == EditorTextToBody(entry.text, deleteEndBlankLine)) {
            (void)fs.Remove(entry.file);
            continue;
        }
        entries.push_back(std::move(entry));
    }
}

}  // namespace

std::filesystem::path RecoveryFolder(const std::filesystem::path& exeFolder) {
    return exeFolder / std::filesystem::path(kRecoveryFolderName);
}

std::filesystem::path RecoveryFilePath(const std::filesystem::path& exeFolder, std::u16string_view diary,
                                       const DiaryDate& date) {
    std::u16string name = DateDigits(date);
    name.append(kFileExtension);
    return RecoveryFolder(exeFolder) / std::filesystem::path(diary) / std::filesystem::path(name);
}

std::u16string ComposeRecoveryText(const DiaryDate& date, std::u16string_view editorText) {
    std::u16string text = FormatHeader(date.year, date.month, date.day);
    text.append(u"\r\n");
    text.append(EditorTextToBody(editorText, false));
    text.append(u"\r\n");
    return text;
}

std::u16string RecoveredEditorText(std::u16string_view fileText, const DiaryDate& date) {
    MonthTable days{};
    ParseMonthText(fileText, date.year, date.month, days);
    const DayEntry& entry = days[static_cast<std::size_t>(date.day - 1)];
    // Only an entry under its own date line is a recovered text; text before any date line is not.
    if (entry.header < 0) {
        return {};
    }
    return BodyToEditorText(EntryBody(fileText, entry));
}

bool WriteRecoveryFile(FileSystem& fs, const std::filesystem::path& file, const DiaryDate& date,
                       std::u16string_view editorText) {
    if (!EnsureFolder(fs, file.parent_path().parent_path()) || !EnsureFolder(fs, file.parent_path())) {
        return false;
    }
    try {
        return WriteUtf16File(fs, file, ComposeRecoveryText(date, editorText)).ok();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::vector<RecoveredEntry> CollectRecoveredEntries(FileSystem& fs, const std::filesystem::path& exeFolder,
                                                    bool deleteEndBlankLine) {
    std::vector<RecoveredEntry> entries;
    const std::optional<std::vector<FolderEntry>> diaries = fs.ListFolder(RecoveryFolder(exeFolder));
    if (!diaries) {
        return entries;
    }
    for (const FolderEntry& diary : *diaries) {
        const std::u16string name = PathText(diary.name);
        if (diary.isFolder && !name.empty()) {
            CollectDiary(fs, exeFolder, name, deleteEndBlankLine, entries);
        }
    }
    std::sort(entries.begin(), entries.end(), [](const RecoveredEntry& a, const RecoveredEntry& b) {
        return a.diary != b.diary ? a.diary < b.diary : a.date < b.date;
    });
    return entries;
}

std::optional<UserError> RestoreRecoveredEntry(FileSystem& fs, const std::filesystem::path& exeFolder,
                                               const RecoveredEntry& entry, bool deleteEndBlankLine) {
    const DiaryDate& date = entry.date;
    const std::filesystem::path diaryFolder = exeFolder / std::filesystem::path(entry.diary);
    const std::filesystem::path path = MonthFilePath(diaryFolder, date.year, date.month);
    // Read first and ask whether the file exists only when that fails: a month file that exists is
    // never rebuilt from nothing.
    std::optional<std::u16string> monthText = ReadMonthText(fs, path);
    if (!monthText && !fs.Exists(path)) {
        monthText.emplace();
    }
    if (!monthText || monthText->size() > kMaxMonthTextLength) {
        return UserError{kErrorFileRead, PathText(path), fs.LastError()};
    }
    MonthTable days{};
    ParseMonthText(*monthText, date.year, date.month, days);
    const std::u16string newText = BuildMonthText(date.year, date.month, *monthText, days, date.day,
                                                  EditorTextToBody(entry.text, deleteEndBlankLine));
    if (!EnsureFolder(fs, diaryFolder)) {
        return UserError{kErrorFolderCreate, PathText(diaryFolder), fs.LastError()};
    }
    const WriteResult result = WriteUtf16File(fs, path, newText);
    if (!result.ok()) {
        return UserError{kErrorFileSave, WriteFailureDetail(result), fs.LastError()};
    }
    (void)fs.Remove(entry.file);
    return std::nullopt;
}

bool SetRecoveredEntryAside(FileSystem& fs, const RecoveredEntry& entry) {
    const std::u16string stem = DateDigits(entry.date) + u"-kept";
    for (int n = 1; n <= kMostKeptNames; ++n) {
        const std::filesystem::path target =
            entry.file.parent_path() /
            std::filesystem::path(stem + Decimal(n) + std::u16string(kFileExtension));
        if (!fs.Exists(target) && fs.Move(entry.file, target)) {
            return true;
        }
    }
    return false;
}

std::u16string RecoveryQuestionText(const std::vector<RecoveredEntry>& entries,
                                    std::u16string_view currentDiary) {
    std::u16string text =
        u"保存されていない日記の文章が残っています。\r\n"
        u"（前回、Tavrinが正しく終了しませんでした。）\r\n";
    for (std::size_t i = 0; i < entries.size() && i < kListedDates; ++i) {
        const RecoveredEntry& entry = entries[i];
        text.append(u"\r\n");
        text.append(FormatHeader(entry.date.year, entry.date.month, entry.date.day));
        if (entry.diary != currentDiary) {
            text.append(u"（" + entry.diary + u"）");
        }
    }
    if (entries.size() > kListedDates) {
        text.append(u"\r\nほか " + Decimal(static_cast<long long>(entries.size() - kListedDates)) + u" 件");
    }
    text.append(u"\r\n\r\n復元して保存しますか？\r\n（「いいえ」を選んでも、文章は消えません。）");
    return text;
}

std::u16string RecoveryKeptText(const std::filesystem::path& recoveryFolder) {
    return u"復元しなかった文章は、次のフォルダに残してあります。\r\n\r\n" + PathText(recoveryFolder);
}

}  // namespace tavrin
