// editor_typing_bench.exe: how long one typed character takes in the real editor window, from WM_CHAR
// to the end of the repaint, for a short and a long entry.
//   editor_typing_bench [--keys N] [--size WxH] [--lengths A,B,...]
// For each entry length (default 1000 and 100000 characters) a generated Japanese diary text is
// loaded, the caret is put in its middle and N characters (default 1000, at least 500) are typed,
// every 40th an Enter. Each keystroke is timed from sending WM_CHAR through UpdateWindow (the
// WM_PAINT that renders the off-screen surface and copies it to the window) and GdiFlush. Prints
// the median, the 99th percentile and the maximum in milliseconds. Speed is measured here, never
// asserted by a test.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "editor/editor_window_messages.h"
#include "host_support_win.h"

namespace {

using namespace tavrin;

struct Options {
    int keys = 1000;
    int width = 800;
    int height = 600;
    std::vector<int> lengths = {1000, 100000};
};

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--keys") {
            options.keys = std::max(500, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
        } else if (argument == L"--size") {
            std::swscanf(argv[++i], L"%dx%d", &options.width, &options.height);
        } else if (argument == L"--lengths") {
            options.lengths.clear();
            for (wchar_t* part = argv[++i]; *part != L'\0';) {
                wchar_t* end = nullptr;
                const long length = std::wcstol(part, &end, 10);
                if (end == part) {
                    break;
                }
                options.lengths.push_back(static_cast<int>(length));
                part = *end == L',' ? end + 1 : end;
            }
        }
    }
    return options;
}

// A diary text of exactly length characters: sentences of kana, kanji and some ASCII, paragraphs of
// one to four sentences, now and then a heading or a link.
std::u16string DiaryText(int length) {
    const std::u16string sentences[] = {
        u"今日は朝から雨が降っていたので、家で本を読んで過ごした。",
        u"駅前の喫茶店で友人と待ち合わせ、近況を話し合った。",
        u"Finished the quarterly report at last.",
        u"夕方には晴れて、西の空がきれいな茜色に染まった。",
        u"新しい手帳を買った。来月の予定を書き込んでいく。",
        u"写真は https://example.jp/photos/2024 に置いた。",
    };
    std::u16string text;
    text.reserve(static_cast<std::size_t>(length) + 64);
    for (int sentence = 0; static_cast<int>(text.size()) < length; ++sentence) {
        if (sentence % 23 == 0) {
            text += u"*見出し\n";
        }
        text += sentences[static_cast<std::size_t>(sentence) % std::size(sentences)];
        if (sentence % 3 == 2) {
            text += u"\n";
        }
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

double Milliseconds(LONGLONG ticks, LONGLONG frequency) {
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency);
}

struct Figures {
    double median = 0;
    double p99 = 0;
    double max = 0;
};

Figures Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const auto at = [&samples](double fraction) {
        const auto index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
        return samples[std::min(index, samples.size() - 1)];
    };
    return {at(0.5), at(0.99), samples.back()};
}

void DrainMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Types keys characters into the middle of an entry of the given length; one sample per keystroke.
std::vector<double> TypeInto(HWND editor, int length, int keys, std::vector<double>& editing) {
    const std::u16string entry = DiaryText(length);
    SendMessageW(editor, MEP_SETTEXT, reinterpret_cast<WPARAM>(entry.data()),
                 static_cast<LPARAM>(entry.size()));
    SendMessageW(editor, EM_SETSEL, entry.size() / 2, static_cast<LPARAM>(entry.size() / 2));
    UpdateWindow(editor);
    DrainMessages();
    const std::u16string typed = u"日記を書くのは楽しいabc";
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::vector<double> samples;
    const int warmUp = 50;
    for (int key = 0; key < warmUp + keys; ++key) {
        const char16_t unit = key % 40 == 39 ? u'\r' : typed[static_cast<std::size_t>(key) % typed.size()];
        LARGE_INTEGER start{};
        LARGE_INTEGER charDone{};
        LARGE_INTEGER end{};
        QueryPerformanceCounter(&start);
        SendMessageW(editor, WM_CHAR, unit, 1);
        QueryPerformanceCounter(&charDone);
        UpdateWindow(editor);
        GdiFlush();
        QueryPerformanceCounter(&end);
        if (key >= warmUp) {
            samples.push_back(Milliseconds(end.QuadPart - start.QuadPart, frequency.QuadPart));
            editing.push_back(Milliseconds(charDone.QuadPart - start.QuadPart, frequency.QuadPart));
        }
        DrainMessages();  // the EN_CHANGE notifications and the scroll bar's repaint, outside the timing
    }
    return samples;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const Options options = ParseOptions(argc, argv);
    const host::GdiplusSession gdiplus;
    host::HostWindow window(GetModuleHandleW(nullptr), options.width, options.height, true);
    if (!window.Valid()) {
        std::fprintf(stderr, "editor_typing_bench: cannot create the window\n");
        return 1;
    }
    const DisplayStyle style = host::DefaultStyle(15, false);
    SendMessageW(window.Editor(), MEP_SETSTYLE, reinterpret_cast<WPARAM>(&style), 0);
    SendMessageW(window.Editor(), MEP_SETTITLELINE, 1, 1);
    SetForegroundWindow(window.Frame());
    SetFocus(window.Editor());
    host::PumpMessages(200);
    std::printf("editor window %dx%d, %d keystrokes per entry (WM_CHAR to the end of the repaint)\n",
                options.width, options.height, options.keys);
    for (const int length : options.lengths) {
        std::vector<double> editing;
        const Figures figures = Summarise(TypeInto(window.Editor(), length, options.keys, editing));
        const Figures edit = Summarise(editing);
        std::printf(
            "%7d characters: median %.3f ms, 99th percentile %.3f ms, max %.3f ms"
            " (of which WM_CHAR alone: median %.3f ms, 99th percentile %.3f ms)\n",
            length, figures.median, figures.p99, figures.max, edit.median, edit.p99);
        std::fflush(stdout);
    }
    return 0;
}
