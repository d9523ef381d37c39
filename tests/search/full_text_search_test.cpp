#include "search/full_text_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "diarygen/diary_generator.h"
#include "platform/text.h"
#include "platform/utf16_file.h"
#include "search/search_reference.h"
#include "support/fault_file_system.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using testing::FaultInjectingFileSystem;
using testing::TempFolder;

class RecordingErrors final : public ErrorSink {
public:
    void Report(const UserError& error) override { errors.push_back(error); }
    std::vector<UserError> errors;
};

// Esc as a function of how often it was polled; it may also act on the world meanwhile.
class ScriptedInterruption final : public SearchInterruption {
public:
    std::function<bool(int)> script = [](int) { return false; };
    int polls = 0;
    bool StopRequested() override { return script(++polls); }
};

TEST(ParseMonthFileName, AcceptsOnlyTenCharacterMonthNames) {
    EXPECT_EQ(ParseMonthFileName(u"202403.txt"), (MonthFileKey{2024, 3}));
    EXPECT_EQ(ParseMonthFileName(u"000112.txt"), (MonthFileKey{1, 12}));
    EXPECT_EQ(ParseMonthFileName(u"999901.txt"), (MonthFileKey{9999, 1}));
    for (const std::u16string_view name :
         {u"202313.txt", u"202300.txt", u"000001.txt", u"20230.txt", u"2023011.txt", u"202301.TXT",
          u"202301.txt~", u"2023-1.txt", u"２０２３０１.txt", u"202301_txt", u""}) {
        EXPECT_FALSE(ParseMonthFileName(name)) << ToUtf8(name);
    }
}

TEST(StoredFormOfWord, LineBreaksBecomeStoredLineStarts) {
    EXPECT_EQ(StoredFormOfWord(u"a\tb\\c"), u"a\tb\\c") << "TABs and backslashes stay as typed";
    EXPECT_EQ(StoredFormOfWord(u"a\nb\r\nc\rd"), u"a\r\n\tb\r\n\tc\r\n\td");
}

// The search reads month files as code units into one buffer; behind the byte-order mark they must be
// exactly what ReadUtf16File gives, from the system's file system and from the default that wrapping
// file systems inherit.
TEST(ReadUtf16UnitsInto, GivesTheUnitsOfReadUtf16FileIntoAReusedBuffer) {
    TempFolder folder;
    std::unique_ptr<FileSystem> system = CreateSystemFileSystem();
    FaultInjectingFileSystem wrapper(*system);
    const std::vector<std::vector<std::byte>> contents{
        testing::Utf16FileBytes(std::u16string(5000, u'長')),
        {},
        {std::byte{0x41}},
        {std::byte{0xFF}, std::byte{0xFE}},
        {std::byte{0xFF}, std::byte{0xFE}, std::byte{0x41}, std::byte{0x00}, std::byte{0x42}},
        {std::byte{0x41}, std::byte{0x00}, std::byte{0x00}, std::byte{0x00}, std::byte{0x42},
         std::byte{0x30}}};
    std::u16string units = u"left over from before";
    std::u16string wrappedUnits;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        const fs::path path = folder.path() / ("file" + std::to_string(i));
        testing::WriteBytes(path, contents[i]);
        ASSERT_TRUE(system->ReadUtf16UnitsInto(path, units));
        ASSERT_TRUE(wrapper.ReadUtf16UnitsInto(path, wrappedUnits));
        EXPECT_EQ(units, wrappedUnits);
        std::u16string_view text = units;
        if (text.starts_with(u'\uFEFF')) {
            text.remove_prefix(1);
        }
        EXPECT_EQ(text, *ReadUtf16File(*system, path)) << i;
    }
    EXPECT_FALSE(system->ReadUtf16UnitsInto(folder.path() / "missing.txt", units));
    EXPECT_FALSE(wrapper.ReadUtf16UnitsInto(folder.path() / "missing.txt", units));
}

class FullTextSearchTest : public ::testing::Test {
protected:
    fs::path Folder() const { return exe_.path() / "RaRorir"; }

    // Writes a month file in the stored form from editor texts by day.
    void WriteMonth(int year, int month, const std::map<int, std::u16string>& entries) {
        std::u16string text;
        for (const auto& [day, editorText] : entries) {
            if (!text.empty()) {
                text += u"\r\n";
            }
            text += FormatHeader(year, month, day) + u"\r\n" + EditorTextToBody(editorText, false) + u"\r\n";
        }
        fs::create_directories(Folder());
        ASSERT_TRUE(WriteUtf16File(*fs_, MonthFilePath(Folder(), year, month), text).ok());
    }

