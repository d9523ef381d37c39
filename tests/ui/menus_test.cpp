#include "ui/menus.h"

#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "support/test_support.h"
#include "ui/frame_input.h"
#include "ui/menu_draw.h"

namespace tavrin {
namespace {

using testing::CanvasCall;
using testing::RecordingCanvas;
using testing::U;
using Kind = CanvasCall::Kind;
namespace id = command_id;

// A keyboard without key names: key texts fall back to the key code's character.
class NoKeyNames final : public KeyNameSource {
public:
    [[nodiscard]] unsigned ScanCodeOf(unsigned) const override { return 0; }
    [[nodiscard]] std::u16string NameOf(unsigned, bool) const override { return {}; }
};

struct Keys {
    ShortcutKeyArray active = DefaultShortcutKeys();
    NoKeyNames names;
    [[nodiscard]] KeyTextSource Source() const { return {&active, &names}; }
};

std::vector<std::u16string> Labels(const MenuItemArray& menu, int popup) {
    std::vector<std::u16string> labels;
    for (const int position : menu.Popups()[static_cast<std::size_t>(popup)]) {
        labels.push_back(menu.Item(position).label);
    }
    return labels;
}

const MenuItem& ItemWithCommand(const MenuItemArray& menu, int command) {
    for (int position = 1; position <= menu.Used(); ++position) {
        if (menu.Item(position).commandValue == command) {
            return menu.Item(position);
        }
    }
    ADD_FAILURE() << "no item for " << command;
    return menu.Item(0);
}

TEST(MenuModel, PositionsKeyTextsAndLimits) {
    const Keys keys;
    MenuItemArray menu(4, keys.Source());
    EXPECT_EQ(menu.Add(0, id::kEditUndo, 0, u"元に戻す(&U)"), 1) << "positions start at 1";
    EXPECT_EQ(menu.Item(1).keyText, u"Ctrl+Z");
    EXPECT_EQ(menu.Add(0, id::kMax, 0, std::u16string(300, u'x')), 2);
    EXPECT_EQ(menu.Item(2).keyText, u"") << "Max has no default key";
    EXPECT_EQ(menu.Item(2).label.size(), 255u);
    EXPECT_EQ(menu.AddSeparator(0), 3);
    EXPECT_TRUE(menu.Item(3).IsSeparator());
    EXPECT_EQ(menu.Item(3).label, u"-");
    EXPECT_EQ(menu.Add(0, id::kExit, 0, u"x"), 0) << "the array is full";
    EXPECT_EQ(menu.Add(5, id::kExit, 0, u"x"), 0) << "no such popup";
    EXPECT_EQ(menu.Item(0).commandValue, 0) << "position 0 stays empty";
    EXPECT_EQ(menu.Item(7).label, u"");

    MenuItemArray own(3, keys.Source());
    own.Add(0, id::kEditUndo, 0, u"a", std::u16string(100, u'k'));
    EXPECT_EQ(own.Item(1).keyText.size(), 63u) << "a given key text replaces the lookup, cut to 63";

    EXPECT_EQ(MenuSystemText(std::u16string(120, u'a')), std::u16string(120, u'a'));
    EXPECT_EQ(MenuSystemText(std::u16string(121, u'a')), std::u16string(120, u'a') + u"...");
}

TEST(MenuModel, RunMenuChoicePostsOnlyCommandsAndTemplates) {
    MenuItemArray menu(8);
    for (const int value : {41001, 41049, 41050, 45000, 45002, 45003, 2024}) {
        menu.Add(0, value, 0, u"x", u"");
    }
    EXPECT_EQ(RunMenuChoice(menu, 1, 3), 41001);
    EXPECT_EQ(RunMenuChoice(menu, 2, 3), 41049);
    EXPECT_EQ(RunMenuChoice(menu, 3, 3), std::nullopt);
    EXPECT_EQ(RunMenuChoice(menu, 4, 3), 45000);
    EXPECT_EQ(RunMenuChoice(menu, 5, 3), 45002);
    EXPECT_EQ(RunMenuChoice(menu, 6, 3), std::nullopt) << "only three templates";
    EXPECT_EQ(RunMenuChoice(menu, 7, 3), std::nullopt) << "a year is chosen, not posted";
    EXPECT_EQ(RunMenuChoice(menu, 0, 3), std::nullopt) << "nothing chosen";
    EXPECT_EQ(RunMenuChoice(menu, 8, 3), std::nullopt);
}

TEST(Menus, MainMenuMarksTheState) {
    const Keys keys;
    MainMenuState state;
    state.mode = DisplayMode::kCalendar;
    state.sideBar = false;
    state.settingsDialogOpen = true;
    const MenuItemArray menu = BuildMainMenu(state, keys.Source());
    EXPECT_EQ(menu.Capacity(), 41);
    EXPECT_EQ(menu.Used(), 30);
    ASSERT_EQ(menu.Popups().size(), 2u);
    EXPECT_EQ(menu.Popups()[0].size(), 13u);
    EXPECT_EQ(menu.Popups()[1].size(), 17u);
    EXPECT_EQ(menu.Item(menu.Popups()[0][0]).submenu, 1);
    EXPECT_EQ(Labels(menu, 1).back(), U("指定日へ移動(&J)..."));
    EXPECT_EQ(ItemWithCommand(menu, id::kModeEdit).flags, 0u);
    EXPECT_EQ(ItemWithCommand(menu, id::kModeCalendar).flags, kMenuChecked);
    EXPECT_EQ(ItemWithCommand(menu, id::kToolBar).flags, kMenuChecked);
    EXPECT_EQ(ItemWithCommand(menu, id::kSideBar).flags, 0u);
    EXPECT_EQ(ItemWithCommand(menu, id::kFullscreen).flags, 0u);
    EXPECT_EQ(ItemWithCommand(menu, id::kSetting).flags, kMenuDisabled);
    EXPECT_EQ(ItemWithCommand(menu, id::kJump).keyText, u"Ctrl+J");
}

TEST(Menus, EditorMenuFollowsTheLockAndTheSelection) {
    const Keys keys;
    const std::vector<TemplateMenuEntry> templates{
        {45000, false, u"Date", u"Ctrl+D"}, {45001, true, u"", u""}, {45002, false, U("署名"), u""}};
    EditorMenuState state;
    state.readOnly = true;
    state.canUndo = true;
    state.canRedo = true;
    state.selectionEmpty = false;
    state.canPaste = true;
    state.textEmpty = false;
    const MenuItemArray locked = BuildEditorMenu(state, templates, keys.Source());
    EXPECT_EQ(locked.Capacity(), 53);
    for (const int command :
         {id::kEditUndo, id::kEditRedo, id::kEditCut, id::kEditPaste, id::kEditDelete, id::kEditInsertFile}) {
        EXPECT_TRUE(ItemWithCommand(locked, command).Disabled()) << command;
    }
    EXPECT_FALSE(ItemWithCommand(locked, id::kEditCopy).Disabled()) << "a locked entry can still be copied";
    EXPECT_FALSE(ItemWithCommand(locked, id::kEditAllSelect).Disabled());
    const int templateHeader = locked.Popups()[0][10];
    EXPECT_EQ(locked.Item(templateHeader).label, U("定型文(&I)"));
    EXPECT_TRUE(locked.Item(templateHeader).Disabled());
    ASSERT_EQ(locked.Popups()[1].size(), 3u);
    const MenuItem& date = locked.Item(locked.Popups()[1][0]);
    EXPECT_EQ(date.commandValue, 45000);
    EXPECT_EQ(date.keyText, u"Ctrl+D");
    EXPECT_TRUE(locked.Item(locked.Popups()[1][1]).IsSeparator());
    EXPECT_EQ(RunMenuChoice(locked, locked.Popups()[1][2], 3), 45002);

    state.readOnly = false;
    state.canRedo = false;
    state.selectionEmpty = true;
    state.allSelected = true;
    const MenuItemArray open = BuildEditorMenu(state, templates, keys.Source());
    EXPECT_FALSE(ItemWithCommand(open, id::kEditUndo).Disabled());
    EXPECT_TRUE(ItemWithCommand(open, id::kEditRedo).Disabled());
    EXPECT_TRUE(ItemWithCommand(open, id::kEditCut).Disabled());
    EXPECT_TRUE(ItemWithCommand(open, id::kEditCopy).Disabled());
    EXPECT_FALSE(ItemWithCommand(open, id::kEditPaste).Disabled());
    EXPECT_TRUE(ItemWithCommand(open, id::kEditAllSelect).Disabled()) << "everything is already selected";

    const MenuItemArray templateMenu = BuildTemplateItemsMenu(templates);
    EXPECT_EQ(templateMenu.Used(), 3);
    EXPECT_EQ(templateMenu.Item(3).label, U("署名"));
}

TEST(Menus, YearMenuRangesAndLabels) {
    const MenuItemArray early = BuildYearMenu({5, 3, 1});
    EXPECT_EQ(early.Used(), 21);
    EXPECT_EQ(early.Item(1).commandValue, 1);
    EXPECT_EQ(early.Item(21).commandValue, 21);
    EXPECT_EQ(early.Item(5).flags, kMenuRadio);
    EXPECT_EQ(early.Item(5).label, U("0005年　明治以前5年 丑"));

    const MenuItemArray late = BuildYearMenu({9995, 3, 1});
    EXPECT_EQ(late.Item(1).commandValue, 9979);
    EXPECT_EQ(late.Item(21).commandValue, 9999);
    EXPECT_EQ(late.Item(17).flags, kMenuRadio);

    EXPECT_EQ(YearMenuFirstYear(2024), 2014);
    EXPECT_EQ(YearMenuLabel(2019, 5, 1), U("2019年　令和元年 亥"));
    EXPECT_EQ(YearMenuLabel(2019, 4, 30), U("2019年　平成31年 亥")) << "the era of the selected day";
    EXPECT_EQ(YearMenuLabel(1989, 1, 7), U("1989年　昭和64年 巳"));
}

YearBuffer BufferWithFebruary() {
    YearBuffer buffer;
    buffer.Clear(2024);
    buffer.SetMonth(2, MonthState::kLoaded,
                    u"2024/02/03\r\n\tHello\r\n\r\n2024/02/10\r\n\t\r\n\t *Title of the day\r\n\tmore\r\n\r\n"
                    u"2024/02/12\r\n\t0123456789012345678901234567890123456789\r\n");
    return buffer;
}

TEST(Menus, MonthMenuCountsEntries) {
    const YearBuffer buffer = BufferWithFebruary();
    const std::array<int, 12> counts = EntryCounts(&buffer, 2024);
    EXPECT_EQ(counts[1], 3);
    EXPECT_EQ(counts[0], 0);
    EXPECT_EQ(EntryCounts(&buffer, 2023)[1], 0) << "a buffer of another year counts nothing";

    std::array<std::u16string, 12> labels;
    labels[1] = u"February";
    const MenuItemArray menu = BuildMonthMenu({2024, 2, 29}, labels, counts);
    EXPECT_EQ(menu.Used(), 12);
    EXPECT_EQ(menu.Item(2).label, U("2月 February"));
    EXPECT_EQ(menu.Item(2).keyText, U("3件"));
    EXPECT_EQ(menu.Item(2).flags, kMenuRadio);
    EXPECT_EQ(menu.Item(1).keyText, u"") << "no count for a month without entries";
}

TEST(Menus, DayMenuShowsTheFirstWordsOfEachEntry) {
    const YearBuffer buffer = BufferWithFebruary();
    const MenuItemArray menu =
        BuildDayMenu({2024, 2, 10}, SplitWeekLabels(U("日,月,火,水,木,金,土")), &buffer);
    EXPECT_EQ(menu.Used(), 29);
    EXPECT_EQ(menu.Item(1).label, U("2月1日（木）"));
    EXPECT_EQ(menu.Item(3).label, U("2月3日（土）　Hello"));
    EXPECT_EQ(menu.Item(10).label, U("2月10日（土）　Title of the day"))
        << "blank lines and the heading mark go";
    EXPECT_EQ(menu.Item(10).flags, kMenuRadio);
    EXPECT_EQ(menu.Item(12).label, U("2月12日（月）　012345678901234567890123456789"));

    EXPECT_EQ(EntryFirstWords(u"\t*\r\n\tnext"), u"") << "text ends at the heading's line break";
    EXPECT_EQ(EntryFirstWords(u""), u"");
    EXPECT_EQ(EntryFirstWords(std::u16string(29, u'a') + u"\U0001F600"), std::u16string(29, u'a'))
        << "a surrogate pair is not split";
}

TEST(Menus, DateChoicesKeepTheDayInsideTheMonth) {
    const MenuItemArray years = BuildYearMenu({2024, 2, 29});
    EXPECT_EQ(DateMenuChoice(DateMenu::kYear, years, 12, {2024, 2, 29}), (DiaryDate{2025, 2, 28}));
    EXPECT_EQ(DateMenuChoice(DateMenu::kYear, years, 0, {2024, 2, 29}), std::nullopt);
    const MenuItemArray months = BuildMonthMenu({2024, 1, 31}, {}, {});
    EXPECT_EQ(DateMenuChoice(DateMenu::kMonth, months, 2, {2024, 1, 31}), (DiaryDate{2024, 2, 29}));
    EXPECT_EQ(DateMenuChoice(DateMenu::kMonth, months, 4, {2024, 1, 31}), (DiaryDate{2024, 4, 30}));
    const MenuItemArray days = BuildDayMenu({2024, 1, 31}, {}, nullptr);
    EXPECT_EQ(DateMenuChoice(DateMenu::kDay, days, 7, {2024, 1, 31}), (DiaryDate{2024, 1, 7}));
}

TEST(Menus, DiaryFolderMenu) {
    const MenuItemArray menu = BuildDiaryFolderMenu({{u"RaRorir", true}, {u"Work", false}}, true, false,
                                                    U("日記フォルダを開く(&F)"));
    EXPECT_EQ(menu.Used(), 4);
    EXPECT_EQ(menu.Item(1).flags, kMenuChecked);
    EXPECT_EQ(menu.Item(2).commandValue, 1);
    EXPECT_TRUE(menu.Item(3).IsSeparator());
    EXPECT_EQ(menu.Item(4).commandValue, kOpenDiaryFolderValue);
    EXPECT_TRUE(menu.Item(4).Disabled());
    EXPECT_EQ(BuildDiaryFolderMenu({}, false, true, u"open").Used(), 1) << "no diaries: only the open item";
}

constexpr ColorRef kMenuBack = MakeColorRef(240, 240, 240);
constexpr ColorRef kHighlight = MakeColorRef(0, 120, 215);
constexpr ColorRef kMenuText = MakeColorRef(0, 0, 0);
constexpr ColorRef kGrey = MakeColorRef(109, 109, 109);
constexpr MenuColours kColours{kMenuBack, kHighlight, kMenuText, kGrey};

TEST(MenuDraw, ColoursSizesAndGlyphs) {
    EXPECT_EQ(MenuSelectedFill(kColours), MakeColorRef(210, 225, 237)) << "32/256 of the way, truncated";
    EXPECT_EQ(MenuShade(kColours), MakeColorRef(208, 208, 208));
    EXPECT_EQ(MenuShade({MakeColorRef(10, 20, 40), 0, 0, 0}), MakeColorRef(0, 0, 8));

    RecordingCanvas fonts;
    MenuItem item;
    item.label = U("今日(&T)");
    item.keyText = u"Ctrl+Z";
    EXPECT_EQ(MeasureMenuItem(item, fonts, 1920), (MenuItemSize{2 * 16 + 3 * 8 + 6 * 8 + 48, 22}));
    EXPECT_EQ(MeasureMenuItem(item, fonts, 200).width, 84) << "at most half the screen less 16";
    MenuItem separator;
    separator.flags = kMenuSeparator;
    EXPECT_EQ(MeasureMenuItem(separator, fonts, 1920), (MenuItemSize{1, 5}));

    const auto glyph = [](int command, unsigned flags = 0) {
        MenuItem menuItem;
        menuItem.commandValue = command;
        menuItem.flags = flags;
        return MenuGlyphOf(menuItem);
    };
    EXPECT_EQ(glyph(id::kPrevYear), 144);
    EXPECT_EQ(glyph(id::kPrevDay), 192);
    EXPECT_EQ(glyph(id::kToday), 208);
    EXPECT_EQ(glyph(id::kNextDay), 224);
    EXPECT_EQ(glyph(id::kNextYear), 272);
    EXPECT_EQ(glyph(id::kNewDiary), 304);
    EXPECT_EQ(glyph(kWindowCut), 368);
    EXPECT_EQ(glyph(kEditControlUndo), 336);
    EXPECT_EQ(glyph(id::kModeCalendar, kMenuChecked), 48) << "the command's glyph wins over the check";
    EXPECT_EQ(glyph(id::kToolBar, kMenuChecked), kGlyphCheck);
    EXPECT_EQ(glyph(2024, kMenuRadio), kGlyphRadio);
    EXPECT_EQ(glyph(id::kToolBar), -1);
}

TEST(MenuDraw, SelectedDisabledCheckedAndSeparatorItems) {
    RecordingCanvas canvas;
    MenuItem undo;
    undo.label = U("元に戻す(&U)");
    undo.keyText = u"Ctrl+Z";
    undo.commandValue = id::kEditUndo;
    const PixelRect rect{0, 0, 200, 22};
    DrawMenuItem(canvas, undo, rect, true, kColours);
    std::vector<CanvasCall> calls = canvas.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, Kind::kFill);
    EXPECT_EQ(calls[0].colour, MakeColorRef(210, 225, 237));
    EXPECT_EQ(calls[1].kind, Kind::kOutline);
    EXPECT_EQ(calls[1].colour, kHighlight);
    EXPECT_EQ(calls[2].kind, Kind::kGlyph);
    EXPECT_EQ(calls[2].cellX, 336);
    EXPECT_EQ(calls[2].rect, (PixelRect{3, 3, 16, 16}));
    EXPECT_EQ(calls[2].opacity, 256);
    EXPECT_EQ(calls[3].rect, (PixelRect{32, 0, 168, 22}));
    EXPECT_TRUE(calls[3].style.mnemonic);
    EXPECT_TRUE(calls[3].style.ellipsis);
    EXPECT_EQ(calls[4].text, u"Ctrl+Z");
    EXPECT_EQ(calls[4].rect.Right(), 192) << "8 pixels from the right edge";
    EXPECT_EQ(calls[4].style.align, TextAlign::kRight);

    canvas.Clear();
    undo.flags = kMenuDisabled;
    DrawMenuItem(canvas, undo, rect, true, kColours);
    calls = canvas.Calls();
    EXPECT_EQ(calls[0].colour, kMenuBack);
    EXPECT_EQ(calls[1].colour, MakeColorRef(208, 208, 208));
    EXPECT_EQ(calls[2].opacity, 100);
    EXPECT_EQ(calls[3].colour, kGrey);

    canvas.Clear();
    MenuItem toolBar;
    toolBar.label = U("ツールバー(&T)");
    toolBar.commandValue = id::kToolBar;
    toolBar.flags = kMenuChecked;
    DrawMenuItem(canvas, toolBar, {0, 0, 200, 30}, false, kColours);
    calls = canvas.Calls();
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(calls[0].colour, kMenuBack);
    EXPECT_EQ(calls[1].rect, (PixelRect{26, 0, 1, 30}));
    EXPECT_EQ(calls[2].rect, (PixelRect{27, 0, 1, 30}));
    EXPECT_EQ(calls[2].colour, MakeColorRef(255, 255, 255));
    EXPECT_EQ(calls[3].rect, (PixelRect{0, 4, 22, 22})) << "the check box, vertically centred";
    EXPECT_EQ(calls[4].kind, Kind::kOutline);
    EXPECT_EQ(calls[5].cellX, kGlyphCheck);

