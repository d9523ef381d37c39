#include "templates/template_expander.h"

#include <algorithm>
#include <array>
#include <climits>
#include <new>

#include "calendar/calendar_rules.h"
#include "platform/text.h"
#include "templates/template_codes.h"

namespace tavrin {
namespace {

constexpr std::array<std::u16string_view, 12> kMonthShort{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                          u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr std::array<std::u16string_view, 12> kMonthLong{u"January",   u"February", u"March",    u"April",
                                                         u"May",       u"June",     u"July",     u"August",
                                                         u"September", u"October",  u"November", u"December"};
constexpr std::array<std::u16string_view, 7> kWeekdayShort{u"Sun", u"Mon", u"Tue", u"Wed",
                                                           u"Thu", u"Fri", u"Sat"};
constexpr std::array<std::u16string_view, 7> kWeekdayLong{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                          u"Thursday", u"Friday", u"Saturday"};

template <std::size_t N>
std::u16string_view NameAt(const std::array<std::u16string_view, N>& names, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? names[static_cast<std::size_t>(index)]
                                                             : std::u16string_view{};
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// What the first pass learns: the reserved output size and how often each fetching kind occurs.
struct Sizing {
    std::int64_t size = 0;
    int era = 0;
    int selection = 0;
    int clipboard = 0;
};

Sizing SizeTemplate(std::u16string_view text) {
    Sizing sizing;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'$') {
            ++sizing.size;
            continue;
        }
        if (i + 1 == text.size()) {
            ++sizing.size;  // a final lone "$" is written as it stands
            break;
        }
        const TemplateCode* code = FindTemplateCode(text[++i]);
        if (!code) {
            sizing.size += 2;
            continue;
        }
        sizing.size += code->width;
        sizing.era += code->kind == TemplateCodeKind::kEra ? 1 : 0;
        sizing.selection += code->kind == TemplateCodeKind::kSelection ? 1 : 0;
        sizing.clipboard += code->kind == TemplateCodeKind::kClipboard ? 1 : 0;
    }
    return sizing;
}

// Everything the codes print, fetched before writing.
struct CodeValues {
    LocalDateTime now;
    int weekday = 0;
    EraYear era;
    int branch = 0;
    DiaryDate selectedDate;
    std::u16string diaryName;
    std::u16string exeFolder;
    std::u16string backImagePath;
    std::u16string selection;
    std::u16string clipboard;
};

// The output with its budget: nothing written ever goes past the reserved size, and a cut never
// leaves half of a surrogate pair behind.
class Output {
public:
    explicit Output(std::int64_t budget) : budget_(static_cast<std::size_t>(budget)) {
        text_.reserve(budget_);
    }

