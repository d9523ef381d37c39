#include "diarygen/diary_generator.h"

#include <algorithm>
#include <array>
#include <string_view>

#include <span>
#include "calendar/calendar_rules.h"
#include "platform/text.h"

namespace tavrin::diarygen {
namespace {

// splitmix64: small, fast and the same everywhere.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to bound - 1.
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
    bool Percent(int percent) { return Below(100) < percent; }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }

  private:
    std::uint64_t state_;
};

constexpr std::array<std::u16string_view, 12> kOpenings{
    u"今日は",     u"朝から",     u"昼休みに", u"夕方",       u"夜になって", u"久しぶりに",
    u"週末なので", u"仕事帰りに", u"雨の中",   u"早起きして", u"のんびりと", u"思い立って",
};
constexpr std::array<std::u16string_view, 12> kPlaces{
    u"駅前のカフェで", u"図書館で",     u"友人と", u"家族と",     u"ひとりで",       u"会社で",
    u"公園を散歩して", u"近所の本屋で", u"実家で", u"電車の中で", u"川沿いを歩いて", u"商店街で",
};
constexpr std::array<std::u16string_view, 14> kEndings{
    u"コーヒーを飲んだ。", u"本を読んだ。",           u"映画を観た。",           u"仕事が忙しかった。",
    u"雨が降っていた。",   u"のんびり過ごした。",     u"新しいレシピを試した。", u"写真をたくさん撮った。",
    u"少し疲れた。",       u"いい一日だった。",       u"昔の友人に会った。",     u"部屋を片付けた。",
    u"明日の準備をした。", u"夕焼けがきれいだった。",
};
constexpr std::array<std::u16string_view, 12> kEnglish{
    u"Went for a long walk in the park.",
    u"Finished the quarterly report at last.",
    u"Called mom in the evening.",
    u"The new coffee place downtown is great.",
    u"Read two chapters before bed.",
    u"Tried to fix the bike, gave up.",
    u"Meeting ran late again.",
    u"Bought groceries and cooked curry.",
    u"Rain all day, stayed in.",
    u"Watched an old movie with friends.",
    u"Spent the afternoon on the garden.",
    u"Noted a few ideas for the weekend trip.",
};
constexpr std::array<std::u16string_view, 10> kHeadings{
    u"*買い物", u"*仕事", u"*旅行の計画", u"*Reading notes", u"*読書メモ",
    u"*健康",   u"*料理", u"*To do",      u"*映画",          u"*散歩",
};
constexpr std::array<std::u16string_view, 8> kLinks{
    u"https://www.example.com/blog/entry?id=",
    u"http://example.org/photos/",
    u"taro.yamada@example.jp",
    u"hanako@example.com",
    u"C:\\Users\\Public\\Documents\\memo.txt",
    u"\\\\nas\\share\\photos\\trip.jpg",
    u"#旅行",
    u"#diary",
};
// Body lines that start with a digit: stored behind their TAB, they must never read as headers.
constexpr std::array<std::u16string_view, 4> kDigitLines{
    u"7時に起床。",
    u"3 items left on the list.",
    u"2024/01/01 と書かれたメモを見つけた。",
    u"10km走った。",
};

void AppendNumber(std::u16string& out, int value, int digits) {
    AppendDecimal(out, value, digits);
}

std::u16string DateText(const DiaryDate& date, bool padded) {
    std::u16string text;
    AppendNumber(text, date.year, padded ? 4 : 0);
    text.push_back(u'/');
    AppendNumber(text, date.month, padded ? 2 : 0);
    text.push_back(u'/');
    AppendNumber(text, date.day, padded ? 2 : 0);
    return text;
}

std::u16string Sentence(Random& random) {
    if (random.Percent(25)) {
        return std::u16string(random.Pick(kEnglish));
    }
    std::u16string sentence(random.Pick(kOpenings));
    sentence += random.Pick(kPlaces);
    sentence += random.Pick(kEndings);
    return sentence;
}

std::u16string LinkText(Random& random, const DiaryDate& date) {
    if (random.Percent(20)) {
        return DateText(AddDays(date, -1 - random.Below(400)), true);
    }
    std::u16string link(random.Pick(kLinks));
    if (link.back() == u'=' || link.back() == u'/') {
        AppendNumber(link, random.Below(100000), 0);
    }
    return link;
}

std::u16string Paragraph(Random& random, const DiaryDate& date) {
    std::u16string line;
    const int sentences = 1 + random.Below(4);
    for (int i = 0; i < sentences; ++i) {
        line += Sentence(random);
    }
    if (random.Percent(12)) {
        line += u" ";
        line += LinkText(random, date);
        line += u" ";
    }
    return line;
}

std::u16string ObjectLine(const DiaryDate& date, int number) {
    std::u16string line = u"[[";
    AppendNumber(line, date.year, 4);
    AppendNumber(line, date.month, 2);
    AppendNumber(line, date.day, 2);
    line += u"_";
    AppendNumber(line, number, 4);
    line += u".jpg]]";
    return line;
}

// The editor text of one day's entry.
std::u16string EntryText(Random& random, const DiaryDate& date) {
    std::vector<std::u16string> lines;
    if (random.Percent(40)) {
        lines.emplace_back(random.Pick(kHeadings));
    }
    const bool longEntry = random.Percent(1);
    const int paragraphs = longEntry ? 40 + random.Below(60) : 2 + random.Below(8);
    for (int i = 0; i < paragraphs; ++i) {
        if (i > 0 && random.Percent(30)) {
            lines.emplace_back();
        }
        lines.push_back(random.Percent(5) ? std::u16string(random.Pick(kDigitLines))
                                          : Paragraph(random, date));
    }
    if (random.Percent(10)) {
        lines.push_back(ObjectLine(date, 1));
    }
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += u'\n';
        }
        text += lines[i];
    }
    if (random.Percent(3)) {
        text += u'\n';  // a text that ends with a line break
    }
    return text;
}

