#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/settings_file.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::TempFolder;
using testing::U;
using testing::Utf16FileBytes;
using testing::WriteBytes;

TEST(OpacityLevels, WorkedExamples) {
    EXPECT_EQ(ComputeOpacityLevels(0), (OpacityLevels{128, 12, 0}));
    EXPECT_EQ(ComputeOpacityLevels(15), (OpacityLevels{166, 51, 38}));
    EXPECT_EQ(ComputeOpacityLevels(50), (OpacityLevels{256, 140, 128}));
    EXPECT_EQ(ComputeOpacityLevels(95), (OpacityLevels{256, 256, 243}));
    EXPECT_EQ(ComputeOpacityLevels(100), (OpacityLevels{256, 256, 256}));
    EXPECT_EQ(ComputeOpacityLevels(-7), ComputeOpacityLevels(0));
    EXPECT_EQ(ComputeOpacityLevels(400), ComputeOpacityLevels(100));
    // Against integer arithmetic, which truncates the same way for every percentage.
    for (int a = 0; a <= 100; ++a) {
        const OpacityLevels levels = ComputeOpacityLevels(a);
        EXPECT_EQ(levels.strong, std::min(a + 50, 100) * 256 / 100) << a;
        EXPECT_EQ(levels.light, std::min(a + 5, 100) * 256 / 100) << a;
        EXPECT_EQ(levels.base, a * 256 / 100) << a;
    }
}

TEST(WindowsVersionCode, FollowsTheSystemTable) {
    using P = WindowsPlatform;
    EXPECT_EQ(WindowsVersionCodeOf(P::kUnreadable, 10, 0), 0);
    EXPECT_EQ(WindowsVersionCodeOf(P::kWin32s, 3, 11), 1);
    EXPECT_EQ(WindowsVersionCodeOf(P::kWindows9x, 4, 0), 2);
    EXPECT_EQ(WindowsVersionCodeOf(P::kWindows9x, 4, 10), 3);
    EXPECT_EQ(WindowsVersionCodeOf(P::kWindows9x, 4, 90), 4);
    EXPECT_EQ(WindowsVersionCodeOf(P::kWindows9x, 4, 3), 0);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 2, 0), 0);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 3, 51), 1);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 4, 0), 1);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 5, 0), 5);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 5, 1), 6);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 5, 2), 0);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 6, 0), 7);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 6, 1), 8);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 6, 2), 9);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 6, 3), 10);
    EXPECT_EQ(WindowsVersionCodeOf(P::kNt, 10, 0), 10);
}

TEST(ExeFolder, DriveAndDirectoryWithoutTheTrailingBackslash) {
    EXPECT_EQ(ResolveExeFolder(u"C:\\Tools\\Tavrin\\tavrin.exe"), u"C:\\Tools\\Tavrin");
    EXPECT_EQ(ResolveExeFolder(u"C:\\tavrin.exe"), u"C:");
    EXPECT_EQ(ResolveExeFolder(u"\\\\server\\share\\tavrin.exe"), u"\\\\server\\share");
    EXPECT_EQ(ResolveExeFolder(u"/home/user/tavrin"), u"/home/user");
    EXPECT_EQ(ResolveExeFolder(u""), std::nullopt) << "the path could not be read";

    const std::u16string prefix = u"C:\\";
    const std::u16string longest = prefix + std::u16string(259 - prefix.size() - 4, u'd') + u"\\a.e";
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_TRUE(ResolveExeFolder(longest));
    EXPECT_EQ(ResolveExeFolder(longest + u"x"), std::nullopt) << "260 characters or more";
}

TEST(ExeFolder, FilesBesideABareDriveStayOnItsRoot) {
    EXPECT_EQ(PathInExeFolder(u"/tmp/x", u"tavrin.ini"), std::filesystem::path("/tmp/x/tavrin.ini"));
    const std::filesystem::path onDrive = PathInExeFolder(u"C:", u"tavrin.ini");
    EXPECT_EQ(onDrive.u16string().substr(0, 3),
              std::u16string(u"C:") + static_cast<char16_t>(std::filesystem::path::preferred_separator));
}

TEST(DefaultGeometry, CentredInTheWorkArea) {
    EXPECT_EQ(CentredDefaultGeometry(ScreenRect{0, 0, 1920, 1040}), (ScreenRect{560, 220, 1360, 820}));
    EXPECT_EQ(CentredDefaultGeometry(ScreenRect{0, 0, 1366, 728}), (ScreenRect{283, 64, 1083, 664}));
    EXPECT_EQ(CentredDefaultGeometry(std::nullopt), (ScreenRect{100, 100, 900, 700}));
}