    bool Search(std::u16string_view word, FileSystem* fileSystem = nullptr) {
        const SearchEnvironment environment{fileSystem ? *fileSystem : *fs_,
                                            exe_.path().u16string(),
                                            u"RaRorir",
                                            buffer_,
                                            interruption_,
                                            errors_};
        return RunSearch(state_, settings_, word, environment);
    }

    std::vector<DiaryDate> HitDates() const {
        std::vector<DiaryDate> dates;
        for (const SearchHit& hit : state_.results.hits) {
            dates.push_back(hit.date);
        }
        return dates;
    }

    TempFolder exe_;
    std::unique_ptr<FileSystem> fs_ = CreateSystemFileSystem();
    YearBuffer buffer_;
    ScriptedInterruption interruption_;
    RecordingErrors errors_;
    SearchSettings settings_;
    SearchState state_;
};

TEST_F(FullTextSearchTest, HitsComeInCalendarOrderOnePerEntry) {
    WriteMonth(2023, 1, {{5, u"日記 日記"}, {2, u"*見出し\n日記"}});
    WriteMonth(2022, 12, {{31, u"大晦日の日記"}, {1, u"何もない"}});
    WriteMonth(2023, 2, {{28, u"日記"}});
    EXPECT_TRUE(Search(u"日記"));
    EXPECT_EQ(HitDates(),
              (std::vector<DiaryDate>{{2022, 12, 31}, {2023, 1, 2}, {2023, 1, 5}, {2023, 2, 28}}));
    EXPECT_EQ(state_.results.hits[1].excerpt, u"見出し");
    EXPECT_EQ(state_.results.hits[2].excerpt, u"日記 日記");
    EXPECT_TRUE(errors_.errors.empty());
}

TEST_F(FullTextSearchTest, OtherNamesAndFoldersAreNotSearched) {
    WriteMonth(2023, 1, {{1, u"word"}});
    for (const char* name : {"202313.txt", "20230.txt", "202301.txt.bak", "202302.TXT"}) {
        testing::WriteBytes(Folder() / name, testing::Utf16FileBytes(u"2023/01/01\r\n\tword\r\n"));
    }
    fs::create_directories(Folder() / "202305.txt");
    EXPECT_TRUE(Search(u"WORD"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2023, 1, 1}}));
}

TEST_F(FullTextSearchTest, WordsAreMatchedAsTyped) {
    WriteMonth(2024, 1,
               {{1, u"C:\\Users\\taro\\memo.txt"}, {2, u"a\tb"}, {3, u"天気：\n晴れ"}, {4, u"a\\tb"}});
    EXPECT_TRUE(Search(u"C:\\Users"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 1}}));
    EXPECT_TRUE(Search(u"a\tb"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 2}}))
        << "a TAB finds a TAB, not a backslash and t";
    EXPECT_TRUE(Search(u"天気：\n晴れ"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 3}})) << "a line break finds a line break";
}

TEST_F(FullTextSearchTest, OptionsComeFromTheSettings) {
    WriteMonth(2024, 1, {{1, u"Diary"}, {2, u"diary"}, {3, u"diarybook"}, {4, u"日記帳"}, {5, u"日記を"}});
    EXPECT_TRUE(Search(u"diary"));
    EXPECT_EQ(HitDates().size(), 3u);
    settings_.matchCase = 1;
    EXPECT_TRUE(Search(u"diary"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 2}, {2024, 1, 3}}));
    settings_.wordOnly = 1;
    EXPECT_TRUE(Search(u"diary"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 2}}));
    EXPECT_TRUE(Search(u"日記"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 5}}));
}

// The displayed year is searched as the year buffer holds it (the text as last saved), also where
// the file on disk says something else, and where the buffer has a month whose file is missing.
TEST_F(FullTextSearchTest, DisplayedYearComesFromTheYearBuffer) {
    WriteMonth(2023, 6, {{1, u"old year"}});
    WriteMonth(2024, 1, {{1, u"saved text"}});
    WriteMonth(2024, 2, {{1, u"saved text"}});
    LoadYear(buffer_, *fs_, Folder(), 2024);
    WriteMonth(2024, 1, {{1, u"changed on disk"}});
    fs::remove(MonthFilePath(Folder(), 2024, 2));
    EXPECT_TRUE(Search(u"text"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 1}, {2024, 2, 1}}));
    EXPECT_TRUE(Search(u"changed"));
    EXPECT_TRUE(HitDates().empty());
    EXPECT_TRUE(Search(u"old"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2023, 6, 1}}));
}

