// tavrin_drive.exe: the end-to-end driver as a command for scripts.
//   tavrin_drive wait [ms]    waits for the main frame to be shown; prints "left top width height"
//   tavrin_drive close [ms]   closes the main frame as the close button does and waits for the exit
//   tavrin_drive command ID   gives the main frame a command (a menu, toolbar or shortcut key's id)
//   tavrin_drive settings PAGE
//                             opens the settings sheet (if it is not open) on page PAGE (0 to 8) and
//                             prints the sheet's "left top width height"
//   tavrin_drive settings-click ID
//                             clicks the button with that control id on the sheet's page
//   tavrin_drive window TITLE prints "left top width height" of the dialog with that title
//   tavrin_drive settings-close
//                             cancels the settings sheet
//   tavrin_drive post ID      posts it instead, for commands that open a menu or a dialog and wait there
//   tavrin_drive mouse X Y    moves the mouse over a client point of the main frame (hover, tool tips)
//   tavrin_drive answer ID [ms]
//                             presses button ID (1 OK, 6 Yes, 7 No) of the message box the program
//                             shows, waiting for it up to ms
//   tavrin_drive startup EXE [RUNS]
//                             starts EXE (in its own folder) RUNS times and prints the time from
//                             process start to the first painted frame, then closes it each time
//   tavrin_drive search WORD  types WORD into the search box and presses Enter there; returns when the
//                             result list is painted and the diary shows the first hit
//   tavrin_drive search-timing WORD [RUNS [TYPING_MS]]
//                             the same RUNS times, printing the time from Enter until then; with
//                             TYPING_MS, the box is first given the focus (the Search command) and the
//                             first Enter comes that long after, as when a user types the word
// Exit code 0 on success, 1 when the window did not appear or the program did not end in time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

#include "driver_win.h"

namespace {

using tavrin::drive::FindMainFrame;

DWORD TimeoutArgument(int argc, wchar_t** argv, DWORD fallback) {
    return argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : fallback;
}

int Number(const wchar_t* text) { return static_cast<int>(std::wcstol(text, nullptr, 10)); }

// Prints "left top width height" of a window in screen pixels, the answer scripts read.
void PrintWindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// Waits until the program that owns the window has handled everything sent to it so far.
void WaitUntilOwnerIdle(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    tavrin::drive::WaitUntilIdle(processId, 5000);
}

// The main frame, or nothing with a word on the error output.
HWND MainFrameOrComplain() {
    HWND frame = FindMainFrame(0);
    if (!frame) {
        std::fprintf(stderr, "tavrin_drive: no main frame\n");
    }
    return frame;
}

HWND FindSettingsSheet() { return FindWindowW(L"#32770", L"設定"); }

LARGE_INTEGER CounterNow() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
    const LARGE_INTEGER end = CounterNow();
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Prints "<name>: <median> ms over <n> runs", the line the benchmark scripts read; the callers leave
// the cold first run out of the times.
void PrintMedian(std::vector<double> times, const char* name) {
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        std::printf("%s: %.1f ms over %zu runs\n", name, times[times.size() / 2], times.size());
    }
}

int Wait(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND frame = FindMainFrame(0)) {
            WaitUntilOwnerIdle(frame);
            PrintWindowRect(frame);
            return 0;
        }
        if (GetTickCount64() >= deadline) {
            std::fprintf(stderr, "tavrin_drive: no main frame appeared\n");
            return 1;
        }
        Sleep(20);
    }
}

int Close(DWORD timeoutMs) {
    HWND frame = FindMainFrame(0);
    if (!frame) {
        std::fprintf(stderr, "tavrin_drive: no main frame to close\n");
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(frame, WM_CLOSE, 0, 0);
    const bool ended = process && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    if (process) {
        CloseHandle(process);
    }
    if (!ended) {
        std::fprintf(stderr, "tavrin_drive: the program did not end\n");
        return 1;
    }
    return 0;
}

// From CreateProcess until the frame is shown and has finished its start-up command, whose last step
// paints it: a message sent then is handled only after that.
int MeasureStartup(const wchar_t* exe, int runs) {
    const std::filesystem::path path(exe);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const LARGE_INTEGER start = CounterNow();
        auto process = tavrin::drive::TavrinProcess::Start(path.wstring(), L"", path.parent_path().wstring());
        if (!process) {
            std::fprintf(stderr, "tavrin_drive: cannot start the program\n");
            return 1;
        }
        HWND frame = process->WaitForMainFrame(60000);
        if (!frame) {
            std::fprintf(stderr, "tavrin_drive: no main frame appeared\n");
            return 1;
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
        const double ms = MillisecondsSince(start);
        std::printf("run %d: %.1f ms%s\n", run + 1, ms, run == 0 ? " (cold)" : "");
        if (run > 0) {
            times.push_back(ms);
        }
        (void)process->Close(30000);
    }
    PrintMedian(std::move(times), "warm median");
    return 0;
}

constexpr int kSearchCommand = 41047;

HWND SearchBoxOf(HWND frame) { return frame ? FindWindowExW(frame, nullptr, L"Edit", nullptr) : nullptr; }

// Enter in the search box with word in it; the milliseconds until the program has handled it (the
// search ran, the list is painted and the first hit's entry loaded), or a negative number.
double SearchOnce(HWND box, const wchar_t* word) {
    SetWindowTextW(box, word);
    const LARGE_INTEGER start = CounterNow();
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(box, WM_CHAR, L'\r', 1, SMTO_NORMAL, 120000, &ignored)) {
        return -1;
    }
    return MillisecondsSince(start);
}