    void Put(std::u16string_view piece) {
        const std::size_t room = budget_ - text_.size();
        if (piece.size() > room) {
            std::size_t cut = room;
            if (cut > 0 && IsHighSurrogate(piece[cut - 1])) {
                --cut;
            }
            piece = piece.substr(0, cut);
        }
        text_.append(piece);
    }
    void Put(char16_t c) { Put(std::u16string_view(&c, 1)); }
    void Number(long long value, int minDigits = 0) {
        scratch_.clear();
        AppendDecimal(scratch_, value, minDigits);
        Put(scratch_);
    }
    [[nodiscard]] std::size_t Offset() const noexcept { return text_.size(); }
    [[nodiscard]] std::u16string& Text() noexcept { return text_; }

private:
    std::size_t budget_;
    std::u16string text_;
    std::u16string scratch_;
};

void PutDate(Output& out, const LocalDateTime& now, std::u16string_view separator) {
    out.Number(now.year);
    out.Put(separator);
    out.Number(now.month, 2);
    out.Put(separator);
    out.Number(now.day, 2);
}

void PutTime(Output& out, const LocalDateTime& now) {
    out.Number(now.hour, 2);
    out.Put(u':');
    out.Number(now.minute, 2);
}

// "%d月%d日"
void PutMonthDay(Output& out, int month, int day) {
    out.Number(month);
    out.Put(u"月");
    out.Number(day);
    out.Put(u"日");
}

[[nodiscard]] int TwelveHour(int hour) { return hour >= 12 ? hour - 12 : hour; }

// Era name and letter; a date before the first era has neither.
std::u16string_view EraNameOf(const EraYear& era) {
    return era.era > 0 ? EraName(era.era) : std::u16string_view{};
}

std::u16string_view EraLetterOf(const EraYear& era) {
    static constexpr std::array<std::u16string_view, 6> kLetters{u"", u"M", u"T", u"S", u"H", u"R"};
    return NameAt(kLetters, era.era);
}

// Codes that print one number: the value and its "%0Nd" width.
struct NumberCode {
    char16_t code;
    long long (*value)(const CodeValues&);
    int digits;
};

constexpr std::array<NumberCode, 19> kNumberCodes{{
    {u'Y', [](const CodeValues& v) -> long long { return v.now.year; }, 0},
    // The last two digits of the year (the year minus 2000 in this century).
    {u'y', [](const CodeValues& v) -> long long { return ((v.now.year % 100) + 100) % 100; }, 2},
    {u'm', [](const CodeValues& v) -> long long { return v.now.month; }, 0},
    {u'M', [](const CodeValues& v) -> long long { return v.now.month; }, 2},
    {u'd', [](const CodeValues& v) -> long long { return v.now.day; }, 0},
    {u'D', [](const CodeValues& v) -> long long { return v.now.day; }, 2},
    {u'j', [](const CodeValues& v) -> long long { return v.era.year; }, 0},
    {u'J', [](const CodeValues& v) -> long long { return v.era.year; }, 2},
    {u'g', [](const CodeValues& v) -> long long { return TwelveHour(v.now.hour); }, 0},
    {u'G', [](const CodeValues& v) -> long long { return TwelveHour(v.now.hour); }, 2},
    {u'h', [](const CodeValues& v) -> long long { return v.now.hour; }, 0},
    {u'H', [](const CodeValues& v) -> long long { return v.now.hour; }, 2},
    {u'i', [](const CodeValues& v) -> long long { return v.now.minute; }, 0},
    {u'I', [](const CodeValues& v) -> long long { return v.now.minute; }, 2},
    {u's', [](const CodeValues& v) -> long long { return v.now.second; }, 0},
    {u'S', [](const CodeValues& v) -> long long { return v.now.second; }, 2},
    {u'K', [](const CodeValues& v) -> long long { return v.selectedDate.year; }, 4},
    {u'O', [](const CodeValues& v) -> long long { return v.selectedDate.month; }, 2},
    {u'Q', [](const CodeValues& v) -> long long { return v.selectedDate.day; }, 2},
}};

// Codes that print one text.
struct TextCode {
    char16_t code;
    std::u16string_view (*text)(const CodeValues&);
};

constexpr std::array<TextCode, 17> kTextCodes{{
    {u'f', [](const CodeValues& v) { return NameAt(kMonthShort, v.now.month - 1); }},
    {u'F', [](const CodeValues& v) { return NameAt(kMonthLong, v.now.month - 1); }},
    {u'w', [](const CodeValues& v) { return NameAt(kWeekdayShort, v.weekday); }},
    {u'W', [](const CodeValues& v) { return NameAt(kWeekdayLong, v.weekday); }},
    {u'a', [](const CodeValues& v) { return WeekdayName(v.weekday); }},
    {u'e', [](const CodeValues& v) { return EraNameOf(v.era); }},
    {u'E', [](const CodeValues& v) { return EraLetterOf(v.era); }},
    {u'A', [](const CodeValues& v) { return BranchName(v.branch); }},
    {u'p', [](const CodeValues& v) { return std::u16string_view(v.now.hour < 12 ? u"AM" : u"PM"); }},
    {u'P', [](const CodeValues& v) { return std::u16string_view(v.now.hour < 12 ? u"午前" : u"午後"); }},
    {u'@', [](const CodeValues& v) { return std::u16string_view(v.selection); }},
    {u'_', [](const CodeValues& v) { return std::u16string_view(v.clipboard); }},
    {u';', [](const CodeValues& v) { return std::u16string_view(v.diaryName); }},
    {u'#', [](const CodeValues& v) { return std::u16string_view(v.exeFolder); }},
    {u'%', [](const CodeValues& v) { return std::u16string_view(v.backImagePath); }},
    {u't', [](const CodeValues&) { return std::u16string_view(u"\t"); }},
    {u'n', [](const CodeValues&) { return std::u16string_view(u"\r\n"); }},
}};

// The codes that combine several values.
void PutCompositeCode(Output& out, char16_t code, const CodeValues& v) {
    const LocalDateTime& now = v.now;
    if (code == u'1' || code == u'3') {
        PutDate(out, now, u"/");
        if (code == u'3') {
            out.Put(u' ');
            PutTime(out, now);
        }
    } else if (code == u'2') {
        PutTime(out, now);
    } else if (code == u'4' || code == u'5' || code == u'6') {
        out.Number(now.year);
        out.Put(u"年");
        PutMonthDay(out, now.month, now.day);
        if (code == u'5') {
            out.Put(u"（");
            out.Put(WeekdayName(v.weekday));
            out.Put(u"）");
        } else if (code == u'6') {
            out.Put(now.hour < 12 ? u" 午前" : u" 午後");
            out.Number(TwelveHour(now.hour));
            out.Put(u"時");
            out.Number(now.minute);
            out.Put(u"分");
        }
    } else if (code == u'7') {
        out.Put(EraNameOf(v.era));
        if (v.era.year == 1) {
            out.Put(u"元年");
        } else {
            out.Number(v.era.year);
            out.Put(u"年");
        }
        PutMonthDay(out, now.month, now.day);
    } else if (code == u'8') {
        out.Put(EraLetterOf(v.era));
        out.Number(v.era.year);
        out.Put(u'.');
        out.Number(now.month);
        out.Put(u'.');
        out.Number(now.day);
    } else if (code == u'9') {
        out.Put(NameAt(kMonthLong, now.month - 1));
        out.Put(u' ');
        out.Number(now.day);
        out.Put(u' ');
        out.Number(now.year);
    }
}

void PutCode(Output& out, char16_t code, const CodeValues& v) {
    for (const NumberCode& row : kNumberCodes) {
        if (row.code == code) {
            out.Number(row.value(v), row.digits);
            return;
        }
    }
    for (const TextCode& row : kTextCodes) {
        if (row.code == code) {
            out.Put(row.text(v));
            return;
        }
    }
    if (code == u'$') {
        out.Put(u'$');
        return;
    }
    PutCompositeCode(out, code, v);
}

// Where the markers were written, as offsets into the output.
struct Marks {
    std::optional<std::size_t> caret;
    std::optional<std::size_t> anchor;
    std::optional<std::size_t> end;
};

void WriteTemplate(std::u16string_view text, const CodeValues& values, Output& out, Marks& marks) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'$') {
            out.Put(text[i]);
            continue;
        }
        if (i + 1 == text.size()) {
            out.Put(u'$');
            break;
        }
        const char16_t code = text[++i];
        if (!FindTemplateCode(code)) {
            out.Put(u'$');
            out.Put(code);
        } else if (code == u'!') {
            marks.caret = out.Offset();
        } else if (code == u'{') {
            marks.anchor = out.Offset();
        } else if (code == u'}') {
            marks.end = out.Offset();
        } else {
            PutCode(out, code, values);
        }
    }
}

