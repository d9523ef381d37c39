// The search pane's portable decisions: scrolling and moving in the result list (worked examples and
// random sequences against the list's invariants), rows, separators, history steps, painting only
// what is in view, and the two menus.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text.h"
#include "search/result_list.h"
#include "search/result_list_paint.h"
#include "search/search_menus.h"
#include "support/recording_canvas.h"

namespace tavrin {
namespace {

using testing::CanvasCall;
using testing::RecordingCanvas;
using Kind = CanvasCall::Kind;

constexpr unsigned kVkHome = 0x24;
constexpr unsigned kVkPageDown = 0x22;
constexpr unsigned kVkTab = 0x09;
constexpr unsigned kVkReturn = 0x0D;

// n hits, one a day from 2022-12-20 on, so that they run over a year and several months.
SearchResults Hits(int count) {
    SearchResults results;
    DiaryDate date{2022, 12, 20};
    for (int i = 0; i < count; ++i) {
        results.hits.push_back({date, u"hit " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26))});
        date.day += 1;
        if (date.day > 28) {
            date = {date.month == 12 ? date.year + 1 : date.year, date.month % 12 + 1, 1};
        }
    }
    return results;
}

TEST(ResultList, RowHeightAndVisibleRows) {
    EXPECT_EQ(ListRowHeight(18), 20);
    EXPECT_EQ(ListRowHeight(1), 4);
    EXPECT_EQ(ListRowHeight(0), kDefaultListRowHeight) << "no font yet";
    EXPECT_EQ(VisibleRowCount(199, 20), 9);
    EXPECT_EQ(VisibleRowCount(19, 20), 0);
}

TEST(ResultList, PageDownKeepsThePreviousLastRowInView) {
    SearchResults results = Hits(50);
    results.firstVisibleRow = 12;
    results.selectedIndex = 21;
    ASSERT_TRUE(MoveSelection(results, ListMove::kPageDown, 10));
    EXPECT_EQ(results.selectedIndex, 30);
    EXPECT_EQ(UpdateListScroll(results, ListScrollMode::kSelectionIntoView, 200, 20),
              (ListScrollRange{49, 21, 9}));
    EXPECT_EQ(results.firstVisibleRow, 21) << "rows 21 to 30 are shown";

    ASSERT_TRUE(MoveSelection(results, ListMove::kPageUp, 10));
    EXPECT_EQ(results.selectedIndex, 21);
    UpdateListScroll(results, ListScrollMode::kSelectionIntoView, 200, 20);
    EXPECT_EQ(results.firstVisibleRow, 21) << "the selection is still in view";
    EXPECT_EQ(UpdateListScroll(results, ListScrollMode::kBottom, 200, 20).position, 40);
    EXPECT_EQ(UpdateListScroll(results, ListScrollMode::kTop, 200, 20).position, 0);
}

TEST(ResultList, MovesWrapWithArrowsAndStopAtTheEndsWithPages) {
    SearchResults results = Hits(3);
    results.selectedIndex = 2;
    EXPECT_TRUE(MoveSelection(results, ListMove::kNext, 10));
    EXPECT_EQ(results.selectedIndex, 0) << "Down from the last hit";
    EXPECT_TRUE(MoveSelection(results, ListMove::kPrevious, 10));
    EXPECT_EQ(results.selectedIndex, 2) << "Up from the first hit";
    EXPECT_FALSE(MoveSelection(results, ListMove::kLast, 10)) << "End on the last hit does nothing";
    EXPECT_TRUE(MoveSelection(results, ListMove::kPageUp, 10));
    EXPECT_EQ(results.selectedIndex, 0);
    EXPECT_FALSE(MoveSelection(results, ListMove::kFirst, 10));
    EXPECT_TRUE(MoveSelection(results, ListMove::kPageDown, 1)) << "a page of one row in a low pane";
    EXPECT_EQ(results.selectedIndex, 1);

    SearchResults none;
    for (const ListMove move : {ListMove::kNext, ListMove::kPrevious, ListMove::kPageDown, ListMove::kLast}) {
        EXPECT_FALSE(MoveSelection(none, move, 10));
    }
    EXPECT_EQ(UpdateListScroll(none, ListScrollMode::kSelectionIntoView, 200, 20), ListScrollRange{});
}

TEST(ResultList, HitsThatFitNeedNoScrolling) {
    SearchResults results = Hits(10);
    results.firstVisibleRow = 4;
    results.selectedIndex = 9;
    EXPECT_EQ(UpdateListScroll(results, ListScrollMode::kSelectionIntoView, 200, 20), ListScrollRange{});
    EXPECT_EQ(results.firstVisibleRow, 0);
    EXPECT_EQ(UpdateListScroll(results, ListScrollMode::kSelectionIntoView, 199, 20),
              (ListScrollRange{9, 1, 8}))
        << "one pixel less and the last row no longer fits";
}

// Random keys, clicks, wheel positions and pane heights over lists of every size: the selection
// stays a hit, a movement leaves it in view, and the scroll bar's range is the list's.
TEST(ResultList, RandomOperationsKeepTheListConsistent) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        SearchResults results = Hits(static_cast<int>(random() % 60));
        const int n = results.Count();
        for (int step = 0; step < 100; ++step) {
            const int height = static_cast<int>(random() % 300);
            const int rows = VisibleRowCount(height, 20);
            ListScrollMode mode = ListScrollMode::kKeep;
            switch (random() % 4) {
                case 0:
                    MoveSelection(results, static_cast<ListMove>(random() % 6), rows);
                    mode = ListScrollMode::kSelectionIntoView;
                    break;
                case 1:
                    if (const int hit = HitTestRow(results, static_cast<int>(random() % 320), 20); hit >= 0) {
                        results.selectedIndex = hit;
                    }
                    break;
                case 2:
                    ScrollListTo(results, static_cast<int>(random() % 70));
                    break;
                default:
                    mode = static_cast<ListScrollMode>(random() % 4);
                    break;
            }
            const ListScrollRange range = UpdateListScroll(results, mode, height, 20);
            const int first = results.firstVisibleRow;
            ASSERT_TRUE(n == 0 || (results.selectedIndex >= 0 && results.selectedIndex < n));
            if (n * 20 <= height) {
                ASSERT_EQ(range, ListScrollRange{});
                ASSERT_EQ(first, 0);
                continue;
            }
            ASSERT_EQ(range.maximum, n - 1);
            ASSERT_EQ(range.position, first);
            ASSERT_EQ(range.page, std::max(std::min(rows - 1, n - 1), 0));
            ASSERT_GE(first, 0);
            ASSERT_LE(first, n - 1 - range.page);
            if (mode == ListScrollMode::kSelectionIntoView && rows > 0) {
                ASSERT_GE(results.selectedIndex, first);
                ASSERT_LT(results.selectedIndex, first + rows);
            }
        }
    }
}

TEST(ResultList, AHundredThousandHitsScrollAndMoveAtTheirEnd) {
    SearchResults results = Hits(100000);
    ASSERT_TRUE(MoveSelection(results, ListMove::kLast, 25));
    EXPECT_EQ(UpdateListScroll(results, ListScrollMode::kSelectionIntoView, 500, 20),
              (ListScrollRange{99999, 99975, 24}));
    EXPECT_EQ(HitTestRow(results, 499, 20), 99999);
    EXPECT_EQ(HitTestRow(results, 500, 20), -1) << "below the last row";
    ASSERT_TRUE(MoveSelection(results, ListMove::kNext, 25));
    EXPECT_EQ(results.selectedIndex, 0);
}

TEST(ResultList, SeparatorsMarkNewYearsAndMonths) {
    SearchResults results;
    results.hits = {{{2022, 12, 30}, u""},
                    {{2023, 1, 2}, u""},
                    {{2023, 3, 31}, u""},
                    {{2023, 4, 1}, u""},
                    {{2023, 4, 9}, u""}};
    EXPECT_EQ(SeparatorBelow(results, 0), RowSeparator::kSolid);
    EXPECT_EQ(SeparatorBelow(results, 1), RowSeparator::kDotted);
    EXPECT_EQ(SeparatorBelow(results, 2), RowSeparator::kDotted);
    EXPECT_EQ(SeparatorBelow(results, 3), RowSeparator::kNone);
    EXPECT_EQ(SeparatorBelow(results, 4), RowSeparator::kNone) << "the last row";
    EXPECT_EQ(ListRowText({{987, 3, 4}, u"旅行\t初日"}), u"0987/03/04 旅行\t初日");
}

TEST(ResultList, HistoryStepsRunRoundTheHistory) {
    SearchHistory history;
    history.words = {u"a", u"b", u"c"};
    history.count = 3;
    EXPECT_EQ(HistoryStep(history, u"b", true), u"a");
    EXPECT_EQ(HistoryStep(history, u"b", false), u"c");
    EXPECT_EQ(HistoryStep(history, u"a", true), u"c");
    EXPECT_EQ(HistoryStep(history, u"c", false), u"a");
    EXPECT_EQ(HistoryStep(history, u"x", true), u"c") << "a word not in the history";
    EXPECT_EQ(HistoryStep(history, u"x", false), u"a");
    EXPECT_EQ(HistoryStep(SearchHistory{}, u"x", true), std::nullopt);
}

