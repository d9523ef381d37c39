// The error box as the user sees it: caption, text and that it goes away with OK.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "app/error_box_win.h"
#include "driver_win.h"

namespace tavrin {
namespace {

// Shows the box on this thread while another thread reads it and presses OK.
std::optional<drive::MessageBoxInfo> ShowAndRead(DWORD lastError, int number, std::u16string_view detail) {
    std::optional<drive::MessageBoxInfo> seen;
    std::thread reader([&seen] {
        seen = drive::WaitForMessageBox(GetCurrentProcessId(), 10000);
        if (seen) {
            drive::DismissMessageBox(seen->window);
        }
    });
    SetLastError(lastError);
    ShowErrorMessage(nullptr, number, detail);
    reader.join();
    return seen;
}

TEST(ErrorBox, ShowsTheMessageWithItsDetailAndTheSystemErrorInTheCaption) {
    const auto saveFailed = ShowAndRead(5, 303, u"3");
    ASSERT_TRUE(saveFailed);
    EXPECT_EQ(saveFailed->caption, L"Tavrin (ErrerID:5)");
    EXPECT_EQ(saveFailed->text, L"ファイル保存に失敗しました。\r\n\r\n3");

    const auto noSystemError = ShowAndRead(0, 205, u"");
    ASSERT_TRUE(noSystemError);
    EXPECT_EQ(noSystemError->caption, L"Tavrin");
    EXPECT_EQ(noSystemError->text, L"日記データがありません。") << "an empty detail adds nothing";

    const auto unknown = ShowAndRead(0, 304, u"C:\\diary\\202403.txt");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->text, L"\r\n\r\nC:\\diary\\202403.txt")
        << "numbers without a message show only the detail";
}

TEST(ErrorBox, ACoreErrorCarriesItsOwnSystemCode) {
    std::optional<drive::MessageBoxInfo> seen;
    std::thread reader([&seen] {
        seen = drive::WaitForMessageBox(GetCurrentProcessId(), 10000);
        if (seen) {
            drive::DismissMessageBox(seen->window);
        }
    });
    SetLastError(0);
    ShowUserError(nullptr, UserError{311, u"C:\\Tavrin\\日記", 112});
    reader.join();
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->caption, L"Tavrin (ErrerID:112)");
    EXPECT_EQ(seen->text, L"フォルダを作成できません。\r\n\r\nC:\\Tavrin\\日記");
}

}  // namespace
}  // namespace tavrin
