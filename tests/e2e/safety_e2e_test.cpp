// Never losing a word, driven through the real tavrin.exe: closing while the save fails, undo after a
// save, a killed process and the recovery of its text, the end of the Windows session under an open
// message box, and two copies writing one month.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "calendar/calendar_rules.h"
#include "driver_win.h"
#include "platform/text.h"
#include "platform/wide_win.h"
#include "portable_folder_win.h"
#include "running_tavrin_win.h"

namespace tavrin::e2e {
namespace {

constexpr int kPrevDay = 41024;
constexpr int kNextDay = 41025;
constexpr int kJump = 41031;
constexpr int kSaveAs = 41032;

std::u16string DateText(const DiaryDate& date) {
    return Decimal(date.year, 4) + u"/" + Decimal(date.month, 2) + u"/" + Decimal(date.day, 2);
}

// A month file as the program writes it, day -> entry text with LF line breaks.
std::vector<std::byte> MonthFile(const DiaryDate& anyDay, const std::map<int, std::u16string>& days) {
    return Utf16File(MonthFileText(anyDay.year * 100 + anyDay.month, days));
}

// The running program with what these tests do besides typing and commands: killing it, waiting for
// its end, its message boxes and keys through the accelerator table.
class Running : public RunningTavrin {
public:
    using RunningTavrin::RunningTavrin;
    [[nodiscard]] bool Alive() const { return Process().Running(); }
    void Type(std::wstring_view text) const { drive::TypeText(Editor(), text); }
    [[nodiscard]] std::optional<DWORD> WaitForExit() const { return Process().WaitForExit(kTimeoutMs); }
    void Kill() const { Process().Kill(); }
    // The box the program shows next: caption and text; it is left open.
    [[nodiscard]] std::optional<drive::MessageBoxInfo> Box(DWORD timeoutMs = kTimeoutMs) const {
        return drive::WaitForMessageBox(Id(), timeoutMs);
    }
    // Keys as the user presses them, through the accelerator table.
    bool Keys(std::initializer_list<WORD> keys) const { return drive::PressKeysInForeground(Frame(), keys); }
};

class Safety : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(diary_);
        folder_.WriteFileBytes(folder_.Ini(), Utf16File(u"[Other]\r\nNoAnimation=1\r\n"));
    }
    [[nodiscard]] std::filesystem::path MonthPath(const DiaryDate& date) const {
        return diary_ / (std::to_wstring(date.year * 100 + date.month) + L".txt");
    }
    [[nodiscard]] std::filesystem::path RecoveryPath(const DiaryDate& date) const {
        return folder_.path() / L"_recovery" / L"RaRorir" /
               (std::to_wstring(date.year * 10000 + date.month * 100 + date.day) + L".txt");
    }
    [[nodiscard]] std::vector<std::byte> MonthBytes(const DiaryDate& date) const {
        return folder_.ReadFileBytes(MonthPath(date));
    }

    PortableFolder folder_;
    std::filesystem::path diary_ = folder_.path() / L"RaRorir";
    DiaryDate today_ = Today();
};

TEST_F(Safety, ClosingWhileTheSaveFailsShowsTheErrorAndKeepsTheText) {
    folder_.WriteFileBytes(MonthPath(today_), MonthFile(today_, {{today_.day, u"元の本文"}}));
    Running tavrin(folder_);
    ASSERT_TRUE(tavrin.Ready());
    tavrin.Type(L"追記:");
    SetFileAttributesW(MonthPath(today_).c_str(), FILE_ATTRIBUTE_READONLY);

    PostMessageW(tavrin.Frame(), WM_CLOSE, 0, 0);  // the close button
    const auto box = tavrin.Box();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"ファイル保存に失敗しました。\r\n\r\n3");
    drive::DismissMessageBox(box->window);
    drive::WaitUntilIdle(tavrin.Id(), kTimeoutMs);
    EXPECT_TRUE(tavrin.Alive()) << "the program stays open";
    EXPECT_TRUE(IsWindowVisible(tavrin.Frame()));
    EXPECT_EQ(tavrin.Text(), L"追記:元の本文");

    SetFileAttributesW(MonthPath(today_).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(tavrin.Close(), 0u);
    EXPECT_EQ(MonthBytes(today_), MonthFile(today_, {{today_.day, u"追記:元の本文"}}));
    EXPECT_FALSE(std::filesystem::exists(RecoveryPath(today_)));
}

