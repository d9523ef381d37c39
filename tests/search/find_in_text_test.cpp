#include "search/find_in_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/text.h"
#include "search/search_reference.h"

namespace tavrin {
namespace {

using namespace std::string_literals;

using testing::ReferenceClass;
using testing::ReferenceFind;

TEST(FindInText, CaseFoldingCoversAsciiLettersOnly) {
    EXPECT_EQ(FindInText(u"xxABCxx", u"abc", false, false), 2);
    EXPECT_EQ(FindInText(u"xxABCxx", u"abc", true, false), -1);
    EXPECT_EQ(FindInText(u"xxaBcxx", u"AbC", false, false), 2);
    EXPECT_EQ(FindInText(u"Ａ", u"a", false, false), -1) << "full-width letters are not folded";
    EXPECT_EQ(FindInText(u"ａ", u"Ａ", false, false), -1);
    EXPECT_EQ(FindInText(u"[@]", u"`", false, false), -1) << "only A-Z fold, not the characters around them";
    EXPECT_EQ(FindInText(u"Ä", u"ä", false, false), -1);
}

TEST(FindInText, EmptyOrTooShortTextsHaveNoMatch) {
    EXPECT_EQ(FindInText(u"", u"a", false, false), -1);
    EXPECT_EQ(FindInText(u"a", u"", false, false), -1);
    EXPECT_EQ(FindInText(u"ab", u"abc", false, false), -1);
    EXPECT_EQ(FindInText(u"abc", u"abc", false, true), 0);
    EXPECT_EQ(FindInText(std::u16string(u"a\0b", 3), std::u16string(u"\0b", 2), false, false), 1)
        << "NULs are characters like any other";
}

TEST(FindInText, WholeWordsNeedAClassChangeOnBothSides) {
    EXPECT_EQ(FindInText(u"今日の日記帳", u"日記", false, true), -1);
    EXPECT_EQ(FindInText(u"今日の日記です", u"日記", false, true), 3);
    EXPECT_EQ(FindInText(u"「日記」", u"日記", false, true), 1);
    EXPECT_EQ(FindInText(u"日記帳と日記", u"日記", false, true), 4)
        << "the search goes on after a rejected match";
    EXPECT_EQ(FindInText(u"foo_bar foo", u"foo", false, true), 8);
    EXPECT_EQ(FindInText(u"foo2 foo", u"foo", false, true), 5);
    EXPECT_EQ(FindInText(u"ｆｏｏ foo", u"foo", false, true), 4) << "full-width letters are another class";
    EXPECT_EQ(FindInText(u"カタカナー", u"カタカナ", false, true), -1)
        << "the prolonged sound mark is katakana";
    EXPECT_EQ(FindInText(u"a.b", u".", false, true), 1);
    EXPECT_EQ(FindInText(u"a..b", u".", false, true), -1) << "each dot has a dot beside it";
}

// The start and the end of the searched text are boundaries; nothing beyond them is read.
TEST(FindInText, TextEdgesCountAsWordBoundaries) {
    EXPECT_EQ(FindInText(u"日記帳", u"日記", false, true), -1);
    EXPECT_EQ(FindInText(u"日記", u"日記", false, true), 0);
    EXPECT_EQ(FindInText(u"日記の", u"日記", false, true), 0);
    EXPECT_EQ(FindInText(u"の日記", u"日記", false, true), 1);
    const std::u16string text = u"日記帳";
    EXPECT_EQ(FindInText(std::u16string_view(text).substr(0, 2), u"日記", false, true), 0)
        << "the character after the range is not looked at";
    EXPECT_EQ(FindInText(std::u16string_view(text).substr(1), u"記帳", false, true), 0);
}

TEST(WordClassOf, FollowsTheClassTableAtEveryCodeUnit) {
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        ASSERT_EQ(static_cast<int>(WordClassOf(static_cast<char16_t>(c))),
                  ReferenceClass(static_cast<char16_t>(c)))
            << std::hex << c;
    }
}

// Random texts and words over an alphabet where every class, both cases and surrogates occur often,
// with words cut from the text so that matches are common.
TEST(FindInText, AgreesWithTheNaiveMatcherOnRandomTexts) {
    // Lone surrogates are added one by one: a literal cannot hold them.
    std::u16string alphabet = u"aAbB_1 \t\r\n.-日記帳のノーー\u3000ＡａΩжｶ\U0001F600\U0001F601\0"s;
    alphabet += {char16_t{0xD800}, char16_t{0xDC00}, char16_t{0xDBFF}};
    std::mt19937 random(20240501);
    int matches = 0;
    for (int round = 0; round < 40000; ++round) {
        std::u16string text(random() % 40, u' ');
        for (char16_t& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        std::u16string word;
        if (!text.empty() && random() % 4 != 0) {
            const std::size_t start = random() % text.size();
            word = text.substr(start, 1 + random() % 4);
            if (random() % 3 == 0) {
                for (char16_t& c : word) {
                    c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
                }
            }
        } else {
            word.resize(1 + random() % 3);
            for (char16_t& c : word) {
                c = alphabet[random() % alphabet.size()];
            }
        }
        for (int options = 0; options < 4; ++options) {
            const bool matchCase = (options & 1) != 0;
            const bool wordOnly = (options & 2) != 0;
            const std::ptrdiff_t expected = ReferenceFind(text, word, matchCase, wordOnly);
            matches += expected >= 0 ? 1 : 0;
            ASSERT_EQ(FindInText(text, word, matchCase, wordOnly), expected)
                << ToUtf8(text) << " / " << ToUtf8(word) << " case " << matchCase << " word " << wordOnly;
        }
    }
    EXPECT_GT(matches, 40000) << "the random cases exercise matches, not only misses";
}

// Long texts, so that the block scan and its tail both take part, and every later occurrence found
// by searching on from the last one.
TEST(SearchPattern, FindsEveryOccurrenceInLongTextsLikeTheNaiveMatcher) {
    std::mt19937 random(5);
    const std::u16string alphabet = u"あいう天気Tt ";
    for (int round = 0; round < 300; ++round) {
        std::u16string text(random() % 300, u' ');
        for (char16_t& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        const std::u16string word = round % 2 == 0 ? u"天気" : u"tあ";
        const bool wordOnly = round % 3 == 0;
        const SearchPattern pattern(word, false, wordOnly);
        for (std::size_t from = 0; from <= text.size(); ++from) {
            const std::size_t found = pattern.Find(text, from);
            ASSERT_EQ(found == std::u16string_view::npos ? -1 : static_cast<std::ptrdiff_t>(found),
                      ReferenceFind(text, word, false, wordOnly, from));
        }
    }
}

}  // namespace
}  // namespace tavrin