// A first start on a 150 % or 200 % screen: the 800 x 600 window scaled, centred, and written as such.
TEST(DefaultGeometry, ScaledForTheScreen) {
    EXPECT_EQ(CentredDefaultGeometry(ScreenRect{0, 0, 2400, 1500}, 144), (ScreenRect{600, 300, 1800, 1200}));
    EXPECT_EQ(CentredDefaultGeometry(ScreenRect{0, 0, 3840, 2100}, 192), (ScreenRect{1120, 450, 2720, 1650}));
    AppState state;
    StartupInputs inputs{
        {2024, 2, 29, 12, 0, 0, 4}, u"D:\\tavrin.exe", 7, 2400, 1500, ScreenRect{0, 0, 2400, 1460}, 500, 144};
    ASSERT_TRUE(InitialiseAppState(state, inputs));
    EXPECT_EQ(state.settings.window.width, 1200);
    EXPECT_EQ(state.settings.window.height, 900);
    EXPECT_EQ(state.restoreRect, (ScreenRect{600, 280, 1800, 1180}));
    state.workArea = {0, 0, 3000, 2000};
    EXPECT_EQ(ResetFrameGeometry(state), (ScreenRect{900, 550, 2100, 1450}))
        << "a lost frame comes back scaled";
}

TEST(InitialiseAppState, FillsTheStateFromTheInputs) {
    AppState state;
    StartupInputs inputs{
        {2024, 2, 29, 23, 59, 58, 4}, u"D:\\Diary\\tavrin.exe", 7, 1280, 1024, std::nullopt, 3};
    ASSERT_TRUE(InitialiseAppState(state, inputs));
    EXPECT_EQ(state.exeFolder, u"D:\\Diary");
    EXPECT_EQ(state.DiaryName(), u"RaRorir");
    EXPECT_EQ(state.dataFolderName, u"data");
    EXPECT_EQ(state.selectedDate, (DiaryDate{2024, 2, 29}));
    EXPECT_EQ(state.previousClock, inputs.now);
    EXPECT_EQ(state.workArea, (ScreenRect{0, 0, 1280, 1024})) << "unreadable work area: the screen";
    EXPECT_EQ(state.restoreRect, (ScreenRect{100, 100, 900, 700}));
    EXPECT_EQ(state.doubleClickTime, 10);
    EXPECT_EQ(state.settings.window.mainFontName, U("メイリオ"));
    EXPECT_EQ(state.settings.other.startDate, 20240229);
    EXPECT_EQ(state.settings.colour.customColours[1], MakeColorRef(17, 17, 17));
    EXPECT_EQ(state.settings.shortcutKey.active[0], 0x0473);
    EXPECT_EQ(state.monthLabels[8], u"September");
    EXPECT_EQ(state.weekdayLabels[6], U("土"));
    EXPECT_EQ(state.alphaStrong, 166);
    EXPECT_TRUE(state.templates.Empty()) << "templates come from the file or the defaults later";

    inputs.exePath = std::u16string(300, u'x');
    EXPECT_FALSE(InitialiseAppState(state, inputs));
}

TEST(ReadSettingsAtStartup, TakesTheFileOrTheDefaultTemplates) {
    TempFolder folder;
    const auto fs = CreateSystemFileSystem();
    const std::u16string exe = (folder.path() / "tavrin.exe").u16string();
    AppState state;
    ASSERT_TRUE(InitialiseAppState(state, {{2024, 5, 1, 9, 0, 0, 3}, exe, 10, 800, 600, std::nullopt, 500}));
    ReadSettingsAtStartup(*fs, state);
    EXPECT_EQ(state.templates.Count(), 11) << "no file: the default templates";

    WriteBytes(
        folder.path() / "tavrin.ini",
        Utf16FileBytes(u"[Color]\r\nAlpha=50\r\n[Calendar]\r\nWeekFormat=S,M\r\n[Window]\r\nLeft=5\r\n"));
    AppState fromFile;
    ASSERT_TRUE(
        InitialiseAppState(fromFile, {{2024, 5, 1, 9, 0, 0, 3}, exe, 10, 800, 600, std::nullopt, 500}));
    ReadSettingsAtStartup(*fs, fromFile);
    EXPECT_EQ(fromFile.templates.Count(), 0) << "a readable file without items has no templates";
    EXPECT_EQ((OpacityLevels{fromFile.alphaStrong, fromFile.alphaLight, fromFile.alphaBase}),
              ComputeOpacityLevels(50));
    EXPECT_EQ(fromFile.weekdayLabels, (WeekLabels{u"S", u"M", u"", u"", u"", u"", u""}));
    EXPECT_EQ(fromFile.restoreRect, (ScreenRect{5, 100, 805, 700}));
}

