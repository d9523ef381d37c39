// editor_typing_bench.exe: how long one typed character takes in the real editor window, from WM_CHAR
// to the end of the repaint, for a short and a long entry.
//   editor_typing_bench [--keys N] [--size WxH] [--lengths A,B,...] [--recovery | --recovery-every K]
// For each entry length (default 1000 and 100000 characters) a generated Japanese diary text is
// loaded, the caret is put in its middle and N characters (default 1000, at least 500) are typed,
// every 40th an Enter. Each keystroke is timed from sending WM_CHAR through UpdateWindow (the
// WM_PAINT that renders the off-screen surface and copies it to the window) and GdiFlush. Prints
// the median, the 99th percentile and the maximum in milliseconds. Speed is measured here, never
// asserted by a test.
// With --recovery each keystroke also does what the main frame does for crash recovery, inside the
// timed span: the change is noted in the RecoverySchedule, and when the schedule is due the text is
// handed to a RecoveryStore writing into a temporary folder on its own thread. --recovery-every K hands
// it over at every Kth keystroke instead, far more often than the program would, so that the
// writing thread is busy while keys are timed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/edit_state.h"
#include "editor/editor_window_messages.h"
#include "host_support_win.h"
#include "store/recovery_store.h"

namespace {

using namespace tavrin;

struct Options {
    int keys = 1000;
    int width = 800;
    int height = 600;
    std::vector<int> lengths = {1000, 100000};
    bool recovery = false;
    int recoveryEvery = 0;  // 0: as the schedule says
};

// The main frame's crash-recovery work for each keystroke, with its own temporary folder.
class RecoveryLoad {
public:
    explicit RecoveryLoad(int every)
        : folder_(std::filesystem::temp_directory_path() /
                  ("tavrin-bench-" + std::to_string(GetCurrentProcessId()))),
          store_(CreateSystemFileSystem(), folder_),
          every_(every) {}
    RecoveryLoad(const RecoveryLoad&) = delete;
    RecoveryLoad& operator=(const RecoveryLoad&) = delete;
    ~RecoveryLoad() {
        store_.Flush();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void AfterKeystroke(HWND editor) {
        ++keystrokes_;
        schedule_.Changed(GetTickCount64());
        const bool due = every_ > 0 ? keystrokes_ % every_ == 0 : schedule_.Due(GetTickCount64());
        if (!due) {
            return;
        }
        LARGE_INTEGER start{};
        LARGE_INTEGER end{};
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        EditState* state = nullptr;
        if (SendMessageW(editor, MEP_GETSTATE, 0, reinterpret_cast<LPARAM>(&state)) != 0 &&
            state != nullptr) {
            store_.Keep(u"RaRorir", DiaryDate{2024, 5, 1}, state->Text());
        }
        QueryPerformanceCounter(&end);
        keepMs_.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                          static_cast<double>(frequency.QuadPart));
        schedule_.Kept();
    }
    // How long each handing over took on this (the GUI) thread, in milliseconds.
    [[nodiscard]] const std::vector<double>& KeepMs() const noexcept { return keepMs_; }

private:
    std::filesystem::path folder_;
    RecoveryStore store_;
    RecoverySchedule schedule_;
    int every_ = 0;
    int keystrokes_ = 0;
    std::vector<double> keepMs_;
};

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--recovery") {
            options.recovery = true;
            continue;
        }
        if (i + 1 >= argc) {
            break;
        }
        if (argument == L"--keys") {
            options.keys = std::max(500, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
        } else if (argument == L"--recovery-every") {
            options.recovery = true;
            options.recoveryEvery = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
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
std::vector<double> TypeInto(HWND editor, int length, int keys, std::vector<double>& editing,
                             RecoveryLoad* recovery) {
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
        if (recovery != nullptr) {
            recovery->AfterKeystroke(editor);
        }
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
    if (options.recovery) {
        std::printf("crash recovery on: %s\n",
                    options.recoveryEvery > 0 ? "the text handed to the recovery store at a fixed rate"
                                              : "the text handed to the recovery store as the schedule says");
    }
    for (const int length : options.lengths) {
        std::vector<double> editing;
        std::unique_ptr<RecoveryLoad> recovery =
            options.recovery ? std::make_unique<RecoveryLoad>(options.recoveryEvery) : nullptr;
        const Figures figures =
            Summarise(TypeInto(window.Editor(), length, options.keys, editing, recovery.get()));
        const Figures edit = Summarise(editing);
        std::printf(
            "%7d characters: median %.3f ms, 99th percentile %.3f ms, max %.3f ms"
            " (of which WM_CHAR alone: median %.3f ms, 99th percentile %.3f ms)\n",
            length, figures.median, figures.p99, figures.max, edit.median, edit.p99);
        if (recovery && !recovery->KeepMs().empty()) {
            const Figures keep = Summarise(recovery->KeepMs());
            std::printf(
                "%7d characters: the text was handed to the recovery store %zu times, taking on the GUI"
                " thread median %.3f ms, max %.3f ms\n",
                length, recovery->KeepMs().size(), keep.median, keep.max);
        }
        std::fflush(stdout);
    }
    return 0;
}