// Load "A", type "B", Ctrl+S, Ctrl+Z, move to another day: "A" is what the month file holds.
TEST_F(Safety, UndoAfterASaveIsSaved) {
    folder_.WriteFileBytes(MonthPath(today_), MonthFile(today_, {{today_.day, u"A"}}));
    Running tavrin(folder_);
    ASSERT_TRUE(tavrin.Ready());
    ASSERT_EQ(tavrin.Text(), L"A");
    drive::PressKey(drive::FindChild(tavrin.Frame(), L"MarkupEditPane"), VK_END);
    tavrin.Type(L"B");
    ASSERT_TRUE(tavrin.Keys({VK_CONTROL, 'S'}));
    ASSERT_TRUE(drive::WaitFor(
        [&] {
            return MonthBytes(today_) == MonthFile(today_, {{today_.day, u"AB"}});
        },
        kTimeoutMs));
    ASSERT_TRUE(tavrin.Keys({VK_CONTROL, 'Z'}));
    ASSERT_TRUE(drive::WaitFor([&] { return tavrin.Text() == L"A"; }, kTimeoutMs));
    tavrin.Command(kNextDay);
    EXPECT_EQ(tavrin.Text(), L"");
    EXPECT_EQ(MonthBytes(today_), MonthFile(today_, {{today_.day, u"A"}}));
    EXPECT_EQ(tavrin.Close(), 0u);
    EXPECT_EQ(MonthBytes(today_), MonthFile(today_, {{today_.day, u"A"}}));
}

// Text typed, the process killed three seconds later: the next start asks; Yes restores the entry
// into its month file, No keeps the file under a name that is not offered again and says where.
TEST_F(Safety, TextOfAKilledProcessIsOfferedAtTheNextStart) {
    const DiaryDate tomorrow = AddDays(today_, 1);
    folder_.WriteFileBytes(MonthPath(tomorrow), MonthFile(tomorrow, {{tomorrow.day, u"明日の予定"}}));
    {
        Running tavrin(folder_);
        ASSERT_TRUE(tavrin.Ready());
        tavrin.Type(L"消えては\nいけない");
        Sleep(3000);
        tavrin.Kill();
    }
    if (tomorrow.month == today_.month) {
        EXPECT_EQ(MonthBytes(today_), MonthFile(tomorrow, {{tomorrow.day, u"明日の予定"}}))
            << "nothing was saved";
    } else {
        EXPECT_FALSE(std::filesystem::exists(MonthPath(today_))) << "nothing was saved";
    }
    {
        Running tavrin(folder_);
        ASSERT_TRUE(tavrin.Ready());
        const auto box = tavrin.Box();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, L"確認");
        EXPECT_NE(box->text.find(Wide(DateText(today_))), std::wstring::npos) << ToUtf8(FromWide(box->text));
        drive::PressMessageBoxButton(box->window, IDYES);
        ASSERT_TRUE(drive::WaitFor([&] { return tavrin.Text() == L"消えては\nいけない"; }, kTimeoutMs))
            << "the restored entry is shown";
        std::map<int, std::u16string> expected{{today_.day, u"消えては\nいけない"}};
        if (tomorrow.month == today_.month) {
            expected[tomorrow.day] = u"明日の予定";
        }
        EXPECT_EQ(MonthBytes(today_), MonthFile(today_, expected)) << "and saved, beside the other entry";
        EXPECT_FALSE(std::filesystem::exists(RecoveryPath(today_)));

        tavrin.Type(L"もう一度、");
        Sleep(3000);
        tavrin.Kill();
    }
    {
        Running tavrin(folder_);
        ASSERT_TRUE(tavrin.Ready());
        const auto box = tavrin.Box();
        ASSERT_TRUE(box);
        drive::PressMessageBoxButton(box->window, IDNO);
        const auto told = tavrin.Box();
        ASSERT_TRUE(told);
        EXPECT_NE(told->text.find(L"_recovery"), std::wstring::npos) << "where the text was kept";
        drive::DismissMessageBox(told->window);
        EXPECT_EQ(tavrin.Text(), L"消えては\nいけない") << "the stored entry, unchanged";
        EXPECT_EQ(tavrin.Close(), 0u);
    }
    const std::filesystem::path kept =
        RecoveryPath(today_).parent_path() /
        (std::to_wstring(today_.year * 10000 + today_.month * 100 + today_.day) + L"-kept1.txt");
    EXPECT_TRUE(std::filesystem::exists(kept));
    Running again(folder_);
    ASSERT_TRUE(again.Ready());
    EXPECT_FALSE(again.Box(3000)) << "a text set aside is not offered again";
    EXPECT_EQ(again.Close(), 0u);
}

