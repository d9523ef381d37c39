// tavrin_drive.exe: the end-to-end driver as a command for scripts.
//   tavrin_drive wait [ms]    waits for the main frame to be shown; prints "left top width height"
//   tavrin_drive close [ms]   closes the main frame as the close button does and waits for the exit
//   tavrin_drive command ID   gives the main frame a command (a menu, toolbar or shortcut key's id)
//   tavrin_drive answer ID [ms]
//                             presses button ID (1 OK, 6 Yes, 7 No) of the message box the program
//                             shows, waiting for it up to ms
//   tavrin_drive startup EXE [RUNS]
//                             starts EXE (in its own folder) RUNS times and prints the time from
//                             process start to the first painted frame, then closes it each time
// Exit code 0 on success, 1 when the window did not appear or the program did not end in time.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string_view>
#include <vector>

#include "driver_win.h"

namespace {

using tavrin::drive::FindMainFrame;

DWORD TimeoutArgument(int argc, wchar_t** argv, DWORD fallback) {
    return argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : fallback;
}

int Wait(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND frame = FindMainFrame(0)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(frame, &processId);
            tavrin::drive::WaitUntilIdle(processId, 5000);
            RECT rect{};
            GetWindowRect(frame, &rect);
            std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top);
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
        LARGE_INTEGER frequency{};
        LARGE_INTEGER start{};
        LARGE_INTEGER end{};
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
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
        QueryPerformanceCounter(&end);
        const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        std::printf("run %d: %.1f ms%s\n", run + 1, ms, run == 0 ? " (cold)" : "");
        if (run > 0) {
            times.push_back(ms);
        }
        (void)process->Close(30000);
    }
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        std::printf("warm median: %.1f ms over %zu runs\n", times[times.size() / 2], times.size());
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view command = argc > 1 ? argv[1] : L"";
    if (command == L"wait") {
        return Wait(TimeoutArgument(argc, argv, 30000));
    }
    if (command == L"command" && argc > 2) {
        HWND frame = FindMainFrame(0);
        if (!frame) {
            std::fprintf(stderr, "tavrin_drive: no main frame\n");
            return 1;
        }
        tavrin::drive::SendCommand(frame, static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
        return 0;
    }
    if (command == L"answer" && argc > 2) {
        const DWORD timeoutMs = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 30000;
        const auto box = tavrin::drive::WaitForMessageBox(0, timeoutMs);
        if (!box) {
            std::fprintf(stderr, "tavrin_drive: no message box\n");
            return 1;
        }
        tavrin::drive::PressMessageBoxButton(box->window, static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
        return 0;
    }
    if (command == L"startup" && argc > 2) {
        return MeasureStartup(argv[2], argc > 3 ? static_cast<int>(std::wcstol(argv[3], nullptr, 10)) : 6);
    }
    if (command == L"close") {
        return Close(TimeoutArgument(argc, argv, 30000));
    }
    std::fprintf(stderr, "usage: tavrin_drive wait|close [timeout-ms] | command ID | answer ID [timeout-ms]\n");
    return 2;
}
