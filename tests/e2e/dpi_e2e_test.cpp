// The real tavrin.exe on a screen of 144 or 192 DPI (scripts/wine-dpi-run.sh runs this program in a Wine
// prefix with that LogPixels and names the DPI in TAVRIN_EXPECT_DPI): the first start's window is the
// 96-DPI window scaled, and a day of the side calendar and the toolbar's buttons answer clicks at their
// scaled places.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "calendar/calendar_rules.h"
#include "driver_win.h"
#include "frame_geometry_win.h"
#include "portable_folder_win.h"
#include "ui/dpi.h"
#include "ui/hit_codes.h"

namespace tavrin::e2e {
namespace {

constexpr DWORD kTimeoutMs = 30000;

int ExpectedDpi() {
    const char* value = std::getenv("TAVRIN_EXPECT_DPI");
    return value ? std::atoi(value) : 0;
}

std::wstring TitleOf(const DiaryDate& date) {
    wchar_t text[32] = {};
    swprintf(text, 32, L"%04d/%02d/%02d", date.year, date.month, date.day);
    return text;
}

// Types a line naming the day into the editor of the running program, so that the day shown can be
// read back from the editor after a move (an entry is saved when the date changes).
void WriteDayLine(HWND editor, const DiaryDate& date) { drive::TypeText(editor, TitleOf(date)); }

TEST(HighDpi, TheWindowIsScaledAndClicksLandOnTheScaledCalendarAndToolbar) {
    const int dpi = ExpectedDpi();
    if (dpi == 0) {
        GTEST_SKIP() << "run through scripts/wine-dpi-run.sh, which names the screen's DPI";
    }
    PortableFolder folder;
    std::optional<drive::TavrinProcess> tavrin = folder.Start();
    ASSERT_TRUE(tavrin);
    HWND frame = tavrin->WaitForMainFrame(kTimeoutMs);
    ASSERT_TRUE(frame);
    HWND editor = drive::FindChild(frame, L"MarkupEditPane");
    ASSERT_TRUE(editor);
    ASSERT_EQ(static_cast<int>(GetDpiForWindow(frame)), dpi) << "the prefix gives the screen its DPI";

    // A first start: the 800 x 600 window of 96 DPI, scaled, on a screen with room for it.
    RECT window{};
    GetWindowRect(frame, &window);
    EXPECT_EQ(window.right - window.left, ScaleForDpi(800, dpi));
    EXPECT_EQ(window.bottom - window.top, ScaleForDpi(600, dpi));

    // The day boxes are the 96-DPI boxes (32 x 24, 4 apart, 50 from the left edge) scaled.
    const DiaryDate today = Today();
    const DiaryDate target = today.day > 1 ? AddDays(today, -1) : AddDays(today, 1);
    const PixelRect cell = SideCalendarDayCell(frame, today, target.day);
    EXPECT_EQ(cell.width, ScaleForDpi(32, dpi));
    EXPECT_EQ(cell.height, ScaleForDpi(24, dpi));
    const int column = (Weekday(target.year, target.month, 1) + target.day - 1) % 7;
    EXPECT_EQ(cell.x, ScaleForDpi(50, dpi) + column * (ScaleForDpi(32, dpi) + ScaleForDpi(4, dpi)));

    WriteDayLine(editor, today);
    drive::Click(frame, cell.x + cell.width / 2, cell.y + cell.height / 2);
    EXPECT_TRUE(drive::WaitFor([&] { return drive::TextOf(editor).empty(); }, 5000))
        << "the click on the scaled cell moved to another day";
    WriteDayLine(editor, target);
    // Near the far corner of the scaled cell, where a cell of the unscaled size would have ended.
    const PixelRect todayCell = SideCalendarDayCell(frame, target, today.day);
    drive::Click(frame, todayCell.Right() - 2, todayCell.Bottom() - 2);
    EXPECT_TRUE(drive::WaitFor([&] { return drive::TextOf(editor) == TitleOf(today); }, 5000));

    // The toolbar: 32-pixel buttons at 96 DPI, from the content box's corner (50, 40).
    const PixelRect calendarButton = ToolbarButton(frame, today, kHitModeCalendar);
    EXPECT_EQ(calendarButton, (PixelRect{ScaleForDpi(50, dpi) + ScaleForDpi(32, dpi), ScaleForDpi(40, dpi),
                                         ScaleForDpi(32, dpi), ScaleForDpi(32, dpi)}));
    drive::Click(frame, calendarButton.Right() - 2, calendarButton.Bottom() - 2);
    EXPECT_TRUE(drive::WaitFor([&] { return !IsWindowVisible(editor); }, 5000)) << "calendar mode";
    const PixelRect editButton = ToolbarButton(frame, today, kHitModeEdit);
    drive::Click(frame, editButton.x + editButton.width / 2, editButton.y + editButton.height / 2);
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowVisible(editor); }, 5000)) << "back to the editor";
    EXPECT_EQ(tavrin->Close(kTimeoutMs), 0u);
}

}  // namespace
}  // namespace tavrin::e2e
