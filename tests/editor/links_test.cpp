#include <gtest/gtest.h>

#include <random>

#include "editor_fakes.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::U;

struct Found {
    std::u16string text;
    LinkKind kind;
    friend bool operator==(const Found&, const Found&) = default;
};

std::vector<Found> Links(const std::u16string& line) {
    std::vector<Found> found;
    for (const LinkSpan& span : FindLinksInLine(line)) {
        found.push_back({line.substr(span.start, span.length), span.kind});
    }
    return found;
}

void PrintTo(const Found& found, std::ostream* out) {
    *out << static_cast<int>(found.kind);
}

TEST(LinkRecognition, RealWorldLines) {
    struct Case {
        const char* line;
        std::vector<std::pair<const char*, LinkKind>> links;
    };
    const Case cases[] = {
        {"詳しくはhttps://example.jp/path?q=1&r=2#frag を見てください",
         {{"https://example.jp/path?q=1&r=2#frag", LinkKind::Url}}},
        {"公式サイト（https://www.example.com/ja/）です", {{"https://www.example.com/ja/", LinkKind::Url}}},
        {"(see http://example.com/a_b)", {{"http://example.com/a_b", LinkKind::Url}}},
        {"http://例え.jp", {}},
        {"HTTP://EXAMPLE.COM", {}},
        {"http:// example.com", {}},
        {"www.example.org/x. Next", {{"www.example.org/x.", LinkKind::Url}}},
        {"ftp://files.example.net/pub", {{"ftp://files.example.net/pub", LinkKind::Url}}},
        {"連絡先: taro.yamada@example.co.jp まで", {{"taro.yamada@example.co.jp", LinkKind::Mail}}},
        {"user@localhost", {}},
        {"a-b_c@mail-server.example", {{"a-b_c@mail-server.example", LinkKind::Mail}}},
        {"mailto:someone@example.com", {{"someone@example.com", LinkKind::Mail}}},
        {"ファイルはC:\\Program Files\\Tavrin\\readme.txt です",
         {{"C:\\Program Files\\Tavrin\\readme.txt です", LinkKind::File}}},
        {"\"C:\\Users\\taro\\My Documents\\日記.txt\" を開く",
         {{"C:\\Users\\taro\\My Documents\\日記.txt", LinkKind::File}}},
        {"写真は.\\data\\photo 1.jpg, 2.jpg", {{".\\data\\photo 1.jpg", LinkKind::File}}},
        {"..\\backup\\2024", {{"..\\backup\\2024", LinkKind::File}}},
        {"D:/music", {}},
        {"file:///C:/Users/写真/a.png 参照", {{"file:///C:/Users/写真/a.png", LinkKind::File}}},
        {"メモ: https://a.jp と b@c.jp と C:\\tmp",
         {{"https://a.jp", LinkKind::Url}, {"b@c.jp", LinkKind::Mail}, {"C:\\tmp", LinkKind::File}}},
        {"2024/03/10 と #日記 は選んだときだけ", {}},
    };
    for (const Case& c : cases) {
        std::vector<Found> expected;
        for (const auto& [text, kind] : c.links) {
            expected.push_back({U(text), kind});
        }
        EXPECT_EQ(Links(U(c.line)), expected) << c.line;
    }
}

TEST(LinkRecognition, LineScanEqualsClassifyingEveryPositionInTurn) {
    std::mt19937 random(11);
    const std::u16string alphabet = U("aZ09.-_@:/\\#wwwhttpsfile ftp:/.\\Cあ　\"|,");
    for (int round = 0; round < 3000; ++round) {
        std::u16string line;
        const int length = std::uniform_int_distribution<int>(0, round % 10 == 0 ? 700 : 60)(random);
        for (int i = 0; i < length; ++i) {
            line.push_back(
                alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)]);
        }
        std::vector<LinkSpan> expected;
        for (int pos = 0; pos < length;) {
            const LinkMatch match =
                ClassifyLink(std::u16string_view(line).substr(pos), std::min(256, length - pos));
            if (IsPointableLink(match.kind)) {
                expected.push_back({pos, match.length, match.kind});
                pos += match.length;
            } else {
                ++pos;
            }
        }
        ASSERT_EQ(FindLinksInLine(line), expected) << round;
    }
}