// The offset the editor will give a position of the output: it stores every CR LF as one LF.
std::int64_t EditorOffset(std::u16string_view text, std::size_t raw) {
    std::int64_t offset = static_cast<std::int64_t>(raw);
    for (std::size_t i = 1; i < raw; ++i) {
        if (text[i] == u'\n' && text[i - 1] == u'\r') {
            --offset;
        }
    }
    return offset;
}

int Position(std::int64_t base, std::u16string_view text, std::size_t raw) {
    return static_cast<int>(std::min<std::int64_t>(base + EditorOffset(text, raw), INT_MAX));
}

std::optional<TemplateSelection> SelectionOf(const Marks& marks, std::int64_t base,
                                             std::u16string_view text) {
    if (marks.caret) {
        const int caret = Position(base, text, *marks.caret);
        return TemplateSelection{caret, caret};
    }
    if (marks.anchor) {
        return TemplateSelection{Position(base, text, *marks.anchor),
                                 Position(base, text, marks.end.value_or(*marks.anchor))};
    }
    if (marks.end) {
        return TemplateSelection{Position(base, text, 0), Position(base, text, *marks.end)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<TemplateExpansion> ExpandTemplate(std::u16string_view text, TemplateContext& context) {
    text = text.substr(0, std::min(text.size(), text.find(u'\0')));
    const Sizing sizing = SizeTemplate(text);

    CodeValues values;
    values.now = context.Now();
    values.weekday = Weekday(values.now.year, values.now.month, values.now.day);
    values.selectedDate = context.SelectedDate();
    values.diaryName = context.DiaryFolderName();
    values.exeFolder = context.ExeFolder();
    values.backImagePath = context.BackImagePath();
    std::int64_t base = context.CalendarMode() ? 0 : std::max(context.Editor().SelectionStart(), 0);
    if (sizing.era > 0) {
        values.era = EraOf(values.now.year, values.now.month, values.now.day);
        values.branch = BranchOf(values.now.year);
    }
    std::int64_t size = sizing.size;
    if (sizing.selection > 0) {
        EditorSelection selection = context.Editor().SelectionOrWordAtCaret();
        if (!selection.text.empty()) {
            size += static_cast<std::int64_t>(selection.text.size()) * sizing.selection;
            base = std::max(selection.start, 0);
            values.selection = std::move(selection.text);
        }
    }
    if (sizing.clipboard > 0) {
        std::optional<std::u16string> clipboard = context.Clipboard().UnicodeText();
        if (clipboard) {
            values.clipboard = std::move(*clipboard);
            size += static_cast<std::int64_t>(values.clipboard.size()) * sizing.clipboard;
        }
    }
    if (size > kMaxTemplateExpansion) {
        return std::nullopt;
    }
    try {
        Output out(size);
        Marks marks;
        WriteTemplate(text, values, out, marks);
        TemplateExpansion expansion;
        expansion.selection = SelectionOf(marks, base, out.Text());
        expansion.base = static_cast<int>(std::min<std::int64_t>(base, INT_MAX));
        expansion.text = std::move(out.Text());
        return expansion;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace tavrin