// Windows ends the session while the program shows an error box for a failed save: the text goes to
// its recovery file and the program ends without freeing anything under the box.
TEST_F(Safety, TheSessionEndsUnderAnOpenErrorBox) {
    folder_.WriteFileBytes(MonthPath(today_), MonthFile(today_, {{today_.day, u"元の本文"}}));
    SetFileAttributesW(MonthPath(today_).c_str(), FILE_ATTRIBUTE_READONLY);
    {
        Running tavrin(folder_);
        ASSERT_TRUE(tavrin.Ready());
        tavrin.Type(L"追記:");
        drive::PostCommand(tavrin.Frame(), kPrevDay);
        const auto box = tavrin.Box();
        ASSERT_TRUE(box) << "the save failed";
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutW(tavrin.Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                        kTimeoutMs, &answer));
        EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
        EXPECT_TRUE(tavrin.Alive()) << "asking is not ending";
        EXPECT_TRUE(IsWindow(box->window));
        SendMessageTimeoutW(tavrin.Frame(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                            &answer);
        EXPECT_EQ(tavrin.WaitForExit(), 0u) << "the program ended";
    }
    EXPECT_EQ(MonthBytes(today_), MonthFile(today_, {{today_.day, u"元の本文"}}));
    SetFileAttributesW(MonthPath(today_).c_str(), FILE_ATTRIBUTE_NORMAL);

    Running tavrin(folder_);
    ASSERT_TRUE(tavrin.Ready());
    const auto box = tavrin.Box();
    ASSERT_TRUE(box);
    drive::PressMessageBoxButton(box->window, IDYES);
    ASSERT_TRUE(drive::WaitFor([&] { return tavrin.Text() == L"追記:元の本文"; }, kTimeoutMs));
    EXPECT_EQ(MonthBytes(today_), MonthFile(today_, {{today_.day, u"追記:元の本文"}}));
    EXPECT_EQ(tavrin.Close(), 0u);
}

TEST_F(Safety, AnOrdinaryEndOfTheSessionSavesAndEnds) {
    Running tavrin(folder_);
    ASSERT_TRUE(tavrin.Ready());
    tavrin.Type(L"ログオフ前");
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(tavrin.Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kTimeoutMs,
                        &answer);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    EXPECT_EQ(MonthBytes(today_), MonthFile(today_, {{today_.day, u"ログオフ前"}})) << "saved when asked";
    SendMessageTimeoutW(tavrin.Frame(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kTimeoutMs,
                        &answer);
    EXPECT_EQ(tavrin.WaitForExit(), 0u);
    EXPECT_TRUE(std::filesystem::exists(folder_.Ini()));
}

void JumpTo(const Running& tavrin, const DiaryDate& date) {
    tavrin.Command(kJump);
    HWND dialog = drive::WaitForWindow(tavrin.Id(), L"#32770", L"日付移動", kTimeoutMs);
    ASSERT_TRUE(dialog);
    SetDlgItemTextW(dialog, 1101, std::to_wstring(date.year).c_str());
    SetDlgItemTextW(dialog, 1103, std::to_wstring(date.month).c_str());
    SetDlgItemTextW(dialog, 1105, std::to_wstring(date.day).c_str());
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(Safety, TwoCopiesWritingTheFirstAndTheSecondOfOneMonthBothSurvive) {
    folder_.WriteFileBytes(folder_.Ini(), Utf16File(u"[Other]\r\nNoAnimation=1\r\nMultipleStart=1\r\n"));
    const DiaryDate first{today_.year, today_.month, 1};
    const DiaryDate second{today_.year, today_.month, 2};
    Running one(folder_);
    ASSERT_TRUE(one.Ready());
    Running two(folder_);
    ASSERT_TRUE(two.Ready());
    EXPECT_FALSE(two.Box(2000)) << "the first copy's texts are its own";
    JumpTo(one, first);
    JumpTo(two, second);
    ASSERT_TRUE(drive::WaitFor([&] { return one.Text().empty() && two.Text().empty(); }, kTimeoutMs));
    one.Type(L"一日の記録");
    two.Type(L"二日の記録");
    one.Command(kSaveAs);
    two.Command(kSaveAs);
    EXPECT_EQ(MonthBytes(first), MonthFile(first, {{1, u"一日の記録"}, {2, u"二日の記録"}}));
    one.Command(kNextDay);
    EXPECT_EQ(one.Text(), L"二日の記録") << "each copy sees what the other wrote";
    EXPECT_EQ(one.Close(), 0u);
    EXPECT_EQ(two.Close(), 0u);
    EXPECT_EQ(MonthBytes(first), MonthFile(first, {{1, u"一日の記録"}, {2, u"二日の記録"}}));
}

}  // namespace
}  // namespace tavrin::e2e
