#include "search/unit_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "search/month_search.h"
#include "search/search_reference.h"

namespace tavrin {
namespace {

using namespace std::string_literals;

// Every form this build and processor can run; the portable one always.
std::vector<ScanPath> RunnablePaths() {
    std::vector<ScanPath> paths;
    for (const ScanPath path : {ScanPath::kPortable, ScanPath::kSse2, ScanPath::kAvx2}) {
        if (CanScanBy(path)) {
            paths.push_back(path);
        }
    }
    return paths;
}

// Texts of the units the scans look at, one in `rarity` of them a special unit (line breaks in pairs
// and alone, TABs, NULs, the looked-for units and units that differ from them in one byte), the rest
// plain text, so that the first stop lies anywhere in the scans' blocks.
std::u16string RandomUnits(std::mt19937& random, std::size_t length, unsigned rarity) {
    static const std::u16string kSpecial = u"\r\n\t\0abAB\u0d0a\u0a0d\u3042\u30b3\uffff"s;
    static const std::u16string kPlain = u"x\u3044\u65e5\u0100";
    std::u16string text;
    while (text.size() < length) {
        if (random() % rarity != 0) {
            text.push_back(kPlain[random() % kPlain.size()]);
        } else if (random() % 3 == 0) {
            text += u"\r\n\t";
        } else {
            text.push_back(kSpecial[random() % kSpecial.size()]);
        }
    }
    text.resize(length);
    return text;
}

TEST(UnitScans, EveryFormAgreesWithTheDefinitionAtEveryOffset) {
    const std::vector<ScanPath> paths = RunnablePaths();
    std::mt19937 random(17);
    for (int round = 0; round < 800; ++round) {
        // Each text fills its buffer exactly, so that reading past it is an error the sanitizers see.
        const std::u16string generated = RandomUnits(random, random() % 200, 1 + round % 50);
        const std::vector<char16_t> text(generated.begin(), generated.end());
        const std::u16string_view view(text.data(), text.size());
        const char16_t a = round % 3 == 0 ? u'\u30b3' : u'a';
        const char16_t b = round % 2 == 0 ? a : u'A';
        for (std::size_t from = 0; from <= text.size(); from += 1 + random() % 5) {
            const std::size_t end = from + random() % (text.size() - from + 1);
            for (const ScanPath path : paths) {
                SCOPED_TRACE(static_cast<int>(path));
                ASSERT_EQ(FindEitherUnitBy(path, text.data(), from, end, a, b),
                          testing::ReferenceFindEitherUnit(view, from, end, a, b));
                ASSERT_EQ(FindLineEndOrNulBy(path, text.data(), from, end),
                          testing::ReferenceLineEndOrNul(view, from, end));
                for (const bool candidates : {false, true}) {
                    const auto [stop, at] = testing::ReferenceBodyStop(view, from, candidates, a, b);
                    ASSERT_EQ(ScanBodyLinesBy(path, text.data(), from, text.size(), candidates, a, b),
                              (BodyScanStop{static_cast<BodyStop>(stop), at}));
                }
            }
        }
    }
}

TEST(UnitScans, FastestFormIsRunnable) {
    EXPECT_TRUE(CanScanBy(ScanPath::kPortable));
    EXPECT_TRUE(CanScanBy(FastestScanPath()));
    // A form the processor lacks is not claimed, and asking for it runs a slower one.
    if (!CanScanBy(ScanPath::kAvx2)) {
        EXPECT_NE(FastestScanPath(), ScanPath::kAvx2);
    }
}

// Month texts as the program writes them, with long body lines, the word here and there and a few
// irregular lines, searched with each form of the scans: the same entries and hits as the portable
// form.
std::u16string RandomWrittenMonth(std::mt19937& random) {
    static const std::vector<std::u16string> kWords{u"コーヒー", u"散歩", u"walk", u"Walk", u"コ",
                                                    u"ー",       u"日記", u"。",   u" ",    u"a"};
    std::u16string text;
    for (int day = 1; day <= 31; ++day) {
        if (random() % 4 == 0) {
            continue;
        }
        if (!text.empty()) {
            text += random() % 10 == 0 ? u"\r\n\r\n" : u"\r\n";
        }
        text += u"2024/03/";
        text.push_back(static_cast<char16_t>(u'0' + day / 10));
        text.push_back(static_cast<char16_t>(u'0' + day % 10));
        const int lines = 1 + static_cast<int>(random() % 6);
        for (int line = 0; line < lines; ++line) {
            text += random() % 15 == 0 ? u"\r\n" : u"\r\n\t";
            const int words = static_cast<int>(random() % 30);
            for (int word = 0; word < words; ++word) {
                text += kWords[random() % kWords.size()];
            }
        }
        if (random() % 40 == 0) {
            text += random() % 2 == 0 ? u"\n" : u"\r";  // a lone line break: the slow path
        }
        text += u"\r\n";
    }
    return text;
}

TEST(MonthFileSearcher, EveryScanFormFindsWhatThePortableOneFinds) {
    const std::vector<std::u16string> words{u"コーヒー", u"walk", u"コ", u"日記。", u"a", u"\r\n\tWalk"};
    const std::vector<ScanPath> paths = RunnablePaths();
    std::mt19937 random(23);
    int hitCount = 0;
    for (int round = 0; round < 80; ++round) {
        const std::u16string text = RandomWrittenMonth(random);
        MonthTable expectedTable{};
        const bool expectedScan = ScanCrLfMonthText(text, 2024, 3, expectedTable, ScanPath::kPortable);
        for (const std::u16string& word : words) {
            for (const bool matchCase : {false, true}) {
                const SearchPattern pattern(word, matchCase, round % 2 == 0);
                std::vector<SearchHit> expected;
                MonthFileSearcher(ScanPath::kPortable).Search(text, 2024, 3, pattern, expected);
                hitCount += static_cast<int>(expected.size());
                for (const ScanPath path : paths) {
                    std::vector<SearchHit> hits;
                    MonthFileSearcher(path).Search(text, 2024, 3, pattern, hits);
                    ASSERT_EQ(hits, expected) << static_cast<int>(path) << " round " << round;
                }
            }
        }
        for (const ScanPath path : paths) {
            MonthTable table{};
            ASSERT_EQ(ScanCrLfMonthText(text, 2024, 3, table, path), expectedScan);
            if (expectedScan) {
                ASSERT_EQ(table, expectedTable);
            }
        }
    }
    EXPECT_GT(hitCount, 1000) << "the texts must hold the words";
}

}  // namespace
}  // namespace tavrin