int Search(const wchar_t* word, int runs, int typingMs) {
    HWND frame = FindMainFrame(0);
    HWND box = SearchBoxOf(frame);
    if (!box) {
        std::fprintf(stderr, "tavrin_drive: no search box\n");
        return 1;
    }
    if (typingMs > 0) {
        tavrin::drive::SendCommand(frame, kSearchCommand);
        Sleep(static_cast<DWORD>(typingMs));
    }
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double ms = SearchOnce(box, word);
        if (ms < 0) {
            std::fprintf(stderr, "tavrin_drive: the search did not end\n");
            return 1;
        }
        if (runs > 1) {
            std::printf("run %d: %.1f ms%s\n", run + 1, ms, run == 0 ? " (first)" : "");
        }
        if (run > 0) {
            times.push_back(ms);
        }
    }
    PrintMedian(std::move(times), "median after the first");
    return 0;
}

// Opens the settings sheet (unless it is open) on a page and prints the sheet's rectangle.
int ShowSettings(int page) {
    HWND sheet = FindSettingsSheet();
    if (!sheet) {
        HWND frame = FindMainFrame(0);
        sheet = frame ? tavrin::drive::OpenSettingsSheet(frame, 30000) : nullptr;
    }
    if (!sheet) {
        std::fprintf(stderr, "tavrin_drive: the settings sheet did not open\n");
        return 1;
    }
    tavrin::drive::ShowSettingsPage(sheet, page);
    WaitUntilOwnerIdle(sheet);
    PrintWindowRect(sheet);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view command = argc > 1 ? argv[1] : L"";
    if (command == L"wait") {
        return Wait(TimeoutArgument(argc, argv, 30000));
    }
    if (command == L"command" && argc > 2) {
        HWND frame = MainFrameOrComplain();
        if (!frame) {
            return 1;
        }
        tavrin::drive::SendCommand(frame, Number(argv[2]));
        return 0;
    }
    if ((command == L"post" && argc > 2) || (command == L"mouse" && argc > 3)) {
        HWND frame = MainFrameOrComplain();
        if (!frame) {
            return 1;
        }
        if (command == L"post") {
            tavrin::drive::PostCommand(frame, Number(argv[2]));
        } else {
            POINT point{Number(argv[2]), Number(argv[3])};
            ClientToScreen(frame, &point);
            SetCursorPos(point.x, point.y);
        }
        return 0;
    }
    if (command == L"answer" && argc > 2) {
        const DWORD timeoutMs = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 30000;
        const auto box = tavrin::drive::WaitForMessageBox(0, timeoutMs);
        if (!box) {
            std::fprintf(stderr, "tavrin_drive: no message box\n");
            return 1;
        }
        tavrin::drive::PressMessageBoxButton(box->window,
                                             static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
        return 0;
    }
    if (command == L"startup" && argc > 2) {
        return MeasureStartup(argv[2], argc > 3 ? Number(argv[3]) : 6);
    }
    if (command == L"settings" && argc > 2) {
        return ShowSettings(Number(argv[2]));
    }
    if (command == L"settings-click" && argc > 2) {
        HWND sheet = FindSettingsSheet();
        HWND page = sheet ? tavrin::drive::CurrentSettingsPage(sheet) : nullptr;
        HWND control = page ? GetDlgItem(page, Number(argv[2])) : nullptr;
        if (!control) {
            std::fprintf(stderr, "tavrin_drive: no such control on the settings page\n");
            return 1;
        }
        tavrin::drive::ClickButton(control, true);
        WaitUntilOwnerIdle(sheet);
        return 0;
    }
    if (command == L"window" && argc > 2) {
        HWND window = tavrin::drive::WaitForWindow(0, L"#32770", argv[2], 10000);
        if (!window) {
            std::fprintf(stderr, "tavrin_drive: no such window\n");
            return 1;
        }
        PrintWindowRect(window);
        return 0;
    }
    if (command == L"settings-close") {
        HWND sheet = FindSettingsSheet();
        if (sheet) {
            tavrin::drive::CloseSettingsSheet(sheet, false, 30000);
        }
        return sheet ? 0 : 1;
    }
    if (command == L"search" && argc > 2) {
        return Search(argv[2], 1, 0);
    }
    if (command == L"search-timing" && argc > 2) {
        return Search(argv[2], argc > 3 ? Number(argv[3]) : 11, argc > 4 ? Number(argv[4]) : 0);
    }
    if (command == L"close") {
        return Close(TimeoutArgument(argc, argv, 30000));
    }
    std::fprintf(
        stderr,
        "usage: tavrin_drive wait|close [timeout-ms] | command|post ID | mouse X Y | answer ID [timeout-ms] "
        "| "
        "search WORD | search-timing WORD [RUNS] | settings PAGE | settings-click ID | window TITLE | "
        "settings-close\n");
    return 2;
}
