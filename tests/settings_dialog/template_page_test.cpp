// The template page's editing copy: the list commands with their selection rules, checked on worked
// examples and against a naive model over random command sequences.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "settings_dialog/template_page_model.h"

namespace tavrin {
namespace {

TemplateList Named(std::u16string_view names) {
    TemplateList list;
    for (const char16_t name : names) {
        InsertAt(list, list.Count(),
                 TemplateItem{std::u16string(1, name), std::u16string(1, name) + u"!", name});
    }
    return list;
}

std::u16string Names(const TemplatePageModel& model) {
    std::u16string names;
    for (const TemplateItem& item : model.Items().Items()) {
        names += item.name.size() == 1 ? item.name : u"?";
    }
    return names;
}

TEST(TemplatePage, UpAndDownKeepTheMovedItemSelected) {
    TemplatePageModel model(Named(u"ABC"));
    model.Select(1);
    EXPECT_TRUE(model.MoveUp());
    EXPECT_EQ(Names(model), u"BAC");
    EXPECT_EQ(model.Current(), 0);
    EXPECT_FALSE(model.MoveUp()) << "the first row cannot go up";
    EXPECT_EQ(model.Buttons(), (TemplatePageButtons{true, true, true, false, true}));

    TemplatePageModel down(Named(u"ABC"));
    down.Select(1);
    EXPECT_TRUE(down.MoveDown());
    EXPECT_EQ(Names(down), u"ACB");
    EXPECT_EQ(down.Current(), 2);
    EXPECT_FALSE(down.MoveDown()) << "the last row cannot go down";
    EXPECT_EQ(down.Buttons(), (TemplatePageButtons{true, true, true, true, false}));
}

TEST(TemplatePage, DraggingDropsIntoTheMarkedGap) {
    TemplatePageModel model(Named(u"ABC"));
    EXPECT_TRUE(model.Drop(0, 3));
    EXPECT_EQ(Names(model), u"BCA");
    EXPECT_EQ(model.Current(), 2);
    EXPECT_FALSE(model.Drop(1, 1)) << "its own gap above";
    EXPECT_FALSE(model.Drop(1, 2)) << "its own gap below";
    EXPECT_FALSE(model.Drop(2, 3));
    EXPECT_EQ(Names(model), u"BCA");
    EXPECT_TRUE(model.Drop(2, -4)) << "limited to the top";
    EXPECT_EQ(Names(model), u"ABC");

    // Rows 20 pixels high, 5 visible, the list scrolled so that 3 rows are left from the top row.
    EXPECT_EQ(DragGapAt(0, 20, 5, 3), 0);
    EXPECT_EQ(DragGapAt(9, 20, 5, 3), 0);
    EXPECT_EQ(DragGapAt(10, 20, 5, 3), 1);
    EXPECT_EQ(DragGapAt(45, 20, 5, 3), 2);
    EXPECT_EQ(DragGapAt(500, 20, 5, 3), 3) << "not beyond the end of the list";
    EXPECT_EQ(DragGapAt(500, 20, 2, 30), 2) << "not beyond the visible rows";
    EXPECT_EQ(DragGapAt(-40, 20, 5, 3), 0);
}

TEST(TemplatePage, DeletingSelectsTheNeighbourAndEmptiesTheFieldsAtTheEnd) {
    TemplatePageModel model(Named(u"ABC"));
    model.Select(2);
    model.Remove();
    EXPECT_EQ(Names(model), u"AB");
    EXPECT_EQ(model.Current(), 1) << "the new last row";
    model.Select(0);
    model.Remove();
    EXPECT_EQ(model.Current(), 0);
    model.Remove();
    EXPECT_EQ(model.Current(), -1);
    EXPECT_EQ(model.Buttons(), TemplatePageButtons{}) << "fields and buttons disabled";
    EXPECT_FALSE(model.StoreName(u"x")) << "no item to store into";

    model.Add();
    EXPECT_EQ(model.Current(), 0);
    EXPECT_EQ(model.CurrentItem()->name, u"新規定型文");
    EXPECT_EQ(model.Buttons(), (TemplatePageButtons{true, true, true, false, false}));
    model.AddSeparator();
    EXPECT_TRUE(model.CurrentItem()->IsSeparator()) << "inserted before the selected row";
    EXPECT_EQ(model.Count(), 2);
    model.RemoveAll();
    EXPECT_EQ(model.Count(), 0);
    EXPECT_EQ(model.Current(), -1);
}

TEST(TemplatePage, FieldsAreStoredIntoTheCurrentItemAndOkReplacesTheLiveList) {
    TemplateList live = Named(u"AB");
    TemplatePageModel model(live);
    model.Select(1);
    EXPECT_TRUE(model.StoreName(std::u16string(100, u'名')));
    EXPECT_EQ(model.CurrentItem()->name.size(), 63u);
    EXPECT_TRUE(model.StoreKey(0x0374));
    EXPECT_FALSE(model.StoreKey(0x0374)) << "an unchanged key does nothing";
    const std::u16string longBody(100000, u'本');
    model.StoreBody(longBody);
    model.Duplicate();
    EXPECT_EQ(model.Current(), 1);
    EXPECT_EQ(model.Count(), 3);
    EXPECT_EQ(live.Count(), 2) << "the live list is untouched until OK";

    ChangeFlags flags;
    model.Accept(live, flags);
    EXPECT_TRUE(flags.templates);
    ASSERT_EQ(live.Count(), 3);
    EXPECT_EQ(live.Items()[1], live.Items()[2]);
    EXPECT_EQ(live.Items()[2].body, longBody);
    EXPECT_EQ(live.Items()[2].key, 0x0374);

    ChangeFlags again;
    TemplatePageModel(live).Accept(live, again);
    EXPECT_FALSE(again.templates) << "an untouched copy raises no flag";
}

TEST(TemplatePage, ResetLoadsTheElevenDefaults) {
    TemplatePageModel model(TemplateList{});
    EXPECT_EQ(model.Current(), -1);
    model.ResetToDefaults();
    TemplateList defaults;
    LoadDefaultTemplates(defaults);
    EXPECT_EQ(model.Items(), defaults);
    EXPECT_EQ(model.Current(), 0);
}

// The rules written out on a plain string of one-letter names.
struct NaiveTemplates {
    std::u16string names;
    int current = -1;