// How one month file deviates from what the program writes.
enum class Oddity {
    kNone,
    kNoByteOrderMark,
    kUnpaddedDates,
    kLoneLf,
    kTextBeforeFirstHeader,
    kOnlyMark,
    kNoFile
};

Oddity OddityOf(const GeneratorOptions& options, int year, int month) {
    if (!options.oddities || year != options.lastYear - options.years + 1) {
        return Oddity::kNone;
    }
    switch (month) {
        case 3:
            return Oddity::kNoByteOrderMark;
        case 5:
            return Oddity::kUnpaddedDates;
        case 7:
            return Oddity::kLoneLf;
        case 9:
            return Oddity::kTextBeforeFirstHeader;
        case 11:
            return Oddity::kOnlyMark;
        case 12:
            return Oddity::kNoFile;
        default:
            return Oddity::kNone;
    }
}

constexpr std::u16string_view kHandNote = u"メモ：この月は手で書き直した\n（見出しの前の行）";

std::vector<std::byte> Encode(std::u16string_view text, bool mark) {
    std::vector<std::byte> bytes;
    bytes.reserve(text.size() * 2 + 2);
    if (mark) {
        bytes.push_back(std::byte{0xFF});
        bytes.push_back(std::byte{0xFE});
    }
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::byte>(c & 0xFF));
        bytes.push_back(static_cast<std::byte>(c >> 8));
    }
    return bytes;
}

// The stored form of a month: header, TAB-prefixed body lines, an empty line between entries.
std::u16string MonthText(const std::map<DiaryDate, std::u16string>& entries, int year, int month,
                         Oddity oddity) {
    std::u16string text;
    if (oddity == Oddity::kTextBeforeFirstHeader) {
        for (const char16_t c : kHandNote) {
            text += c == u'\n' ? std::u16string_view(u"\r\n") : std::u16string_view(&c, 1);
        }
        text += u"\r\n";
    }
    bool first = true;
    for (auto it = entries.lower_bound({year, month, 1});
         it != entries.end() && it->first.month == month && it->first.year == year; ++it) {
        if (oddity == Oddity::kTextBeforeFirstHeader && it->first.day == 1) {
            continue;  // the note before the first header is the 1st's entry
        }
        if (!first) {
            text += u"\r\n";
        }
        first = false;
        text += DateText(it->first, oddity != Oddity::kUnpaddedDates);
        if (oddity == Oddity::kUnpaddedDates && it->first.day % 2 == 0) {
            text += u" 晴れ";  // a note after the date on the header line
        }
        text += u"\r\n\t";
        for (const char16_t c : it->second) {
            text += c == u'\n' ? std::u16string_view(u"\r\n\t") : std::u16string_view(&c, 1);
        }
        text += u"\r\n";
    }
    if (oddity == Oddity::kLoneLf) {
        std::u16string lf;
        lf.reserve(text.size());
        for (const char16_t c : text) {
            if (c != u'\r') {
                lf += c;
            }
        }
        text = std::move(lf);
    }
    return text;
}

}  // namespace

std::size_t GeneratedDiary::TotalBytes() const {
    std::size_t total = 0;
    for (const GeneratedFile& file : files) {
        total += file.bytes.size();
    }
    return total;
}

GeneratedDiary GenerateDiary(const GeneratorOptions& options) {
    GeneratedDiary diary;
    Random random(options.seed);
    const int firstYear = std::max(1, options.lastYear - options.years + 1);
    for (int year = firstYear; year <= options.lastYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const Oddity oddity = OddityOf(options, year, month);
            if (oddity == Oddity::kNoFile) {
                continue;
            }
            if (oddity != Oddity::kOnlyMark) {
                for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                    if (random.Percent(options.entryPercent)) {
                        diary.entries[{year, month, day}] = EntryText(random, {year, month, day});
                    }
                }
            }
            if (oddity == Oddity::kTextBeforeFirstHeader) {
                diary.entries[{year, month, 1}] = std::u16string(kHandNote);
            }
            const std::u16string text = MonthText(diary.entries, year, month, oddity);
            diary.files.push_back({year, month, Encode(text, oddity != Oddity::kNoByteOrderMark)});
        }
    }
    return diary;
}

bool WriteDiary(const GeneratedDiary& diary, FileSystem& fs, const std::filesystem::path& diaryFolder) {
    std::filesystem::path partial;
    for (const std::filesystem::path& part : diaryFolder) {
        partial /= part;
        if (!partial.empty() && !fs.IsFolder(partial) && !fs.CreateFolder(partial)) {
            return false;
        }
    }
    for (const GeneratedFile& file : diary.files) {
        std::u16string name;
        AppendNumber(name, file.year, 4);
        AppendNumber(name, file.month, 2);
        name += u".txt";
        const std::array<std::span<const std::byte>, 1> pieces{file.bytes};
        if (!WriteFileAtomically(fs, diaryFolder / std::filesystem::path(name), pieces).ok()) {
            return false;
        }
    }
    return true;
}

}  // namespace tavrin::diarygen