TEST_F(FullTextSearchTest, AMonthTheYearBufferCouldNotReadIsReadFromItsFile) {
    WriteMonth(2024, 3, {{9, u"found"}});
    buffer_.Clear(2024);
    buffer_.SetMonth(3, MonthState::kUnreadable);
    EXPECT_TRUE(Search(u"found"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 3, 9}}));
}

TEST_F(FullTextSearchTest, EveryWordGoesIntoTheHistory) {
    WriteMonth(2024, 1, {{1, u"x"}});
    for (const char16_t* word : {u"a", u"b", u"c", u"a"}) {
        EXPECT_TRUE(Search(word));
    }
    EXPECT_EQ(settings_.history.count, 3);
    EXPECT_EQ(settings_.history.words[0], u"a");
    EXPECT_EQ(settings_.history.words[1], u"c");
    EXPECT_EQ(settings_.history.words[2], u"b");
    EXPECT_FALSE(Search(u"")) << "an empty word does nothing";
    EXPECT_EQ(settings_.history.count, 3);
}

TEST_F(FullTextSearchTest, NothingToSearchAndBusyGiveFalse) {
    fs::create_directories(Folder());
    state_.results.hits.push_back({{2000, 1, 1}, u"old"});
    EXPECT_FALSE(Search(u"x")) << "a folder without month files";
    EXPECT_TRUE(state_.results.hits.empty());
    EXPECT_TRUE(errors_.errors.empty());
    state_.busy = true;
    EXPECT_FALSE(Search(u"y"));
    EXPECT_EQ(settings_.history.count, 1) << "a refused search adds nothing";
    EXPECT_FALSE(ClearSearchResults(state_));
    state_.busy = false;
    state_.results = {{{{2000, 1, 1}, u"old"}}, 1, 1};
    EXPECT_TRUE(ClearSearchResults(state_));
    EXPECT_EQ(state_.results.Count(), 0);
    EXPECT_EQ(state_.results.selectedIndex, 0);
}

TEST_F(FullTextSearchTest, MissingFolderIsReported) {
    EXPECT_FALSE(Search(u"x"));
    ASSERT_EQ(errors_.errors.size(), 1u);
    EXPECT_EQ(errors_.errors[0], (UserError{300, Folder().u16string(), 0}));
    EXPECT_EQ(settings_.history.count, 0);
}

TEST_F(FullTextSearchTest, FolderThatCannotBeListedIsReported) {
    WriteMonth(2024, 1, {{1, u"x"}});
    FaultInjectingFileSystem faults(*fs_);
    faults.FailOnly(2);  // IsFolder, then ListFolder
    EXPECT_FALSE(Search(u"x", &faults));
    ASSERT_EQ(errors_.errors.size(), 1u);
    EXPECT_EQ(errors_.errors[0], (UserError{309, (Folder() / "*.txt").u16string(), 112}));
    EXPECT_EQ(faults.Log()[1], "ListFolder (failed)");
}

TEST_F(FullTextSearchTest, UnreadableFilesAreSkippedSilently) {
    WriteMonth(2024, 1, {{1, u"x"}});
    WriteMonth(2024, 2, {{1, u"x"}});
    WriteMonth(2024, 3, {{1, u"x"}});
    FaultInjectingFileSystem faults(*fs_);
    faults.FailOnly(4);  // the second month's read
    EXPECT_TRUE(Search(u"x", &faults));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 1}, {2024, 3, 1}}));
    faults.ResetCount();
    faults.FailFrom(3);
    EXPECT_TRUE(Search(u"x", &faults));
    EXPECT_TRUE(HitDates().empty());
    EXPECT_TRUE(errors_.errors.empty());
}

TEST_F(FullTextSearchTest, FolderVanishingMidSearchKeepsTheHitsSoFar) {
    WriteMonth(2024, 1, {{1, u"x"}});
    WriteMonth(2024, 2, {{1, u"x"}});
    WriteMonth(2024, 3, {{1, u"x"}});
    interruption_.script = [&](int poll) {
        if (poll == 2) {
            fs::remove_all(Folder());
        }
        return false;
    };
    EXPECT_TRUE(Search(u"x"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 1}}));
    EXPECT_TRUE(errors_.errors.empty());
}

