#include "app/startup_win.h"
#include "search/result_list.h"
#include "ui/main_frame_win.h"

namespace tavrin {
namespace {

// Wheel messages go to the pane under the cursor rather than to the focused one; horizontal wheel and
// extra buttons always go to the frame, which turns them into entry navigation. True when consumed.
bool RouteMouseMessage(const App& app, const MSG& message) {
    HWND frame = app.shell.frame;
    if (!frame) {
        return false;
    }
    switch (message.message) {
        case WM_MOUSEWHEEL: {
            const POINT cursor{static_cast<short>(LOWORD(message.lParam)),
                               static_cast<short>(HIWORD(message.lParam))};
            HWND target = WheelTargetAt(app, cursor);
            if (!target) {
                return false;
            }
            SendMessageW(target, message.message, message.wParam, message.lParam);
            return true;
        }
        case WM_MOUSEHWHEEL:
        case WM_XBUTTONDOWN:
            SendMessageW(frame, message.message, message.wParam, message.lParam);
            return true;
        default:
            return false;
    }
}

// Keys the focused search box or result list handles itself reach it before the shortcut keys.
bool SearchPaneKeyFirst(const App& app, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.hwnd == nullptr) {
        return false;
    }
    const SearchFocus focus = message.hwnd == app.shell.searchList  ? SearchFocus::kList
                              : message.hwnd == app.shell.searchBox ? SearchFocus::kBox
                                                                    : SearchFocus::kElsewhere;
    const bool ctrlOrAlt = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    return SearchPaneTakesKeyFirst(focus, static_cast<unsigned>(message.wParam), ctrlOrAlt);
}

}  // namespace

int RunMessageLoop(App& app) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return 0;
        }
        if (app.shell.jumpDialog && IsDialogMessageW(app.shell.jumpDialog, &message)) {
            continue;
        }
        if (app.shell.accelerators && app.shell.frame && !SearchPaneKeyFirst(app, message) &&
            TranslateAcceleratorW(app.shell.frame, app.shell.accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        if (RouteMouseMessage(app, message)) {
            continue;
        }
        DispatchMessageW(&message);
    }
}

}  // namespace tavrin