TEST(ShowCommand, MaximisedWinsAndRestoreClearsTheFlag) {
    Settings settings;
    settings.window.windowMax = 1;
    EXPECT_EQ(ResolveShowCommand(settings, kShowNormal), kShowMaximized);
    settings.window.windowMax = 0;
    EXPECT_EQ(ResolveShowCommand(settings, kShowMaximized), kShowMaximized);
    EXPECT_EQ(settings.window.windowMax, 1);
    settings.window.windowMax = 0;
    EXPECT_EQ(ResolveShowCommand(settings, kShowRestore), kShowRestore);
    EXPECT_EQ(settings.window.windowMax, 0);
    EXPECT_EQ(ResolveShowCommand(settings, 7), 7);
}

TEST(SingleInstance, RebootOrMultipleStartSkipTheCheck) {
    Settings settings;
    EXPECT_FALSE(SkipsSingleInstanceCheck(u"", settings));
    EXPECT_TRUE(SkipsSingleInstanceCheck(u"/reboot", settings));
    EXPECT_FALSE(SkipsSingleInstanceCheck(u"/Reboot", settings));
    EXPECT_FALSE(SkipsSingleInstanceCheck(u"/reboot x", settings));
    settings.other.multipleStart = 2;
    EXPECT_TRUE(SkipsSingleInstanceCheck(u"", settings));
}

TEST(Clock, TodaysMarkMovesWhenTheDateChanges) {
    const LocalDateTime lateEvening{2024, 5, 1, 23, 59, 59, 3};
    const LocalDateTime midnight{2024, 5, 2, 0, 0, 0, 4};
    EXPECT_TRUE(TodayMarkMustMove(lateEvening, midnight));
    EXPECT_FALSE(TodayMarkMustMove({2024, 5, 1, 22, 0, 0, 3}, {2024, 5, 1, 23, 0, 0, 3}));
    EXPECT_TRUE(TodayMarkMustMove({2024, 5, 1, 22, 0, 0, 3}, {2024, 5, 2, 8, 0, 0, 4}))
        << "asleep over midnight: the mark still moves";
    EXPECT_TRUE(TodayMarkMustMove(midnight, lateEvening)) << "clock set back";

    AppState state;
    state.previousClock = lateEvening;
    EXPECT_TRUE(OnClockTick(state, midnight));
    EXPECT_EQ(state.now, midnight);
    EXPECT_EQ(state.previousClock, midnight);
    EXPECT_FALSE(OnClockTick(state, {2024, 5, 2, 0, 0, 1, 4}));
}

TEST(FrameGeometry, RestoreCommandAndResetKeepTheNormalRectangle) {
    AppState state;
    state.restoreRect = {1, 2, 3, 4};
    RecordRestoreCommand(state, {false, true, false, {0, 0, 1920, 1040}});
    EXPECT_EQ(state.settings.window.windowMax, 1);
    EXPECT_EQ(state.restoreRect, (ScreenRect{1, 2, 3, 4})) << "a maximised rectangle is not the normal one";
    RecordRestoreCommand(state, {false, false, false, {10, 20, 500, 400}});
    EXPECT_EQ(state.settings.window.windowMax, 0);
    EXPECT_EQ(state.restoreRect, (ScreenRect{10, 20, 500, 400}));

    state.workArea = {0, 0, 1920, 1040};
    EXPECT_EQ(ResetFrameGeometry(state), (ScreenRect{560, 220, 1360, 820}));
    EXPECT_EQ(state.restoreRect, (ScreenRect{560, 220, 1360, 820}));
    EXPECT_EQ(state.settings.window.left, 560);
    EXPECT_EQ(state.settings.window.height, 600);
}

TEST(DragThresholds, AtLeastOne) {
    AppState state;
    ApplyDragThresholds(state, 0, 4);
    EXPECT_EQ(state.dragWidth, 1);
    EXPECT_EQ(state.dragHeight, 4);
}

}  // namespace
}  // namespace tavrin
