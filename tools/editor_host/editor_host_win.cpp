// editor_host.exe: the diary editor alone in a window, with a sample entry, for trying it by hand and
// for screenshots.
//   editor_host [--alpha N] [--shadow] [--select] [--size WxH] [--folder DIR] [--screenshot FILE.png]
// --alpha and --shadow set the Alpha setting (default 15) and the drop shadow; --select selects part
// of the entry; --folder is where the sample picture is written and which becomes the current
// directory (default: a folder in %TEMP%). With --screenshot the window is saved as PNG and the
// program ends (exit code 1 when that failed); otherwise it runs until its window is closed.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>

#include "editor/editor_window_messages.h"
#include "host_support_win.h"
#include "ui/scrollbar/scroll_bar_messages.h"

namespace {

using namespace tavrin;

struct Options {
    int alpha = 15;
    bool shadow = false;
    bool select = false;
    int width = 640;
    int height = 560;
    std::filesystem::path folder;
    std::filesystem::path screenshot;
};

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == L"--alpha" && hasValue) {
            options.alpha = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
        } else if (argument == L"--shadow") {
            options.shadow = true;
        } else if (argument == L"--select") {
            options.select = true;
        } else if (argument == L"--size" && hasValue) {
            std::swscanf(argv[++i], L"%dx%d", &options.width, &options.height);
        } else if (argument == L"--folder" && hasValue) {
            options.folder = argv[++i];
        } else if (argument == L"--screenshot" && hasValue) {
            options.screenshot = std::filesystem::absolute(argv[++i]);
        }
    }
    if (options.folder.empty()) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        options.folder = std::filesystem::path(temp) / L"tavrin-editor-host";
    }
    return options;
}

// The sample picture lives in the folder that becomes the current directory, as the diary's data
// folder does for the real program.
bool PrepareFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return host::WriteSamplePicture(folder / L"sample.png", 320, 180) &&
           SetCurrentDirectoryW(folder.wstring().c_str()) != FALSE;
}

void LoadSample(HWND editor, const Options& options) {
    const DisplayStyle style = host::DefaultStyle(options.alpha, options.shadow);
    SendMessageW(editor, MEP_SETSTYLE, reinterpret_cast<WPARAM>(&style), 0);
    SendMessageW(editor, MEP_SETTITLELINE, 1, 1);
    // As the frame does: the editor's scroll bar in the entry's colours.
    SendMessageW(GetDlgItem(editor, kEditorScrollBarId), SBP_SETCOLORS,
                 static_cast<WPARAM>(style.colors[kColorBack]),
                 static_cast<LPARAM>(style.colors[kColorText]));
    const std::u16string entry = host::SampleEntry();
    SendMessageW(editor, MEP_SETTEXT, reinterpret_cast<WPARAM>(entry.c_str()),
                 static_cast<LPARAM>(entry.size()));
    const auto at = [&entry](std::u16string_view text) { return static_cast<LPARAM>(entry.find(text)); };
    if (options.select) {
        SendMessageW(editor, EM_SETSEL, static_cast<WPARAM>(at(u"新緑")), at(u"季節限定"));
    } else {
        SendMessageW(editor, EM_SETSEL, static_cast<WPARAM>(at(u"ツツジ")), at(u"ツツジ"));
    }
}

int TakeScreenshot(const host::HostWindow& window, const std::filesystem::path& file) {
    host::PumpMessages(400);
    // Showing the caret again starts a visible blink phase, so the picture has the caret in it.
    HideCaret(window.Editor());
    ShowCaret(window.Editor());
    host::PumpMessages(30);
    RECT area{};
    GetWindowRect(window.Frame(), &area);
    if (!host::SaveScreenPng(area, file)) {
        std::fprintf(stderr, "editor_host: cannot save %ls\n", file.wstring().c_str());
        return 1;
    }
    std::printf("%ls\n", file.wstring().c_str());
    return 0;
}

int RunLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const Options options = ParseOptions(argc, argv);
    const host::GdiplusSession gdiplus;
    if (!gdiplus.Started() || !PrepareFolder(options.folder)) {
        std::fprintf(stderr, "editor_host: cannot prepare %ls\n", options.folder.wstring().c_str());
        return 1;
    }
    host::HostWindow window(GetModuleHandleW(nullptr), options.width, options.height, true);
    if (!window.Valid()) {
        std::fprintf(stderr, "editor_host: cannot create the window\n");
        return 1;
    }
    LoadSample(window.Editor(), options);
    SetForegroundWindow(window.Frame());
    SetFocus(window.Editor());
    return options.screenshot.empty() ? RunLoop() : TakeScreenshot(window, options.screenshot);
}