    void InsertBefore(char16_t name) {
        const int at = std::max(current, 0);
        names.insert(names.begin() + at, name);
        current = at;
    }
    void Remove() {
        if (current < 0) {
            return;
        }
        names.erase(names.begin() + current);
        current = std::min(current, static_cast<int>(names.size()) - 1);
    }
    void Move(int from, int to) {
        const int count = static_cast<int>(names.size());
        to = std::clamp(to, 0, count);
        if (from < 0 || from >= count || to == from || to == from + 1) {
            return;
        }
        const char16_t moved = names[static_cast<std::size_t>(from)];
        names.erase(names.begin() + from);
        const int target = to > from ? to - 1 : to;
        names.insert(names.begin() + target, moved);
        current = target;
    }
};

TEST(TemplatePage, RandomCommandsFollowTheNaiveRules) {
    std::mt19937 random(5);
    for (int run = 0; run < 200; ++run) {
        TemplatePageModel model(Named(u"ABCD"));
        NaiveTemplates naive{u"ABCD", 0};
        char16_t next = u'a';
        for (int step = 0; step < 60; ++step) {
            const int count = model.Count();
            const int command = std::uniform_int_distribution<int>(0, 7)(random);
            const int row = std::uniform_int_distribution<int>(-1, count + 1)(random);
            switch (command) {
                case 0:
                    model.Select(row);
                    if (row >= 0 && row < count) {
                        naive.current = row;
                    }
                    break;
                case 1:
                    model.StoreName(std::u16string(1, next));
                    if (naive.current >= 0) {
                        naive.names[static_cast<std::size_t>(naive.current)] = next;
                    }
                    ++next;
                    break;
                case 2:
                    model.Duplicate();
                    if (naive.current >= 0) {
                        naive.InsertBefore(naive.names[static_cast<std::size_t>(naive.current)]);
                    }
                    break;
                case 3:
                    model.Remove();
                    naive.Remove();
                    break;
                case 4:
                    model.MoveUp();
                    naive.Move(naive.current, naive.current - 1);
                    break;
                case 5:
                    model.MoveDown();
                    if (naive.current >= 0) {
                        naive.Move(naive.current, naive.current + 2);
                    }
                    break;
                case 6: {
                    const int to = std::uniform_int_distribution<int>(-1, count + 1)(random);
                    model.Drop(row, to);
                    naive.Move(row, to);
                    break;
                }
                default:
                    model.StoreName(std::u16string(1, next));
                    model.Add();
                    if (naive.current >= 0) {
                        naive.names[static_cast<std::size_t>(naive.current)] = next;
                    }
                    naive.InsertBefore(u'?');
                    ++next;
                    break;
            }
            ASSERT_EQ(Names(model), naive.names) << "run " << run << " step " << step;
            ASSERT_EQ(model.Current(), naive.current) << "run " << run << " step " << step;
            const TemplatePageButtons buttons = model.Buttons();
            ASSERT_EQ(buttons.fields, naive.current >= 0);
            ASSERT_EQ(buttons.up, naive.current > 0);
            ASSERT_EQ(buttons.down,
                      naive.current >= 0 && naive.current < static_cast<int>(naive.names.size()) - 1);
        }
    }
}

}  // namespace
}  // namespace tavrin