    canvas.Clear();
    MenuItem separator;
    separator.flags = kMenuSeparator;
    DrawMenuItem(canvas, separator, {0, 0, 200, 5}, false, kColours);
    calls = canvas.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[3].rect, (PixelRect{27, 2, 173, 1}));
    EXPECT_EQ(calls[4].rect, (PixelRect{27, 3, 173, 1}));
}

// At 200 % an item is the 96-DPI item doubled: its size, the glyph's place and size, the label's
// column, the key text's inset, the check box and the lines, which are two pixels wide.
TEST(MenuDraw, AtTwiceTheDpiTheItemIsTheSameItemDoubled) {
    RecordingCanvas canvas(8, 192);
    MenuItem undo;
    undo.label = U("元に戻す(&U)");
    undo.keyText = u"Ctrl+Z";
    undo.commandValue = id::kEditUndo;
    undo.flags = kMenuChecked;
    const MenuItemSize size = MeasureMenuItem(undo, canvas, 3840, 192);
    RecordingCanvas small;
    const MenuItemSize small96 = MeasureMenuItem(undo, small, 1920);
    EXPECT_EQ(size, (MenuItemSize{2 * small96.width, 2 * small96.height}));
    MenuItem separator;
    separator.flags = kMenuSeparator;
    EXPECT_EQ(MeasureMenuItem(separator, canvas, 3840, 192), (MenuItemSize{1, 10}));

    DrawMenuItem(canvas, undo, {0, 0, 400, 44}, false, kColours);
    bool glyph = false;
    bool label = false;
    bool key = false;
    bool box = false;
    bool line = false;
    for (const CanvasCall& call : canvas.Calls()) {
        glyph |= call.kind == Kind::kGlyph && call.rect == PixelRect{6, 6, 32, 32};
        label |= call.kind == Kind::kText && call.rect == PixelRect{64, 0, 336, 44};
        key |= call.kind == Kind::kText && call.text == u"Ctrl+Z" && call.rect.Right() == 384;
        box |= call.kind == Kind::kFill && call.rect == PixelRect{0, 0, 44, 44};
        line |= call.kind == Kind::kFill && call.rect == PixelRect{52, 0, 2, 44};
    }
    EXPECT_TRUE(glyph);
    EXPECT_TRUE(label);
    EXPECT_TRUE(key);
    EXPECT_TRUE(box);
    EXPECT_TRUE(line);
}

}  // namespace
}  // namespace tavrin
