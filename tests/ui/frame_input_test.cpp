#include "ui/frame_input.h"

#include <gtest/gtest.h>

#include "platform/utf16_file.h"
#include "store/month_text.h"
#include "support/recording_canvas.h"
#include "support/test_support.h"
#include "ui/hit_codes.h"

namespace tavrin {
namespace {

using testing::CanvasCall;
using testing::RecordingCanvas;
using testing::U;
using Kind = CanvasCall::Kind;
namespace id = command_id;

constexpr SideFontHeights kFonts{12, 29};

AppState TestState(DiaryDate selected = {2024, 5, 10}) {
    AppState state;
    state.now = {2024, 5, 1, 9, 0, 0, 3};
    state.selectedDate = selected;
    state.weekdayLabels = SplitWeekLabels(state.settings.calendar.weekFormat);
    UpdateOpacityLevels(state);
    return state;
}

struct Frame {
    AppState state;
    RecordingCanvas canvas;
    FrameModel model;
    FrameScene scene;

    explicit Frame(AppState initial) : state(std::move(initial)) {
        model.app = &state;
        model.clientWidth = 800;
        model.clientHeight = 600;
        Rebuild();
    }
    void Rebuild() { scene = BuildFrameScene(model, canvas); }
};

TEST(FrameInput, SidebarDragBelowFifteenIsRefused) {
    Settings settings;
    const FrameLayout layout = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    const SplitterDrag drag = BeginSplitterDrag(kHitSideSplitter, 300, 200, layout, false);
    ASSERT_EQ(drag.kind, DragKind::kWidth);
    EXPECT_EQ(drag.grab, 2);
    EXPECT_FALSE(AdvanceSplitterDrag(drag, 300, 210, layout, settings)) << "the same width";
    EXPECT_FALSE(AdvanceSplitterDrag(drag, 180, 210, layout, settings)) << "(128 - 24) / 7 = 14";
    EXPECT_EQ(settings.calendar.boxWidth, 32);
    EXPECT_TRUE(AdvanceSplitterDrag(drag, 181, 210, layout, settings));
    EXPECT_EQ(settings.calendar.boxWidth, 15);
    EXPECT_EQ(settings.window.sideBarWidth, 7 * 15 + 6 * 4);

    settings.other.fixedSideBar = 1;
    EXPECT_EQ(BeginSplitterDrag(kHitSideSplitter, 300, 200, layout, true).kind, DragKind::kNone);
    EXPECT_EQ(CursorFor(kHitSideSplitter, DragKind::kNone, true), FrameCursor::kArrow);
    EXPECT_EQ(CursorFor(kHitCalendarSplitter, DragKind::kNone, true), FrameCursor::kArrow);
    EXPECT_EQ(CursorFor(kHitSideSplitter, DragKind::kNone, false), FrameCursor::kSizeWestEast);
}

TEST(FrameInput, RightSidebarGrowsWhenDraggedLeftAndHeightDragsSetTheRowUnit) {
    Settings settings;
    settings.window.sideBarLayout = 1;
    const FrameLayout layout = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    const SplitterDrag width = BeginSplitterDrag(kHitSideSplitter, 480, 200, layout, false);
    EXPECT_FALSE(AdvanceSplitterDrag(width, 480, 200, layout, settings)) << "no move, no change";
    EXPECT_TRUE(AdvanceSplitterDrag(width, 380, 200, layout, settings));
    EXPECT_EQ(settings.calendar.boxWidth, (750 + 10 - 32 - 380 - 24) / 7);

    const SplitterDrag height = BeginSplitterDrag(kHitCalendarSplitter, 100, 313, layout, false);
    ASSERT_EQ(height.kind, DragKind::kHeight);
    EXPECT_FALSE(AdvanceSplitterDrag(height, 100, 313, layout, settings));
    EXPECT_FALSE(AdvanceSplitterDrag(height, 100, 238, layout, settings)) << "71 / 6 = 11";
    EXPECT_TRUE(AdvanceSplitterDrag(height, 100, 239, layout, settings));
    EXPECT_EQ(settings.calendar.boxHeight, 12);
    EXPECT_EQ(settings.calendar.rowUnit, 2);
    EXPECT_EQ(CursorFor(kHitNothing, DragKind::kHeight, false), FrameCursor::kSizeNorthSouth)
        << "the drag keeps its cursor off the splitter";
}

// On a 150 % screen the mouse moves in screen pixels and the box sizes are stored as 96-DPI lengths:
// after a drag, the layout of the stored size puts the splitter back under the mouse.
TEST(FrameInput, DragsOnAHighDpiScreenStore96DpiSizes) {
    constexpr int kDpi = 144;
    const SideFontHeights fonts{18, 44};
    Settings settings;
    const FrameLayout layout = ComputeFrameLayout(settings, DisplayMode::kEdit, 1200, 900, fonts, kDpi);
    ASSERT_EQ(layout.sideSplitter.x, 75 + 7 * 48 + 6 * 6);
    const SplitterDrag drag =
        BeginSplitterDrag(kHitSideSplitter, layout.sideSplitter.x + 3, 300, layout, false);
    ASSERT_TRUE(AdvanceSplitterDrag(drag, layout.sideSplitter.x + 3 + 7 * 15, 300, layout, settings));
    EXPECT_EQ(settings.calendar.boxWidth, 42) << "(48 + 15) pixels on the screen are 42 at 96 DPI";
    EXPECT_EQ(settings.window.sideBarWidth, 7 * 42 + 6 * 4);
    const FrameLayout wider = ComputeFrameLayout(settings, DisplayMode::kEdit, 1200, 900, fonts, kDpi);
    EXPECT_EQ(wider.sideSplitter.x, layout.sideSplitter.x + 7 * 15);

    const SplitterDrag height =
        BeginSplitterDrag(kHitCalendarSplitter, 100, layout.calendarSplitter.y + 1, layout, false);
    ASSERT_TRUE(AdvanceSplitterDrag(height, 100, layout.calendarSplitter.y + 1 + 6 * 12, layout, settings));
    EXPECT_EQ(settings.calendar.boxHeight, 32) << "(36 + 12) pixels on the screen are 32 at 96 DPI";
    EXPECT_EQ(settings.calendar.rowUnit, 5);
    EXPECT_FALSE(AdvanceSplitterDrag(drag, layout.sidebar.x + 3 + 7 * 21 + 6 * 6, 300, layout, settings))
        << "21 pixels on the screen are 14 at 96 DPI, below the smallest box of 15";
}

TEST(FrameInput, WheelButtonsAndKeys) {
    EXPECT_EQ(WheelCommand(120, {}), id::kPrevMonth);
    EXPECT_EQ(WheelCommand(-120, {}), id::kNextMonth);
    EXPECT_EQ(WheelCommand(0, {}), id::kNextMonth) << "no movement counts as toward the user";
    EXPECT_EQ(WheelCommand(120, {true, true, false}), id::kOldDiary);
    EXPECT_EQ(WheelCommand(-120, {true, true, false}), id::kNewDiary);
    EXPECT_EQ(WheelCommand(120, {true, false, true}), id::kPrevDiary) << "Ctrl wins over Alt";
    EXPECT_EQ(WheelCommand(-120, {false, true, false}), id::kNextYear);
    EXPECT_EQ(WheelCommand(120, {false, false, true}), id::kPrevDay);
    EXPECT_EQ(HorizontalWheelCommand(120, false), id::kNextDiary);
    EXPECT_EQ(HorizontalWheelCommand(-120, false), id::kPrevDiary);
    EXPECT_EQ(HorizontalWheelCommand(120, true), id::kOldDiary);
    EXPECT_EQ(HorizontalWheelCommand(-120, true), id::kNewDiary);
    EXPECT_EQ(ExtraButtonCommand(1, false), id::kNextDiary);
    EXPECT_EQ(ExtraButtonCommand(2, false), id::kPrevDiary);
    EXPECT_EQ(ExtraButtonCommand(1, true), id::kOldDiary);
    EXPECT_EQ(ExtraButtonCommand(2, true), id::kNewDiary);
    EXPECT_EQ(EditorWheelCommand(120, false, true), std::nullopt);
    EXPECT_EQ(EditorWheelCommand(120, true, false), id::kEditFontPlus);
    EXPECT_EQ(EditorWheelCommand(0, true, false), id::kEditFontMinus);
    EXPECT_EQ(EditorWheelCommand(-120, true, true), id::kEditSpaceMinus);

    EXPECT_EQ(CalendarModeKey(kVirtualKeyReturn).command, id::kModeEdit);
    EXPECT_EQ(CalendarModeKey(kVirtualKeyLeft).command, id::kPrevDay);
    EXPECT_EQ(CalendarModeKey(kVirtualKeyUp).command, id::kPrevWeek);
    EXPECT_EQ(CalendarModeKey(kVirtualKeyRight).command, id::kNextDay);
    EXPECT_EQ(CalendarModeKey(kVirtualKeyDown).command, id::kNextWeek);
    EXPECT_TRUE(CalendarModeKey(kVirtualKeySpace).toggleMarks);
    EXPECT_EQ(CalendarModeKey('A').command, 0);
    EXPECT_FALSE(CalendarModeKey('A').toggleMarks);
}

TEST(FrameInput, FocusCyclingAndInvalidation) {
    EXPECT_EQ(CycleFocusStep(DisplayMode::kEdit, false, FocusPane::kEditor), FocusStep{})
        << "with the sidebar hidden the focus stays";
    EXPECT_EQ(CycleFocusStep(DisplayMode::kEdit, true, FocusPane::kEditor).target, FocusPane::kSearchBox);
    EXPECT_EQ(CycleFocusStep(DisplayMode::kEdit, true, FocusPane::kSearchBox).target, FocusPane::kSearchList);
    EXPECT_EQ(CycleFocusStep(DisplayMode::kEdit, true, FocusPane::kSearchList).target, FocusPane::kEditor);
    EXPECT_EQ(CycleFocusStep(DisplayMode::kEdit, true, FocusPane::kOther).target, FocusPane::kEditor);
    EXPECT_TRUE(CycleFocusStep(DisplayMode::kCalendar, false, FocusPane::kOther).switchToEditMode);

    EXPECT_EQ(InvalidateTargetsOf(kInvalidateAll), (InvalidateTargets{true, true, true, true}));
    EXPECT_EQ(InvalidateTargetsOf(kInvalidateFrame | kInvalidateSearch),
              (InvalidateTargets{true, false, true, true}));
    EXPECT_EQ(InvalidateTargetsOf(kInvalidateEditor), (InvalidateTargets{false, true, false, false}));
}

TEST(FrameInput, WheelRoutingFollowsTheLayout) {
    Settings settings;
    const FrameLayout edit = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    EXPECT_EQ(RouteWheel(edit, DisplayMode::kEdit, 400, 300), WheelTarget::kEditor);
    EXPECT_EQ(RouteWheel(edit, DisplayMode::kEdit, 100, 200), WheelTarget::kFrame)
        << "over the side calendar";
    EXPECT_EQ(RouteWheel(edit, DisplayMode::kEdit, 100, 330), WheelTarget::kSearchBox);
    EXPECT_EQ(RouteWheel(edit, DisplayMode::kEdit, 100, 400), WheelTarget::kSearchList);
    EXPECT_EQ(RouteWheel(edit, DisplayMode::kEdit, 310, 400), WheelTarget::kDefault) << "the splitter strip";
    EXPECT_EQ(RouteWheel(edit, DisplayMode::kCalendar, 400, 300), WheelTarget::kFrame);

    settings.window.showSideArea = 0;
    const FrameLayout hidden = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    EXPECT_EQ(RouteWheel(hidden, DisplayMode::kEdit, 100, 400), WheelTarget::kEditor);
    EXPECT_EQ(RouteWheel(hidden, DisplayMode::kEdit, 20, 400), WheelTarget::kDefault)
        << "the hidden search list takes no wheel";
}

TEST(FrameScene, HitTestFindsDaysHeaderTitleAndToolbar) {
    Frame frame(TestState());
    const FrameScene& scene = frame.scene;
    const PixelRect cell = DayCell(scene.grid, scene.month, 15);
    EXPECT_EQ(HitTestFrame(scene, cell.x, cell.y), 15);
    EXPECT_EQ(HitTestFrame(scene, cell.Right(), cell.y), kHitNothing) << "the gap after the cell";
    EXPECT_EQ(HitTestFrame(scene, scene.title.year.x + 1, scene.title.year.y + 1), kHitTitleYear);
    EXPECT_EQ(HitTestFrame(scene, scene.title.day.x, scene.title.day.y), kHitTitleDay);
    EXPECT_EQ(HitTestFrame(scene, scene.header.monthNumber.x, scene.header.monthNumber.y), kHitHeaderMonth);
    EXPECT_EQ(HitTestFrame(scene, scene.header.leftBlock.x, scene.header.leftBlock.y), kHitHeaderYear);
    EXPECT_EQ(HitTestFrame(scene, 310, 400), kHitSideSplitter);
    EXPECT_EQ(HitTestFrame(scene, 100, 315), kHitCalendarSplitter);
    EXPECT_EQ(HitTestFrame(scene, 100, 330), kHitSearchBox);
    EXPECT_EQ(HitTestFrame(scene, 280, 330), kHitSearchButton);
    EXPECT_EQ(HitTestFrame(scene, 60, 50), kHitModeEdit);
    EXPECT_EQ(HitTestFrame(scene, 600, 400), kHitNothing) << "the editor is a child window";
}

// The holiday under the mouse, for the tool tip: in the side calendar and in the year calendar, and
// nothing over ordinary days and gaps.
TEST(FrameScene, HolidayTipsNameTheHolidayUnderThePoint) {
    Frame frame(TestState({2024, 2, 20}));
    const FrameScene& scene = frame.scene;
    const PixelRect substitute = DayCell(scene.grid, scene.month, 12);
    const HolidayTip tip = HolidayTipAt(scene, substitute.x + 3, substitute.Bottom() - 1);
    EXPECT_EQ(tip.name, U("振替休日"));
    EXPECT_EQ(tip.area, substitute);
    EXPECT_EQ(HolidayTipAt(scene, substitute.Right(), substitute.y).name, u"") << "the gap after it";
    const PixelRect ordinary = DayCell(scene.grid, scene.month, 13);
    EXPECT_TRUE(HolidayTipAt(scene, ordinary.x, ordinary.y).area.Empty());
    const PixelRect birthday = DayCell(scene.grid, scene.month, 23);
    EXPECT_EQ(HolidayTipAt(scene, birthday.x, birthday.y).name, U("天皇誕生日"));

    frame.state.displayMode = DisplayMode::kCalendar;
    frame.Rebuild();
    const PixelRect constitution = YearDayCell(frame.scene.year, 2024, 5, 3, 0);
    const HolidayTip yearTip = HolidayTipAt(frame.scene, constitution.x + 1, constitution.y + 1);
    EXPECT_EQ(yearTip.name, U("憲法記念日"));
    EXPECT_EQ(yearTip.area, constitution);
    const PixelRect may7 = YearDayCell(frame.scene.year, 2024, 5, 7, 0);
    EXPECT_EQ(HolidayTipAt(frame.scene, may7.x + 1, may7.y + 1).name, u"");
}

TEST(FrameScene, ClicksBecomeActions) {
    Frame frame(TestState());
    const FrameAction day = LeftButtonAction(frame.scene, 12, false, false);
    EXPECT_EQ(day.kind, FrameActionKind::kGoToDate);
    EXPECT_EQ(day.date, (DiaryDate{2024, 5, 12}));
    EXPECT_TRUE(day.focusEditor);
    const FrameAction menu = LeftButtonAction(frame.scene, kHitTitleMonth, false, false);
    EXPECT_EQ(menu.kind, FrameActionKind::kOpenMenu);
    EXPECT_EQ(menu.menu, MenuKind::kMonth);
    EXPECT_EQ(menu.x, frame.scene.title.month.x);
    EXPECT_EQ(menu.y, frame.scene.title.month.Bottom());
    EXPECT_EQ(LeftButtonAction(frame.scene, kHitHeaderToday, false, false).command, id::kToday);
    EXPECT_EQ(LeftButtonAction(frame.scene, kHitDiaryFolder, true, false).command, id::kMenuDiaryFolder)
        << "a double click acts as a button down";
    EXPECT_EQ(LeftButtonAction(frame.scene, kHitSideSplitter, false, true).kind, FrameActionKind::kNone);
    EXPECT_EQ(LeftButtonAction(frame.scene, kHitSideSplitter, false, false).kind,
              FrameActionKind::kBeginDrag);
    EXPECT_EQ(LeftButtonAction(frame.scene, kHitSearchButton, false, false).kind,
              FrameActionKind::kRunSearch);
    EXPECT_EQ(RightButtonUpAction(kHitSearchBox, 1, 2).kind, FrameActionKind::kSearchBoxMenu);
    const FrameAction main = RightButtonUpAction(kHitTitleDay, 40, 50);
    EXPECT_EQ(main.menu, MenuKind::kMain);
    EXPECT_EQ(main.x, 40);
    EXPECT_EQ(DiaryMenuPoint(frame.scene), (ClientPoint{frame.scene.toolbar.diaryFolder.x, 72}));
}

TEST(FrameScene, YearCalendarClicks) {
    AppState state = TestState({2024, 1, 31});
    state.displayMode = DisplayMode::kCalendar;
    Frame frame(std::move(state));
    const FrameScene& scene = frame.scene;
    const PixelRect february = scene.year.TitleRow(2);
    EXPECT_EQ(HitTestFrame(scene, february.x + 3, february.y + 3), 402);
    const FrameAction title = LeftButtonAction(scene, 402, false, false);
    EXPECT_EQ(title.kind, FrameActionKind::kPostCommand) << "there is no February 31: only the mode changes";
    EXPECT_EQ(title.command, id::kModeEdit);
    const FrameAction march = LeftButtonAction(scene, 403, false, false);
    EXPECT_EQ(march.kind, FrameActionKind::kGoToDate);
    EXPECT_EQ(march.date, (DiaryDate{2024, 3, 31}));
    EXPECT_FALSE(march.focusEditor);
    EXPECT_EQ(march.thenCommand, id::kModeEdit);

    const PixelRect cell = YearDayCell(scene.year, 2024, 6, 9, 0);
    const int code = HitTestFrame(scene, cell.x + 1, cell.y + 1);
    EXPECT_EQ(code, YearDayHit(6, 9));
    EXPECT_EQ(LeftButtonAction(scene, code, false, false).date, (DiaryDate{2024, 6, 9}));
    EXPECT_EQ(LeftButtonAction(scene, code, true, false).command, id::kModeEdit);
    EXPECT_EQ(LeftButtonAction(scene, kHitYearViewEra, false, false).menu, MenuKind::kYear);
    EXPECT_EQ(CursorFor(code, DragKind::kNone, false), FrameCursor::kHand);
}

std::vector<CanvasCall> Glyphs(const RecordingCanvas& canvas, int cellX) {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : canvas.Calls()) {
        if (call.kind == Kind::kGlyph && call.cellX == cellX) {
            found.push_back(call);
        }
    }
    return found;
}

TEST(FramePaint, ToolbarGlyphsLinesAndTodayText) {
    Frame frame(TestState());
    frame.model.hoverCode = kHitNext;
    PaintFrame(frame.canvas, frame.model, frame.scene);
    const std::vector<CanvasCall>& calls = frame.canvas.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].kind, Kind::kFill) << "the background comes first";
    EXPECT_EQ(calls[0].rect, (PixelRect{0, 0, 800, 600}));

    const ToolbarLayout& bar = frame.scene.toolbar;
    ASSERT_EQ(Glyphs(frame.canvas, kGlyphModeEdit).size(), 1u);
    EXPECT_EQ(Glyphs(frame.canvas, kGlyphModeEdit)[0].opacity, 256);
    EXPECT_EQ(Glyphs(frame.canvas, kGlyphModeCalendar)[0].opacity, 51) << "the other mode at AlphaLight";
    EXPECT_EQ(Glyphs(frame.canvas, kGlyphNext)[0].rect.x, bar.next.x + 8);
    EXPECT_EQ(Glyphs(frame.canvas, kGlyphDropDown).size(), 1u);
    EXPECT_TRUE(Glyphs(frame.canvas, kGlyphExit).empty()) << "no exit button outside fullscreen";
    const std::vector<CanvasCall> today = frame.canvas.TextCalls(U("今日：2024/05/01"));
    ASSERT_EQ(today.size(), 1u);
    EXPECT_EQ(today[0].rect, bar.todayText);
    ASSERT_EQ(frame.canvas.TextCalls(u"RaRorir").size(), 1u);
    EXPECT_TRUE(frame.canvas.TextCalls(u"RaRorir")[0].style.ellipsis);

    bool line = false;
    int underlines = 0;
    for (const CanvasCall& call : calls) {
        line |= call.kind == Kind::kBlend && call.rect == PixelRect{50, 72, 700, 2} && call.opacity == 51;
        underlines += call.kind == Kind::kFill && call.rect.y == 72 && call.rect.height == 2 &&
                      (call.rect.x == bar.modeEdit.x || call.rect.x == bar.next.x);
    }
    EXPECT_TRUE(line);
    EXPECT_EQ(underlines, 2) << "the current mode and the hovered button";

    frame.state.settings.window.fullscreen = 1;
    frame.Rebuild();
    frame.canvas.Clear();
    PaintFrame(frame.canvas, frame.model, frame.scene);
    ASSERT_EQ(Glyphs(frame.canvas, kGlyphExit).size(), 1u);
    EXPECT_EQ(Glyphs(frame.canvas, kGlyphExit)[0].rect.x, 750 - 32 + 8) << "at the right end";
}