TEST(ResultList, PanesTakeTheirOwnKeysBeforeTheShortcuts) {
    EXPECT_TRUE(SearchPaneTakesKeyFirst(SearchFocus::kList, kVkHome, false));
    EXPECT_TRUE(SearchPaneTakesKeyFirst(SearchFocus::kList, kVkPageDown, false));
    EXPECT_TRUE(SearchPaneTakesKeyFirst(SearchFocus::kList, kVkTab, false));
    EXPECT_TRUE(SearchPaneTakesKeyFirst(SearchFocus::kBox, kVkHome, false));
    EXPECT_FALSE(SearchPaneTakesKeyFirst(SearchFocus::kBox, kVkPageDown, false));
    EXPECT_FALSE(SearchPaneTakesKeyFirst(SearchFocus::kList, kVkHome, true)) << "Ctrl+Home stays a shortcut";
    EXPECT_FALSE(SearchPaneTakesKeyFirst(SearchFocus::kList, kVkReturn, false));
    EXPECT_FALSE(SearchPaneTakesKeyFirst(SearchFocus::kElsewhere, kVkHome, false));
}

// ---- Painting ----------------------------------------------------------------------------------

constexpr ColorRef kText = 0x00C08000;
constexpr ColorRef kBack = 0x00FFFFFF;

std::vector<CanvasCall> CallsOf(const RecordingCanvas& canvas, Kind kind) {
    std::vector<CanvasCall> calls;
    for (const CanvasCall& call : canvas.Calls()) {
        if (call.kind == kind) {
            calls.push_back(call);
        }
    }
    return calls;
}

TEST(ResultListPaint, OnlyTheRowsInViewArePainted) {
    SearchResults results = Hits(100000);
    results.firstVisibleRow = 50000;
    results.selectedIndex = 50001;
    RecordingCanvas canvas;
    const ResultListLook look{kText, kBack, 15, true};
    ResultListBox box{200, 90, 20, 16, 6, true};
    PaintResultList(canvas, look, results, box);

    ASSERT_FALSE(canvas.Calls().empty());
    EXPECT_EQ(canvas.Calls().front().kind, Kind::kFill);
    EXPECT_EQ(canvas.Calls().front().rect, (PixelRect{0, 0, 200, 90})) << "the background first";
    const std::vector<CanvasCall> texts = CallsOf(canvas, Kind::kText);
    // Five rows are at least partly in view; the selected one has no shadow copy.
    ASSERT_EQ(texts.size(), 4u * 2 + 1);
    EXPECT_EQ(texts[1].text, ListRowText(results.hits[50000]));
    EXPECT_EQ(texts[1].rect, (PixelRect{6, 0, 178, 20}));
    EXPECT_EQ(texts[0].colour, kBack) << "the shadow under an unselected row";
    EXPECT_EQ(texts[2].rect.y, 20);
    EXPECT_EQ(texts[2].colour, kText);
    EXPECT_TRUE(texts[2].style.ellipsis);

    const std::vector<CanvasCall> blends = CallsOf(canvas, Kind::kBlend);
    ASSERT_EQ(blends.size(), 1u);
    EXPECT_EQ(blends[0].rect, (PixelRect{0, 20, 184, 20}));
    EXPECT_EQ(blends[0].opacity, 15 * 256 / 100);
    ASSERT_EQ(CallsOf(canvas, Kind::kOutline).size(), 1u) << "the focus frame";

    canvas.Clear();
    box.focused = false;
    PaintResultList(canvas, {kText, kBack, 100, false}, results, box);
    EXPECT_TRUE(CallsOf(canvas, Kind::kOutline).empty());
    EXPECT_EQ(CallsOf(canvas, Kind::kText)[1].colour, kBack) << "the selected text at Alpha 100";
}

TEST(ResultListPaint, YearsGetASolidLineAndMonthsADottedOne) {
    SearchResults results;
    results.hits = {{{2022, 12, 30}, u"a"}, {{2023, 1, 2}, u"b"}, {{2023, 2, 3}, u"c"}};
    RecordingCanvas canvas;
    PaintResultList(canvas, {kText, kBack, 15, false}, results, {100, 100, 20, 16, 6, false});
    std::vector<CanvasCall> lines;
    for (const CanvasCall& call : CallsOf(canvas, Kind::kFill)) {
        if (call.rect.height == 1) {
            lines.push_back(call);
        }
    }
    ASSERT_EQ(lines.size(), 1u + 42) << "one solid line, then a dot on every second pixel of 84";
    EXPECT_EQ(lines[0].rect, (PixelRect{0, 19, 84, 1}));
    EXPECT_EQ(lines[1].rect, (PixelRect{0, 39, 1, 1}));
    EXPECT_EQ(lines.back().rect, (PixelRect{82, 39, 1, 1}));
}