TEST_F(FullTextSearchTest, EscStopsBeforeTheNextMonth) {
    WriteMonth(2024, 1, {{1, u"x"}});
    WriteMonth(2024, 2, {{1, u"x"}, {2, u"x"}});
    WriteMonth(2024, 3, {{1, u"x"}});
    interruption_.script = [](int poll) { return poll == 3; };
    EXPECT_TRUE(Search(u"x"));
    EXPECT_EQ(HitDates(), (std::vector<DiaryDate>{{2024, 1, 1}, {2024, 2, 1}, {2024, 2, 2}}));
    EXPECT_FALSE(state_.busy);
}

// A generated diary with its hand-edited months on disk, one year in the year buffer: every search
// finds exactly the entries a naive scan of every entry finds, in calendar order.
TEST_F(FullTextSearchTest, GeneratedDiaryGivesTheEntriesOfANaiveScan) {
    const diarygen::GeneratedDiary diary = diarygen::GenerateDiary({.years = 4, .lastYear = 2024, .seed = 7});
    ASSERT_TRUE(diarygen::WriteDiary(diary, *fs_, Folder()));
    LoadYear(buffer_, *fs_, Folder(), 2023);
    // Every month as the store reads it, oldest first.
    struct Month {
        int year = 0;
        int month = 0;
        std::u16string text;
        MonthTable table{};
    };
    std::vector<Month> months;
    for (const diarygen::GeneratedFile& file : diary.files) {
        Month& month = months.emplace_back();
        month.year = file.year;
        month.month = file.month;
        month.text = ReadMonthText(*fs_, MonthFilePath(Folder(), file.year, file.month)).value();
        ParseMonthText(month.text, file.year, file.month, month.table);
    }
    std::sort(months.begin(), months.end(),
              [](const Month& a, const Month& b) { return a.year * 100 + a.month < b.year * 100 + b.month; });
    const std::vector<std::u16string> words{u"日記", u"コーヒー", u"walk",  u"the", u"WALK", u"a",
                                            u"。",   u"2024",     u"#旅行", u"\\",  u"晴れ", u"メモ：この月"};
    for (const std::u16string& word : words) {
        for (int options = 0; options < 4; ++options) {
            const bool matchCase = (options & 1) != 0;
            const bool wordOnly = (options & 2) != 0;
            settings_.matchCase = matchCase ? 1 : 0;
            settings_.wordOnly = wordOnly ? 1 : 0;
            std::vector<DiaryDate> expected;
            for (const Month& month : months) {
                for (int day = 1; day <= 31; ++day) {
                    const std::u16string_view body =
                        EntryBody(month.text, month.table[static_cast<std::size_t>(day - 1)]);
                    if (testing::ReferenceFind(body, word, matchCase, wordOnly) >= 0) {
                        expected.push_back({month.year, month.month, day});
                    }
                }
            }
            EXPECT_TRUE(Search(word));
            EXPECT_EQ(HitDates(), expected) << ToUtf8(word) << " options " << options;
        }
    }
}

// Each search writes its hits over those of the search before: whatever came before, the results are
// those of a search with a fresh state, excerpts included, and a search that fails after emptying
// them leaves them empty.
TEST_F(FullTextSearchTest, ASearchGivesWhatAFreshSearchGivesWhateverCameBefore) {
    const diarygen::GeneratedDiary diary = diarygen::GenerateDiary({.years = 2, .lastYear = 2024, .seed = 5});
    ASSERT_TRUE(diarygen::WriteDiary(diary, *fs_, Folder()));
    const std::vector<std::u16string> words{u"コーヒー", u"日記",     u"walk", u"zeppelin",
                                            u"。",       u"コーヒー", u"a"};
    for (const std::u16string& word : words) {
        SearchState fresh;
        SearchSettings settings = settings_;
        const SearchEnvironment environment{*fs_,    exe_.path().u16string(), u"RaRorir",
                                            buffer_, interruption_,           errors_};
        EXPECT_TRUE(RunSearch(fresh, settings, word, environment));
        state_.results.selectedIndex = 3;
        EXPECT_TRUE(Search(word));
        EXPECT_EQ(state_.results.hits, fresh.results.hits) << ToUtf8(word);
        EXPECT_EQ(state_.results.selectedIndex, 0);
    }
    ASSERT_FALSE(state_.results.hits.empty());
    FaultInjectingFileSystem faults(*fs_);
    faults.FailOnly(2);  // IsFolder, then ListFolder
    EXPECT_FALSE(Search(u"x", &faults));
    EXPECT_TRUE(state_.results.hits.empty());
}