// At 150 % the toolbar is painted where its buttons are: glyphs 24 pixels square, 12 in from the
// button's corner, the rule under the buttons and the underlines three pixels thick.
TEST(FramePaint, TheToolbarAtOneAndAHalfTimesTheSize) {
    AppState state = TestState();
    FrameModel model;
    model.app = &state;
    model.clientWidth = 1200;
    model.clientHeight = 900;
    model.dpi = 144;
    RecordingCanvas canvas(8, 144);
    const FrameScene scene = BuildFrameScene(model, canvas);
    EXPECT_EQ(scene.toolbar.modeCalendar, (PixelRect{75 + 48, 60, 48, 48}));
    EXPECT_EQ(HitTestFrame(scene, 75 + 48 + 47, 60 + 47), kHitModeCalendar);
    PaintFrame(canvas, model, scene);
    const std::vector<CanvasCall> next = Glyphs(canvas, kGlyphNext);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0].rect, (PixelRect{scene.toolbar.next.x + 12, 60 + 12, 24, 24}));
    bool rule = false;
    bool underline = false;
    for (const CanvasCall& call : canvas.Calls()) {
        rule |= call.kind == Kind::kBlend && call.rect == PixelRect{75, 60 + 48, 1050, 3};
        underline |= call.kind == Kind::kFill && call.rect == PixelRect{75, 60 + 48, 48, 3};
    }
    EXPECT_TRUE(rule);
    EXPECT_TRUE(underline) << "the current mode's button";
}