// ---- Menus -------------------------------------------------------------------------------------

std::vector<std::u16string> Labels(const MenuItemArray& menu, int popup) {
    std::vector<std::u16string> labels;
    for (const int position : menu.Popups()[static_cast<std::size_t>(popup)]) {
        labels.push_back(menu.Item(position).label);
    }
    return labels;
}

int PositionOf(const MenuItemArray& menu, std::u16string_view label) {
    for (int position = 1; position <= menu.Used(); ++position) {
        if (menu.Item(position).label == label) {
            return position;
        }
    }
    return 0;
}

TEST(SearchMenus, TheBoxMenuEnablesWhatCanBeDone) {
    SearchBoxMenuState state;
    MenuItemArray empty = BuildSearchBoxMenu(state, {});
    EXPECT_EQ(Labels(empty, 0),
              (std::vector<std::u16string>{u"検索履歴(&H)", u"-", u"切り取り(&T)", u"コピー(&C)",
                                           u"貼り付け(&P)", u"貼り付けて検索(&S)", u"すべて選択(&A)", u"-",
                                           u"大文字/小文字を区別(&M)", u"単語単位(&W)"}));
    for (const char16_t* label : {u"検索履歴(&H)", u"切り取り(&T)", u"コピー(&C)", u"貼り付け(&P)",
                                  u"貼り付けて検索(&S)", u"すべて選択(&A)"}) {
        EXPECT_TRUE(empty.Item(PositionOf(empty, label)).Disabled()) << ToUtf8(label);
    }

    SearchHistory history;
    history.words = {u"R&D", std::u16string(61, u'長'), u"b"};
    history.count = 3;
    state = {&history, u"b", true, true, true, false};
    const MenuItemArray menu = BuildSearchBoxMenu(state, {});
    for (const char16_t* label :
         {u"検索履歴(&H)", u"切り取り(&T)", u"貼り付けて検索(&S)", u"すべて選択(&A)"}) {
        EXPECT_FALSE(menu.Item(PositionOf(menu, label)).Disabled());
    }
    const MenuItem& submenu = menu.Item(PositionOf(menu, u"検索履歴(&H)"));
    EXPECT_EQ(Labels(menu, submenu.submenu),
              (std::vector<std::u16string>{u"R&&D", std::u16string(60, u'長') + u"...", u"b", u"-",
                                           u"検索履歴の削除(&D)"}));
    EXPECT_EQ(menu.Item(PositionOf(menu, u"b")).flags & kMenuChecked, kMenuChecked) << "the box text";
    EXPECT_EQ(menu.Item(PositionOf(menu, u"R&&D")).flags & kMenuChecked, 0u);
    EXPECT_EQ(menu.Item(PositionOf(menu, u"大文字/小文字を区別(&M)")).flags & kMenuChecked, kMenuChecked);
    EXPECT_EQ(menu.Item(PositionOf(menu, u"単語単位(&W)")).flags & kMenuChecked, 0u);

    EXPECT_EQ(SearchBoxChoiceOf(menu, PositionOf(menu, u"b")),
              (SearchBoxChoice{SearchBoxAction::kHistoryWord, 2}));
    EXPECT_EQ(SearchBoxChoiceOf(menu, PositionOf(menu, u"検索履歴の削除(&D)")).action,
              SearchBoxAction::kDeleteHistory);
    EXPECT_EQ(SearchBoxChoiceOf(menu, PositionOf(menu, u"貼り付けて検索(&S)")).action,
              SearchBoxAction::kPasteAndSearch);
    EXPECT_EQ(SearchBoxChoiceOf(menu, PositionOf(menu, u"単語単位(&W)")).action,
              SearchBoxAction::kToggleWordOnly);
    EXPECT_EQ(SearchBoxChoiceOf(menu, 0).action, SearchBoxAction::kNone) << "nothing chosen";
    EXPECT_EQ(SearchBoxChoiceOf(menu, 99).action, SearchBoxAction::kNone);
}

TEST(SearchMenus, TheListMenuClearsOnlyWhenThereAreHits) {
    const MenuItemArray none = BuildSearchListMenu(false);
    ASSERT_EQ(none.Used(), 1);
    EXPECT_EQ(none.Item(1).label, u"検索結果のクリア(&C)");
    EXPECT_FALSE(ChoosesClearResults(none, 1));
    const MenuItemArray some = BuildSearchListMenu(true);
    EXPECT_TRUE(ChoosesClearResults(some, 1));
    EXPECT_FALSE(ChoosesClearResults(some, 0));
}

}  // namespace
}  // namespace tavrin
