// The store never loses a word: undo after a save, two copies of the program writing one month, and
// what it hands to the recovery port.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "calendar/date_printer.h"
#include "store/diary_store.h"
#include "store/month_text.h"
#include "store_test_support.h"

namespace tavrin {
namespace {

using testing::FakeEditor;
using testing::RecordingErrors;
using testing::RecordingView;
using testing::StoreTest;
using testing::Utf16FileBytes;

constexpr DiaryDate kToday{2024, 5, 1};

// Records what the store asks the recovery port to do.
class RecordingRecovery final : public RecoveryPort {
public:
    struct Call {
        bool keep = false;
        std::u16string diary;
        DiaryDate date;
        std::u16string text;
        friend bool operator==(const Call&, const Call&) = default;
    };
    std::vector<Call> calls;

    void Keep(std::u16string_view diary, const DiaryDate& date, std::u16string_view text) override {
        calls.push_back({true, std::u16string(diary), date, std::u16string(text)});
    }
    void Discard(std::u16string_view diary, const DiaryDate& date) override {
        calls.push_back({false, std::u16string(diary), date, {}});
    }
};

// The month as the program writes it from day -> editor text.
std::u16string MonthOf(const std::map<int, std::u16string>& days) {
    std::u16string text;
    for (const auto& [day, editorText] : days) {
        MonthTable table{};
        ParseMonthText(text, 2024, 5, table);
        text = BuildMonthText(2024, 5, text, table, day, EditorTextToBody(editorText, false));
    }
    return text;
}

// Load "A", type "B", save, undo, move on: the file holds "A" again. Redoing back to the saved text
// makes it unchanged again, and nothing is written.
TEST_F(StoreTest, UndoAndRedoAcrossASaveAreSavedAsTheyStand) {
    WriteMonth(2024, 5, u"2024/05/01\r\n\tA\r\n");
    store_.ChooseStartDate(0, 0);
    ASSERT_EQ(editor_.text, u"A");
    editor_.Type(u"AB");
    ASSERT_TRUE(store_.SaveCurrentEntry(true));
    EXPECT_FALSE(editor_.modified) << "the saved text is the unchanged one now";
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/01\r\n\tAB\r\n"));

    editor_.StepTo(u"A");  // Ctrl+Z
    ASSERT_TRUE(editor_.modified);
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/01\r\n\tA\r\n"));

    ASSERT_TRUE(store_.GoToDate(kToday, true));
    editor_.Type(u"AC");
    ASSERT_TRUE(store_.SaveCurrentEntry(true));
    editor_.StepTo(u"A");
    editor_.StepTo(u"AC");  // Ctrl+Y back to what is saved
    EXPECT_FALSE(editor_.modified);
    fs_.ResetCount();
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/01\r\n\tAC\r\n"));
    EXPECT_EQ(std::count(fs_.Log().begin(), fs_.Log().end(), "OpenForWriting"), 0) << "nothing was written";
}

// A second copy of the program (MultipleStart) on the same diary.
class TwoCopiesTest : public StoreTest {
protected:
    FakeEditor otherEditor_;
    RecordingView otherView_;
    RecordingErrors otherErrors_;
    std::unique_ptr<FileSystem> otherSystem_ = CreateSystemFileSystem();
    DiaryStore other_{
        {*otherSystem_, clock_, otherEditor_, otherView_, otherErrors_}, exe_.path(), u"RaRorir"};
};

TEST_F(TwoCopiesTest, DifferentDaysOfOneMonthBothSurvive) {
    WriteMonth(2024, 5, u"2024/05/20\r\n\tolder\r\n");
    store_.ChooseStartDate(0, 0);
    other_.ChooseStartDate(2, 20240502);
    store_.GoToDate(kToday, true);
    editor_.Type(u"first");
    otherEditor_.Type(u"second");
    ASSERT_TRUE(store_.SaveCurrentEntry(true));
    ASSERT_TRUE(other_.SaveCurrentEntry(true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(MonthOf({{1, u"first"}, {2, u"second"}, {20, u"older"}})));
    EXPECT_GT(otherView_.markChanges, 0) << "the other copy's calendar shows the new day";

    // Each copy sees the other's entry when it goes there, and a change to it is saved over it.
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    EXPECT_EQ(editor_.text, u"second");
    editor_.Type(u"second, edited");
    ASSERT_TRUE(store_.GoToDate({2024, 5, 20}, true));
    ASSERT_TRUE(other_.GoToDate(kToday, true));
    EXPECT_EQ(otherEditor_.text, u"first");
    otherEditor_.Type(u"first, edited");
    ASSERT_TRUE(other_.SaveCurrentEntry(true));
    EXPECT_EQ(MonthBytes(2024, 5),
              Utf16FileBytes(MonthOf({{1, u"first, edited"}, {2, u"second, edited"}, {20, u"older"}})));
    EXPECT_TRUE(errors_.errors.empty());
    EXPECT_TRUE(otherErrors_.errors.empty());
}

// Both copies save random days of one month in random order; the file always holds the last text
// saved for every day, whichever copy saved it.
TEST_F(TwoCopiesTest, RandomSavesOfBothCopiesAllSurvive) {
    store_.ChooseStartDate(0, 0);
    other_.ChooseStartDate(0, 0);
    std::mt19937 random(7);
    std::map<int, std::u16string> model;
    for (int step = 0; step < 200; ++step) {
        const bool first = random() % 2 == 0;
        DiaryStore& copy = first ? store_ : other_;
        FakeEditor& editor = first ? editor_ : otherEditor_;
        const int day = 1 + static_cast<int>(random() % 6);
        ASSERT_TRUE(copy.GoToDate({2024, 5, day}, true));
        const std::u16string text =
            random() % 5 == 0 ? u"" : u"step " + std::u16string(1, static_cast<char16_t>(u'A' + step % 26));
        editor.Type(text);
        ASSERT_TRUE(copy.SaveCurrentEntry(true));
        if (text.empty()) {
            model.erase(day);
        } else {
            model[day] = text;
        }
        ASSERT_EQ(MonthBytes(2024, 5), Utf16FileBytes(MonthOf(model))) << "step " << step;
    }
}

TEST_F(StoreTest, AMonthFileThatCannotBeReadAgainIsNotReplacedUnread) {
    WriteMonth(2024, 5, u"2024/05/02\r\n\tmine\r\n");
    store_.ChooseStartDate(0, 0);
    editor_.Type(u"today");
    WriteMonth(2024, 5, u"2024/05/03\r\n\ttheirs\r\n");  // another copy wrote it meanwhile ...
    locking_.Lock(MonthFile(2024, 5));                   // ... and holds it
    EXPECT_FALSE(store_.GoToDate({2024, 5, 2}, true));
    ASSERT_EQ(errors_.errors.size(), 1u);
    EXPECT_EQ(errors_.errors[0].number, kErrorFileSave);
    EXPECT_EQ(errors_.errors[0].detail, u"1");
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/03\r\n\ttheirs\r\n"));
    EXPECT_EQ(editor_.text, u"today");
    locking_.Unlock(MonthFile(2024, 5));
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(MonthOf({{1, u"today"}, {3, u"theirs"}})))
        << "the other copy removed the 2nd; this one never touched it";
}

TEST_F(StoreTest, TheRecoveryPortKeepsOnlyUnsavedText) {
    RecordingRecovery recovery;
    store_.SetRecovery(&recovery);
    store_.KeepUnsavedText();
    EXPECT_TRUE(recovery.calls.empty()) << "nothing is loaded yet";
    store_.ChooseStartDate(0, 0);
    store_.KeepUnsavedText();
    editor_.Type(u"words");
    store_.KeepUnsavedText();
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    editor_.Type(u"");  // an emptied entry holds nothing to keep
    store_.KeepUnsavedText();
    using Call = RecordingRecovery::Call;
    EXPECT_EQ(recovery.calls, (std::vector<Call>{{false, u"RaRorir", kToday, {}},
                                                 {true, u"RaRorir", kToday, u"words"},
                                                 {false, u"RaRorir", kToday, {}},
                                                 {false, u"RaRorir", {2024, 5, 2}, {}}}));

    recovery.calls.clear();
    ASSERT_TRUE(store_.EnterCalendarMode());
    store_.KeepUnsavedText();
    store_.EnterEditMode();
    editor_.Type(u"last words");
    fs_.FailFrom(1);
    store_.Shutdown();
    EXPECT_EQ(recovery.calls, (std::vector<Call>{{false, u"RaRorir", {2024, 5, 2}, {}},
                                                 {true, u"RaRorir", {2024, 5, 2}, u"last words"}}))
        << "a final save that fails keeps the text";
    EXPECT_TRUE(errors_.errors.empty());
}

}  // namespace
}  // namespace tavrin