TEST(FramePaint, SearchAreaBehindABackgroundPicture) {
    Frame frame(TestState());
    frame.model.backImageShown = true;
    frame.model.searchText = u"word";
    PaintFrame(frame.canvas, frame.model, frame.scene);
    const PixelRect box = frame.scene.layout.searchBox;
    const std::vector<CanvasCall> word = frame.canvas.TextCalls(u"word");
    ASSERT_EQ(word.size(), 1u);
    EXPECT_EQ(word[0].rect, (PixelRect{box.x + 6, box.y, box.width - 10, box.height}));
    EXPECT_EQ(Glyphs(frame.canvas, kGlyphSearch)[0].opacity, 256);
    int outline = 0;
    for (const CanvasCall& call : frame.canvas.Calls()) {
        outline += call.kind == Kind::kBlend && call.opacity == 51 &&
                   (call.rect == PixelRect{box.x, box.y, box.width, 1} ||
                    call.rect == PixelRect{box.Right() - 1, box.y + 1, 1, box.height - 2});
    }
    EXPECT_EQ(outline, 2);

    frame.canvas.Clear();
    frame.model.searchFocused = true;
    frame.model.searchText = {};
    PaintFrame(frame.canvas, frame.model, frame.scene);
    EXPECT_EQ(Glyphs(frame.canvas, kGlyphSearch)[0].opacity, 51) << "an empty box dims the button";
    bool inside = false;
    for (const CanvasCall& call : frame.canvas.Calls()) {
        inside |= call.kind == Kind::kFill && call.rect == PixelRect{box.x + 1, box.y + 1, box.width - 2, 24};
        EXPECT_FALSE(call.kind == Kind::kBlend && call.rect.height == 1 && call.opacity != 166 &&
                     call.rect.y == box.y)
            << "the focused outline is strong";
    }
    EXPECT_TRUE(inside);
}

