#include "ui/command_dispatch.h"

#include <gtest/gtest.h>

#include <climits>

namespace tavrin {
namespace {

namespace id = command_id;

CommandContext Context(DisplayMode mode = DisplayMode::kEdit) {
    CommandContext context;
    context.mode = mode;
    context.templateCount = 3;
    return context;
}

TEST(CommandDispatch, FontSizeStaysWithinOneToFifty) {
    CommandContext context = Context();
    context.fontSize = 50;
    EXPECT_EQ(DecideCommand(id::kEditFontPlus, context).kind, CommandKind::kNothing)
        << "nothing is sent at 50";
    context.fontSize = 1;
    EXPECT_EQ(DecideCommand(id::kEditFontMinus, context).kind, CommandKind::kNothing);
    const CommandDecision up = DecideCommand(id::kEditFontPlus, context);
    EXPECT_EQ(up.kind, CommandKind::kSetFontSize);
    EXPECT_EQ(up.value, 2);
    context.fontSize = 80;  // from a hand-edited settings file
    EXPECT_EQ(DecideCommand(id::kEditFontPlus, context).kind, CommandKind::kNothing);
    EXPECT_EQ(DecideCommand(id::kEditFontMinus, context).value, 50) << "down comes back into the range";
}

TEST(CommandDispatch, LineSpacingStopsOnePixelBelowMinusTheFontHeight) {
    CommandContext context = Context();
    context.fontSize = 12;  // 16 pixels at 96 dpi
    context.lineSpacing = -16;
    const CommandDecision down = DecideCommand(id::kEditSpaceMinus, context);
    EXPECT_EQ(down.kind, CommandKind::kSetLineSpacing);
    EXPECT_EQ(down.value, -17);
    context.lineSpacing = -17;
    EXPECT_EQ(DecideCommand(id::kEditSpaceMinus, context).kind, CommandKind::kNothing);
    EXPECT_EQ(DecideCommand(id::kEditSpacePlus, context).value, -16);
    context.lineSpacing = INT_MAX;
    EXPECT_EQ(DecideCommand(id::kEditSpacePlus, context).kind, CommandKind::kNothing);
    EXPECT_EQ(FontPixelSize(12, 96), 16);
    EXPECT_EQ(FontPixelSize(1, 50), 12) << "below one pixel counts as 12";
}

TEST(CommandDispatch, EditCommandsDoNothingInCalendarMode) {
    const CommandContext calendar = Context(DisplayMode::kCalendar);
    for (int command = id::kEditUndo; command <= id::kEditAllSelect; ++command) {
        EXPECT_EQ(DecideCommand(command, calendar).kind, CommandKind::kNothing) << command;
        EXPECT_EQ(DecideCommand(command, Context()).kind, CommandKind::kEdit) << command;
    }
    EXPECT_EQ(DecideCommand(id::kMenuTemplate, calendar).kind, CommandKind::kNothing);
    EXPECT_EQ(DecideCommand(id::kSearchSelect, calendar).kind, CommandKind::kNothing);
    EXPECT_EQ(DecideCommand(45001, calendar).kind, CommandKind::kNothing);
    EXPECT_EQ(DecideCommand(id::kMenuTemplate, Context()).menu, MenuKind::kTemplate);
}

TEST(CommandDispatch, EditCommandsGoToTheSearchBoxWhileItHasTheFocus) {
    CommandContext context = Context();
    context.searchBoxFocused = true;
    const CommandDecision redo = DecideCommand(id::kEditRedo, context);
    EXPECT_EQ(redo.target, EditTarget::kSearchBox);
    EXPECT_EQ(redo.edit, EditOperation::kRedo);
    EXPECT_EQ(DecideCommand(id::kEditDelete, Context()).target, EditTarget::kEditor);
    EXPECT_EQ(DecideCommand(id::kEditAllSelect, Context()).edit, EditOperation::kSelectAll);
}

TEST(CommandDispatch, SearchShowsWhatItNeeds) {
    CommandContext context = Context(DisplayMode::kCalendar);
    context.sideAreaShown = false;
    context.searchBoxFocused = true;
    CommandDecision search = DecideCommand(id::kSearch, context);
    EXPECT_EQ(search.kind, CommandKind::kFocusSearch);
    EXPECT_TRUE(search.leaveCalendarMode);
    EXPECT_TRUE(search.showSideBar);
    EXPECT_TRUE(search.focusSearchBox) << "leaving calendar mode moves the focus to the editor";
    context = Context();
    context.searchBoxFocused = true;
    search = DecideCommand(id::kSearch, context);
    EXPECT_FALSE(search.leaveCalendarMode);
    EXPECT_FALSE(search.showSideBar);
    EXPECT_FALSE(search.focusSearchBox);
}

TEST(CommandDispatch, WindowAndDiaryCommands) {
    CommandContext context = Context();
    EXPECT_EQ(DecideCommand(id::kExit, context).kind, CommandKind::kPostClose);
    EXPECT_EQ(DecideCommand(id::kMax, context).kind, CommandKind::kMaximise);
    context.maximised = true;
    EXPECT_EQ(DecideCommand(id::kMax, context).kind, CommandKind::kRestore);
    EXPECT_EQ(DecideCommand(id::kMin, context).kind, CommandKind::kMinimise);
    context.minimised = true;
    EXPECT_EQ(DecideCommand(id::kMin, context).kind, CommandKind::kRestore);
    EXPECT_EQ(DecideCommand(id::kModeCalendar, context).value, 1);
    EXPECT_EQ(DecideCommand(id::kMenuDiaryFolder, context).menu, MenuKind::kDiaryFolder);
    EXPECT_EQ(DecideCommand(id::kMenuDay, context).menu, MenuKind::kDay);
    for (const int command : {id::kToday, id::kPrevYear, id::kNextWeek, id::kNextYear}) {
        const CommandDecision move = DecideCommand(command, Context(DisplayMode::kCalendar));
        EXPECT_EQ(move.kind, CommandKind::kMoveByCommand);
        EXPECT_EQ(move.value, command);
    }
    for (const int command : {id::kOldDiary, id::kPrevDiary, id::kNextDiary, id::kNewDiary}) {
        EXPECT_EQ(DecideCommand(command, context).kind, CommandKind::kStepToEntry);
    }
    EXPECT_EQ(DecideCommand(id::kEditInsertFile, context).kind, CommandKind::kInsertFile);
    const CommandDecision insert = DecideCommand(45002, context);
    EXPECT_EQ(insert.kind, CommandKind::kInsertTemplate);
    EXPECT_EQ(insert.value, 2);
    EXPECT_EQ(DecideCommand(45003, context).kind, CommandKind::kUnhandled) << "only three templates";
    EXPECT_EQ(DecideCommand(41049, context).kind, CommandKind::kUnhandled);
    EXPECT_EQ(DecideCommand(id::kStartupCommand, context).kind, CommandKind::kStartup);
    EXPECT_EQ(DecideCommand(id::kRestoreCommand, context).kind, CommandKind::kRestoreCommand);
}

TEST(CommandDispatch, ContextOfTheApplicationState) {
    AppState state;
    state.displayMode = DisplayMode::kCalendar;
    state.settings.window.showSideArea = 0;
    state.settings.edit.fontSize = 20;
    state.settings.edit.lineSpacing = -3;
    const CommandContext context = CommandContextOf(state);
    EXPECT_EQ(context.mode, DisplayMode::kCalendar);
    EXPECT_FALSE(context.sideAreaShown);
    EXPECT_EQ(context.fontSize, 20);
    EXPECT_EQ(context.lineSpacing, -3);
    EXPECT_EQ(context.templateCount, 0);
}

}  // namespace
}  // namespace tavrin