TEST(LinkRecognition, SelectedDatesAndHashTags) {
    const auto classify = [](const char* text) {
        const std::u16string u = U(text);
        return ClassifyLink(u, static_cast<int>(u.size()));
    };
    EXPECT_EQ(classify("2024/03/10"), (LinkMatch{LinkKind::Date, 10}));
    EXPECT_EQ(classify("2024/02/30"), (LinkMatch{LinkKind::Date, 10}));  // no range check here
    EXPECT_EQ(classify("2024/3/10"), (LinkMatch{}));
    EXPECT_EQ(classify("#日記"), (LinkMatch{LinkKind::HashTag, 3}));
    EXPECT_EQ(classify("#tag1 #tag2"), (LinkMatch{LinkKind::HashTag, 5}));
    EXPECT_EQ(classify("#abc　def"), (LinkMatch{LinkKind::HashTag, 4}));
    EXPECT_EQ(classify("#"), (LinkMatch{}));
    EXPECT_EQ(classify("# x"), (LinkMatch{}));
    EXPECT_EQ(classify("file:"), (LinkMatch{LinkKind::File, 5}));
    EXPECT_EQ(classify("日記"), (LinkMatch{}));
    // The limit n is honoured: the mail address's "@" must lie before n - 2.
    EXPECT_EQ(ClassifyLink(u"a@b.c", 5), (LinkMatch{LinkKind::Mail, 5}));
    EXPECT_EQ(ClassifyLink(u"a@b.c", 3), (LinkMatch{}));
    EXPECT_EQ(ClassifyLink(u"https://x.jp", 8), (LinkMatch{}));
    EXPECT_EQ(ClassifyLink(u"https://x.jp", 9), (LinkMatch{LinkKind::Url, 9}));
    EXPECT_EQ(ClassifyLink(u"", 10), (LinkMatch{}));
    EXPECT_EQ(ClassifyLink(u"x", -1), (LinkMatch{}));
}

TEST(CharacterClasses, TableAndWordsOfOneClass) {
    EXPECT_EQ(CharClass(u'\n'), 1);
    EXPECT_EQ(CharClass(u'\t'), 2);
    EXPECT_EQ(CharClass(u' '), 3);
    EXPECT_EQ(CharClass(u'_'), 4);
    EXPECT_EQ(CharClass(0xFF76), 5);
    EXPECT_EQ(CharClass(u'-'), 6);
    EXPECT_EQ(CharClass(0x3000), 11);
    EXPECT_EQ(CharClass(0xFF3F), 12);
    EXPECT_EQ(CharClass(0x3042), 14);
    EXPECT_EQ(CharClass(0x30FC), 15);
    EXPECT_EQ(CharClass(0x03B1), 16);
    EXPECT_EQ(CharClass(0x0416), 17);
    EXPECT_EQ(CharClass(0x6F22), 19);
    EXPECT_EQ(CharClass(0x3002), 20);

    const std::u16string text = U("漢字かなカナー abc_12 ｶﾅ\nnext");
    EXPECT_EQ(WordAt(text, 0), (TextRange{0, 2}));
    EXPECT_EQ(WordAt(text, 2), (TextRange{2, 4}));
    EXPECT_EQ(WordAt(text, 5), (TextRange{4, 7}));  // katakana with the prolonged sound mark
    EXPECT_EQ(WordAt(text, 9), (TextRange{8, 14}));
    EXPECT_EQ(WordAt(text, 16), (TextRange{15, 17}));
    EXPECT_EQ(WordAt(text, 17), (TextRange{17, 17}));  // at the LF: empty
    EXPECT_EQ(WordAt(text, 18), (TextRange{18, 22}));
    EXPECT_EQ(WordAt(text, 99), (TextRange{22, 22}));
    EXPECT_EQ(WordAt(text, -4), (TextRange{0, 2}));
}

}  // namespace
}  // namespace tavrin