TEST(FramePaint, CalendarModeShowsTheYearAndNoTitle) {
    AppState state = TestState({2019, 7, 1});
    state.displayMode = DisplayMode::kCalendar;
    Frame frame(std::move(state));
    PaintFrame(frame.canvas, frame.model, frame.scene);
    EXPECT_EQ(frame.canvas.TextCalls(U("令和元年　亥")).size(), 1u);
    EXPECT_EQ(frame.canvas.TextCalls(u"2019").size(), 1u) << "the year header only; no title line";
    EXPECT_EQ(Glyphs(frame.canvas, kGlyphModeCalendar)[0].opacity, 256);
    EXPECT_TRUE(Glyphs(frame.canvas, kGlyphSearch).empty());
}

TEST(FrameScene, SlideMarksComeFromTheBufferOrTheOtherYearsFile) {
    testing::TempFolder folder;
    const std::unique_ptr<FileSystem> fs = CreateSystemFileSystem();
    ASSERT_TRUE(WriteUtf16File(*fs, MonthFilePath(folder.path(), 2023, 12), u"2023/12/24\r\n\tEve\r\n").ok());
    YearBuffer buffer;
    buffer.Clear(2024);
    buffer.SetMonth(1, MonthState::kLoaded, u"2024/01/02\r\n\tNew\r\n");
    buffer.SetMark(1, 3, 7);
    const DayMarks january = SlideMonthMarks(*fs, folder.path(), &buffer, 2024, 1);
    EXPECT_GT(january[1], 0);
    EXPECT_EQ(january[2], 7) << "the buffer's marks, typing included";
    const DayMarks december = SlideMonthMarks(*fs, folder.path(), &buffer, 2023, 12);
    EXPECT_EQ(december[23], 4) << "the entry length in the file: TAB and Eve";
    EXPECT_EQ(december[22], 0);
    EXPECT_EQ(SlideMonthMarks(*fs, folder.path(), &buffer, 2022, 12), DayMarks{}) << "no file";
    EXPECT_EQ(SlideMonthMarks(*fs, folder.path(), &buffer, 0, 12), DayMarks{}) << "year 0 is never read";
}

}  // namespace
}  // namespace tavrin
