#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "templates/template_list.h"

namespace tavrin {
namespace {

TemplateList Numbered(int count) {
    TemplateList list;
    for (int i = 0; i < count; ++i) {
        InsertAt(list, list.Count(),
                 TemplateItem{std::u16string(1, static_cast<char16_t>(u'a' + i)), u"", 0});
    }
    return list;
}

std::u16string Names(const TemplateList& list) {
    std::u16string names;
    for (const TemplateItem& item : list.Items()) {
        names += item.name;
    }
    return names;
}

// The rule written out naively: the item at from goes directly before the item that was at to (the end
// when to is outside the list); moves that would change nothing are refused.
int ModelMove(std::u16string& names, int from, int to) {
    const int count = static_cast<int>(names.size());
    const bool toEnd = to < 0 || to >= count;
    if (count == 0 || from < 0 || from >= count || from == to || to == from + 1 ||
        (from == count - 1 && toEnd)) {
        return -1;
    }
    const char16_t moved = names[static_cast<std::size_t>(from)];
    const char16_t before = toEnd ? u'\0' : names[static_cast<std::size_t>(to)];
    names.erase(static_cast<std::size_t>(from), 1);
    const std::size_t at = toEnd ? names.size() : names.find(before);
    names.insert(at, 1, moved);
    return static_cast<int>(names.find(moved));
}

TEST(MoveItem, WorkedExamples) {
    TemplateList list = Numbered(5);
    EXPECT_EQ(MoveItem(list, 0, 3), 2);
    EXPECT_EQ(Names(list), u"bcade");
    EXPECT_EQ(MoveItem(list, 4, 0), 0);
    EXPECT_EQ(Names(list), u"ebcad");
    EXPECT_EQ(MoveItem(list, 1, -1), 4) << "outside the list means the end";
    EXPECT_EQ(Names(list), u"ecadb");
    for (const auto& [from, to] :
         std::vector<std::pair<int, int>>{{2, 2}, {2, 3}, {4, 9}, {4, -1}, {5, 0}, {-1, 0}}) {
        EXPECT_EQ(MoveItem(list, from, to), -1) << from << "->" << to;
        EXPECT_EQ(Names(list), u"ecadb");
    }
    TemplateList empty;
    EXPECT_EQ(MoveItem(empty, 0, 0), -1);
}

TEST(MoveItem, MatchesTheNaiveRuleOnRandomMoves) {
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const int count = static_cast<int>(random() % 7);
        TemplateList list = Numbered(count);
        std::u16string model = Names(list);
        for (int step = 0; step < 5; ++step) {
            const int from = static_cast<int>(random() % 9) - 1;
            const int to = static_cast<int>(random() % 9) - 1;
            ASSERT_EQ(MoveItem(list, from, to), ModelMove(model, from, to)) << from << "->" << to;
            ASSERT_EQ(Names(list), model);
        }
    }
}

TEST(TemplateList, InsertRemoveAndReplaceKeepOrderAndCutNames) {
    TemplateList list = Numbered(3);
    EXPECT_TRUE(InsertAt(list, 1, TemplateItem{u"x", u"body", 0x41}));
    EXPECT_TRUE(InsertAt(list, 99, TemplateItem{u"z", u"", 0}));
    EXPECT_EQ(Names(list), u"axbcz");
    EXPECT_TRUE(RemoveAt(list, 0));
    EXPECT_FALSE(RemoveAt(list, 4));
    EXPECT_EQ(Names(list), u"xbcz");
    EXPECT_TRUE(ReplaceAt(list, 3, TemplateItem{std::u16string(80, u'n'), u"b", 1}));
    EXPECT_EQ(ItemAt(list, 3)->name.size(), TemplateItem::kTemplateNameMax);
    TemplateItem record;
    EXPECT_TRUE(ReadItem(list, 0, record));
    EXPECT_EQ(record, (TemplateItem{u"x", u"body", 0x41}));
    EXPECT_EQ(ItemAt(list, 4), nullptr);
    ClearTemplates(list);
    EXPECT_TRUE(list.Empty());
}

}  // namespace
}  // namespace tavrin