// With the program's cache a search reads only the month files that changed since the search before,
// and finds what a search without the cache finds, whatever happened to the files in between: text
// added (also to the hand-edited months), files removed and new ones.
TEST_F(FullTextSearchTest, TheMonthCacheReadsOnlyChangedFilesAndFindsWhatAFreshSearchFinds) {
    const diarygen::GeneratedDiary diary = diarygen::GenerateDiary({.years = 3, .lastYear = 2024, .seed = 9});
    ASSERT_TRUE(diarygen::WriteDiary(diary, *fs_, Folder()));
    FaultInjectingFileSystem counting(*fs_);
    counting.StampListings();
    const std::vector<std::u16string> words{u"コーヒー", u"walk", u"雪", u"。", u"メモ：この月", u"雪\n雪"};
    std::mt19937 random(3);
    const auto monthPath = [&](int key) { return MonthFilePath(Folder(), key / 100, key % 100); };
    const auto reads = [&] { return std::ranges::count(counting.Log(), std::string("ReadWholeFile")); };
    for (int step = 0; step < 60; ++step) {
        const int key = (2022 + static_cast<int>(random() % 3)) * 100 + 1 + static_cast<int>(random() % 12);
        const bool exists = fs::exists(monthPath(key));
        long expectedReads = step == 0 ? -1 : 0;
        switch (random() % 4) {
            case 0:
                break;
            case 1:  // text added to the month's last entry, or a new month
                testing::WriteBytes(monthPath(key),
                                    testing::Utf16FileBytes(
                                        (exists ? *ReadUtf16File(*fs_, monthPath(key)) : u"") + u"\t雪\r\n"));
                expectedReads = step == 0 ? -1 : 1;
                break;
            default:
                fs::remove(monthPath(key));
                break;
        }
        const std::u16string& word = words[random() % words.size()];
        SearchState fresh;
        SearchSettings settings = settings_;
        const SearchEnvironment plain{*fs_,    exe_.path().u16string(), u"RaRorir",
                                      buffer_, interruption_,           errors_};
        RunSearch(fresh, settings, word, plain);
        counting.ResetCount();
        const SearchEnvironment cached{
            counting, exe_.path().u16string(), u"RaRorir", buffer_, interruption_, errors_, &state_.cache};
        RunSearch(state_, settings, word, cached);
        ASSERT_EQ(state_.results.hits, fresh.results.hits) << "step " << step << ": " << ToUtf8(word);
        if (expectedReads >= 0) {
            ASSERT_EQ(reads(), expectedReads) << "step " << step;
        }
    }
    EXPECT_TRUE(errors_.errors.empty());
}

// The warmer reads each month once, a few at a time, leaving out the year shown; a search after it
// reads no file and finds what a search without the cache finds.
TEST_F(FullTextSearchTest, TheWarmerReadsEveryMonthAheadOfTheFirstSearch) {
    const diarygen::GeneratedDiary diary = diarygen::GenerateDiary({.years = 3, .lastYear = 2024, .seed = 4});
    ASSERT_TRUE(diarygen::WriteDiary(diary, *fs_, Folder()));
    LoadYear(buffer_, *fs_, Folder(), 2024);
    FaultInjectingFileSystem counting(*fs_);
    counting.StampListings();
    const auto reads = [&] { return std::ranges::count(counting.Log(), std::string("ReadWholeFile")); };
    SearchCacheWarmer& warmer = state_.warmer;
    ASSERT_TRUE(warmer.Start(counting, Folder(), 2024));
    int steps = 0;
    for (bool more = true; more; ++steps) {
        counting.ResetCount();
        more = warmer.Step(counting, state_.cache, 5);
        ASSERT_LE(reads(), 5);
    }
    const long files = std::ranges::count_if(diary.files, [](const auto& file) { return file.year != 2024; });
    EXPECT_EQ(steps, (files + 4) / 5);
    for (const std::u16string word : {u"コーヒー", u"walk", u"メモ：この月"}) {
        SearchState fresh;
        SearchSettings settings = settings_;
        const SearchEnvironment plain{*fs_,    exe_.path().u16string(), u"RaRorir",
                                      buffer_, interruption_,           errors_};
        RunSearch(fresh, settings, word, plain);
        counting.ResetCount();
        const SearchEnvironment cached{
            counting, exe_.path().u16string(), u"RaRorir", buffer_, interruption_, errors_, &state_.cache};
        RunSearch(state_, settings, word, cached);
        EXPECT_EQ(reads(), 0) << ToUtf8(word);
        EXPECT_EQ(state_.results.hits, fresh.results.hits) << ToUtf8(word);
    }
}

}  // namespace
}  // namespace tavrin
