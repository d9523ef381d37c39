#include "search/search_history.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/settings_file.h"

namespace tavrin {
namespace {

std::vector<std::u16string> Words(const SearchHistory& history) {
    return {history.words.begin(), history.words.begin() + history.count};
}

TEST(AddSearchHistory, MostRecentFirstWithoutRepeats) {
    SearchHistory history;
    for (const char16_t* word : {u"a", u"b", u"c", u"a"}) {
        EXPECT_TRUE(AddSearchHistory(history, word));
    }
    EXPECT_EQ(Words(history), (std::vector<std::u16string>{u"a", u"c", u"b"}));
    EXPECT_TRUE(AddSearchHistory(history, u"A")) << "words are compared exactly";
    EXPECT_EQ(history.count, 4);
    EXPECT_FALSE(AddSearchHistory(history, u""));
    EXPECT_EQ(history.count, 4);
}

TEST(AddSearchHistory, TheEleventhWordPushesTheFirstOut) {
    SearchHistory history;
    for (int i = 0; i < 11; ++i) {
        AddSearchHistory(history, std::u16string(1, static_cast<char16_t>(u'a' + i)));
    }
    EXPECT_EQ(history.count, 10);
    EXPECT_EQ(history.words[0], u"k");
    EXPECT_EQ(history.words[9], u"b");
    AddSearchHistory(history, u"d");
    EXPECT_EQ(Words(history),
              (std::vector<std::u16string>{u"d", u"k", u"j", u"i", u"h", u"g", u"f", u"e", u"c", u"b"}));
}

TEST(AddSearchHistory, MatchesAListModelOnRandomSequences) {
    std::mt19937 random(1);
    SearchHistory history;
    std::vector<std::u16string> model;
    for (int step = 0; step < 5000; ++step) {
        const std::u16string word(1 + random() % 2, static_cast<char16_t>(u'a' + random() % 14));
        AddSearchHistory(history, word);
        std::erase(model, word);
        model.insert(model.begin(), word);
        if (model.size() > 10) {
            model.pop_back();
        }
        ASSERT_EQ(Words(history), model);
    }
}

TEST(AddSearchHistory, WordsAreCutToTheSearchBoxLimit) {
    SearchHistory history;
    AddSearchHistory(history, std::u16string(300, u'x'));
    EXPECT_EQ(history.words[0].size(), 255u);
    AddSearchHistory(history, std::u16string(254, u'y') + u"\U0001F600");
    EXPECT_EQ(history.words[0], std::u16string(254, u'y')) << "no half surrogate pair";
}

// Words with characters that mean something in the settings file survive writing and reading it.
TEST(AddSearchHistory, HistoryRoundTripsThroughTheSettingsFile) {
    Settings settings;
    for (const std::u16string& word : std::vector<std::u16string>{
             u"天気", u"a\tb", u"C:\\Users\\x", u"key=value", u" lead", u"trail ", u"[Search]", u"\U0001F600",
             u"100%", u"a,b", u"#tag", std::u16string(255, u'z')}) {
        AddSearchHistory(settings.search.history, word);
    }
    settings.search.matchCase = 1;
    Settings read;
    TemplateList templates;
    ParseSettingsText(ComposeSettingsText(settings, {}), read, templates);
    EXPECT_EQ(read.search.history, settings.search.history);
    EXPECT_EQ(read.search.matchCase, 1);
}

}  // namespace
}  // namespace tavrin
