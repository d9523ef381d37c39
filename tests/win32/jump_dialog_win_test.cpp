// The jump dialog as a user drives it: fields, the move button, the notice for a date that does not
// exist, and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "../../resources/resource.h"
#include "driver_win.h"
#include "platform/wide_win.h"
#include "ui/dialogs/jump_dialog_win.h"

namespace tavrin {
namespace {

std::wstring Text(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

struct Recorded {
    std::vector<std::u16string> calls;
    bool closed = false;
};

HWND Open(Recorded& recorded) {
    JumpDialogContext context;
    context.selected = {2024, 3, 5};
    context.today = {2026, 12, 8};
    context.jump = [&recorded](std::u16string_view y, std::u16string_view m, std::u16string_view d) {
        recorded.calls.push_back(std::u16string(y) + u"/" + std::u16string(m) + u"/" + std::u16string(d));
        const JumpCheck check = CheckJumpFields(y, m, d);
        return check.notice;
    };
    context.closed = [&recorded] { recorded.closed = true; };
    return OpenJumpDialog(GetModuleHandleW(nullptr), nullptr, std::move(context));
}

TEST(JumpDialog, StartsOnTheSelectedDateWithTodayInTheTitle) {
    Recorded recorded;
    HWND dialog = Open(recorded);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Text(dialog), L"日付移動　今日: 2026/12/08");
    EXPECT_EQ(Text(GetDlgItem(dialog, IDC_JUMP_YEAR)), L"2024");
    EXPECT_EQ(Text(GetDlgItem(dialog, IDC_JUMP_MONTH)), L"3");
    EXPECT_EQ(Text(GetDlgItem(dialog, IDC_JUMP_DAY)), L"5");
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(dialog)) << "Escape or Cancel closes it";
    EXPECT_TRUE(recorded.closed);
    EXPECT_TRUE(recorded.calls.empty());
}

TEST(JumpDialog, RefusesADateThatDoesNotExistAndMovesToOneThatDoes) {
    Recorded recorded;
    HWND dialog = Open(recorded);
    ASSERT_TRUE(dialog);
    SetDlgItemTextW(dialog, IDC_JUMP_YEAR, L"2023");
    SetDlgItemTextW(dialog, IDC_JUMP_MONTH, L"2");
    SetDlgItemTextW(dialog, IDC_JUMP_DAY, L"29");

    std::optional<drive::MessageBoxInfo> notice;
    std::thread reader([&notice, dialog] {
        notice = drive::WaitForMessageBox(GetCurrentProcessId(), 10000, dialog);
        if (notice) {
            drive::DismissMessageBox(notice->window);
        }
    });
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    reader.join();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->caption, L"日付の選択");
    EXPECT_EQ(notice->text, L"2023/02/29 は存在しない日付です。");
    EXPECT_TRUE(IsWindow(dialog)) << "the dialog stays open for a correction";

    SetDlgItemTextW(dialog, IDC_JUMP_YEAR, L"2024");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(dialog)) << "a date that exists closes the dialog";
    EXPECT_EQ(recorded.calls, (std::vector<std::u16string>{u"2023/2/29", u"2024/2/29"}));
    EXPECT_TRUE(recorded.closed);
}

}  // namespace
}  // namespace tavrin
