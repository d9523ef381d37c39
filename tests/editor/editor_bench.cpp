// Layout and typing costs of the editor core for entries of 1,000, 10,000 and 100,000 characters,
// measured with a measurer that behaves like a real font: each first measurement of a character
// costs about a microsecond (a text-extent call), later ones come from the editor's caches.
#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <string>

#include "editor/edit_state.h"

namespace tavrin {
namespace {

class RealisticMeasurer final : public TextMeasurer {
public:
    FontSlotMetrics OpenFont(int slot, const FontRequest& request) override {
        static_cast<void>(slot);
        const int height = std::max(1, request.points) * 4 / 3 + 6;
        return {height, height * 4 / 5};
    }
    int MeasureText(int slot, std::u16string_view text) override {
        ++calls;
        // Stand-in for the system call a cache miss costs.
        const auto until = std::chrono::steady_clock::now() + std::chrono::nanoseconds(800);
        while (std::chrono::steady_clock::now() < until) {
        }
        int width = 0;
        for (char16_t c : text) {
            width += c < 0x80 ? 5 + (c * 7) % 8 : (c >= 0xFF61 && c <= 0xFF9F ? 9 : 15 + (c % 3));
        }
        return slot == 2 ? width * 3 / 2 : width;
    }
    long long calls = 0;
};

// Japanese prose: sentences of kanji and kana with commas and full stops, paragraphs of 80-400
// characters. Mixed text adds ASCII words, URLs, headings and picture lines.
std::u16string MakeEntry(int length, bool mixed, bool oneParagraph) {
    static constexpr std::u16string_view kKana =
        u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん";
    static constexpr std::u16string_view kKanji =
        u"日記今天気晴雨曇朝昼夜散歩公園友達会話仕事会議食事料理読書映画音楽旅行";
    static constexpr std::u16string_view kWords[] = {u"meeting", u"Tavrin", u"2024", u"OK", u"test", u"C++"};
    std::mt19937 random(42);
    const auto pick = [&](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); };
    std::u16string text;
    int paragraph = 0;
    int paragraphLength = 80 + pick(320);
    while (static_cast<int>(text.size()) < length) {
        if (mixed && paragraph == 0 && pick(8) == 0) {
            text += pick(2) == 0 ? u"*見出しの行\n" : u"[[20240310_0001.jpg]]\n";
        }
        const int kind = pick(20);
        if (kind < 8) {
            text.push_back(kKanji[pick(static_cast<int>(kKanji.size()))]);
        } else if (kind < 17) {
            text.push_back(kKana[pick(static_cast<int>(kKana.size()))]);
        } else if (kind == 17) {
            text += pick(3) == 0 ? u"。" : u"、";
        } else if (mixed && kind == 18) {
            text += u" ";
            text += kWords[pick(6)];
            text += u" ";
        } else if (mixed && kind == 19 && pick(10) == 0) {
            text += u" https://example.jp/diary/page?id=42 ";
        } else {
            text += u"の";
        }
        if (!oneParagraph && ++paragraph >= paragraphLength) {
            text += u"。\n";
            paragraph = 0;
            paragraphLength = 80 + pick(320);
        }
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

struct Bench {
    explicit Bench(const std::u16string& text) : editor(measurer, nullptr, nullptr) {
        editor.Resize(800, 600);
        editor.SetText(text);
    }
    RealisticMeasurer measurer;
    EditState editor;
};

void FullLayout(benchmark::State& state, bool mixed, bool oneParagraph) {
    Bench bench(MakeEntry(static_cast<int>(state.range(0)), mixed, oneParagraph));
    for (auto _ : state) {
        bench.editor.Resize(800, 600);  // a full pass, as after a resize or a style change
        benchmark::DoNotOptimize(bench.editor.ContentHeight());
    }
    state.counters["rows"] = bench.editor.RowCount();
    state.counters["measured"] = static_cast<double>(bench.measurer.calls);
}

// One typed character in the middle of the entry: insertion, relayout of what changed, caret
// into view. Every 100 characters the typed text is deleted again outside the timing.
void TypeOneCharacter(benchmark::State& state, bool mixed, bool oneParagraph) {
    Bench bench(MakeEntry(static_cast<int>(state.range(0)), mixed, oneParagraph));
    const int at = bench.editor.Length() / 2;
    bench.editor.SetSel(at, at);
    int typed = 0;
    for (auto _ : state) {
        bench.editor.Char(typed % 2 == 0 ? u'あ' : u'a', false, false);
        if (++typed == 100) {
            state.PauseTiming();
            bench.editor.SetSel(at, at + typed);
            bench.editor.Backspace(false);
            typed = 0;
            state.ResumeTiming();
        }
    }
}

// A first-time layout with empty caches: what a style change costs before the caches fill.
void ColdLayout(benchmark::State& state) {
    const std::u16string text = MakeEntry(static_cast<int>(state.range(0)), true, false);
    for (auto _ : state) {
        Bench bench(text);
        benchmark::DoNotOptimize(bench.editor.ContentHeight());
    }
}

// Clicking into the entry and moving the caret down a row.
void ClickAndMove(benchmark::State& state) {
    Bench bench(MakeEntry(static_cast<int>(state.range(0)), false, false));
    bench.editor.SetSel(bench.editor.Length() / 2, bench.editor.Length() / 2);
    for (auto _ : state) {
        bench.editor.LButtonDown(300, 300, false, false);
        bench.editor.LButtonUp(300, 300);
        bench.editor.MoveDown(false);
    }
}

BENCHMARK_CAPTURE(FullLayout, japanese, false, false)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FullLayout, mixed, true, false)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FullLayout, one_paragraph, false, true)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypeOneCharacter, japanese, false, false)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypeOneCharacter, mixed, true, false)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypeOneCharacter, one_paragraph, false, true)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ColdLayout)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ClickAndMove)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrin
