// The ScrollBarPane window: its messages, what it tells its parent, mouse handling, painting and
// the context menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "host_support_win.h"
#include "ui/scrollbar/gdi_handles_win.h"
#include "ui/scrollbar/scroll_bar_pane_win.h"
#include "ui/surface.h"

namespace tavrin {
namespace {

// A parent window that records the scroll messages its bar reports.
class BarParent {
public:
    BarParent() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TavrinBarParent";
        RegisterClassExW(&windowClass);
        registered_ = RegisterScrollBarPaneClass(GetModuleHandleW(nullptr));
        window_ = CreateWindowExW(0, L"TavrinBarParent", L"bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                  200, 300, nullptr, nullptr, GetModuleHandleW(nullptr), this);
        bar_ = CreateScrollBarPane(window_, 5, true);
        MoveWindow(bar_, 100, 0, 16, 200, TRUE);
        ShowWindow(bar_, SW_SHOW);
        SendMessageW(bar_, SBP_SETSTYLE, 2, 16);
        host::PumpMessages();
    }
    BarParent(const BarParent&) = delete;
    BarParent& operator=(const BarParent&) = delete;
    ~BarParent() {
        DestroyWindow(window_);
        host::PumpMessages();
    }

    [[nodiscard]] HWND Bar() const noexcept { return bar_; }
    [[nodiscard]] bool Valid() const noexcept { return registered_ && bar_ != nullptr; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(bar_, message, wParam, lParam);
    }
    void SetRange(int maximum, int position, int page) const {
        ScrollRange range{maximum, position, page};
        Send(SBP_SETRANGE, reinterpret_cast<WPARAM>(&range), 1);
    }
    // The scroll codes received so far, pumping first; forgets them.
    std::vector<int> Codes() {
        host::PumpMessages();
        return std::exchange(codes_, {});
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrW(
                window, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        }
        auto* self = reinterpret_cast<BarParent*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_VSCROLL && self != nullptr) {
            self->codes_.push_back(LOWORD(wParam));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    bool registered_ = false;
    HWND window_ = nullptr;
    HWND bar_ = nullptr;
    std::vector<int> codes_;
};

TEST(ScrollBarPane, RangeAndPositionMessages) {
    BarParent parent;
    ASSERT_TRUE(parent.Valid());
    ScrollRange range{1000, 0, 100};
    EXPECT_EQ(parent.Send(SBP_SETRANGE, reinterpret_cast<WPARAM>(&range), 1), 1);
    EXPECT_EQ(parent.Send(SBP_SETRANGE, 0, 1), 0) << "no range record";
    EXPECT_EQ(parent.Send(SBP_GETPOS), 0);
    EXPECT_EQ(parent.Send(SBP_SETPOS, 300), 0);
    EXPECT_EQ(parent.Send(SBP_GETPOS), 300);
    EXPECT_TRUE(parent.Codes().empty()) << "setting the position tells nobody";
    for (const UINT message :
         {SBP_SETVERTICAL, SBP_SHOW, SBP_SETACTIVE, SBP_SETREVERSED, SBP_SETCORNER, SBP_SETREPEAT,
          SBP_SETCOLORS, SBP_SETALPHA, SBP_SETBACKIMAGE, SBP_SETBACKIMAGEPOS}) {
        const WPARAM flag = message == SBP_SETVERTICAL || message == SBP_SHOW ? 1 : 0;
        EXPECT_EQ(parent.Send(message, flag, 0), 1) << "message " << message;
    }
    EXPECT_EQ(parent.Send(SBP_SETSTYLE, 2, 16), 1);
    EXPECT_TRUE(IsWindowVisible(parent.Bar()));
    EXPECT_EQ(parent.Send(SBP_SHOW, 0), 1);
    EXPECT_FALSE(IsWindowVisible(parent.Bar()));
}

TEST(ScrollBarPane, ScrollMessagesToTheBarStepAndComeBackToTheParent) {
    BarParent parent;
    parent.SetRange(1000, 0, 100);
    parent.Send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(parent.Send(SBP_GETPOS), 1);
    EXPECT_EQ(parent.Codes(), std::vector<int>{SB_LINEDOWN});
    parent.Send(WM_VSCROLL, SB_LINEUP);
    parent.Send(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(parent.Codes(), std::vector<int>{SB_LINEUP}) << "a step that changes nothing is not reported";
    parent.Send(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(parent.Send(SBP_GETPOS), 900);
    parent.Send(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(parent.Codes(), (std::vector<int>{SB_BOTTOM, SB_BOTTOM})) << "top and bottom always report";
    parent.Send(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(parent.Send(SBP_GETPOS), 800);
    parent.Send(WM_VSCROLL, SB_THUMBTRACK);
    EXPECT_EQ(parent.Codes(), std::vector<int>{SB_PAGEUP});
}

TEST(ScrollBarPane, ClicksPageAndDragsTrackWithTheMouseCaptured) {
    BarParent parent;
    parent.SetRange(1000, 0, 100);  // thumb 20 pixels
    parent.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 150));
    EXPECT_EQ(GetCapture(), parent.Bar());
    EXPECT_EQ(parent.Send(SBP_GETPOS), 100);
    parent.Send(WM_LBUTTONUP, 0, MAKELPARAM(8, 150));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(parent.Codes(), std::vector<int>{SB_PAGEDOWN});

    parent.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 25));
    parent.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(8, 75));
    EXPECT_EQ(parent.Send(SBP_GETPOS), 350);
    parent.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 75));
    EXPECT_EQ(parent.Send(SBP_GETPOS), 100) << "far to the side the thumb goes back";
    parent.Send(WM_LBUTTONUP, 0, MAKELPARAM(400, 75));
    EXPECT_EQ(parent.Codes(), (std::vector<int>{SB_THUMBTRACK, SB_THUMBTRACK}));
}

TEST(ScrollBarPane, HoldingTheButtonRepeatsPagingUntilTheThumbPassesThePointer) {
    BarParent parent;
    parent.SetRange(1000, 0, 100);
    parent.Send(SBP_SETREPEAT, 10);  // first repeat after 5 ms, then every millisecond
    parent.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 75));
    POINT screen{8, 75};
    ClientToScreen(parent.Bar(), &screen);
    SetCursorPos(screen.x, screen.y);
    host::PumpMessages(300);
    parent.Send(WM_LBUTTONUP, 0, MAKELPARAM(8, 75));
    SetCursorPos(1000, 900);
    EXPECT_EQ(parent.Send(SBP_GETPOS), 300) << "the thumb stops under the pointer";
    EXPECT_EQ(parent.Codes(), (std::vector<int>{SB_PAGEDOWN, SB_PAGEDOWN, SB_PAGEDOWN}));
}

TEST(ScrollBarPane, PaintsAThinBlendedThumbOverItsBackground) {
    SetCursorPos(1000, 900);  // the pointer over the thumb would show it at the hover opacity
    BarParent parent;
    parent.Send(SBP_SETCOLORS, RGB(255, 255, 255), RGB(0, 0, 0));
    parent.Send(SBP_SETALPHA, 100, 256);
    parent.SetRange(1000, 0, 100);
    UpdateWindow(parent.Bar());
    const WindowDc dc(parent.Bar());
    MemorySurface expected(1, 1, MakeColorRef(255, 255, 255));
    BlendRect(expected.View(), 0, 0, 1, 1, 100, MakeColorRef(0, 0, 0));
    EXPECT_EQ(static_cast<ColorRef>(GetPixel(dc.Get(), 6, 10)), expected.Colour(0, 0));
    EXPECT_EQ(static_cast<ColorRef>(GetPixel(dc.Get(), 9, 10)), expected.Colour(0, 0));
    EXPECT_EQ(GetPixel(dc.Get(), 5, 10), RGB(255, 255, 255)) << "4 pixels wide, centred";
    EXPECT_EQ(GetPixel(dc.Get(), 10, 10), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc.Get(), 7, 30), RGB(255, 255, 255)) << "below the thumb";
    parent.SetRange(0, 0, 0);
    UpdateWindow(parent.Bar());
    EXPECT_EQ(GetPixel(dc.Get(), 7, 10), RGB(255, 255, 255)) << "nothing to scroll: no thumb";
}

TEST(ScrollBarPane, EveryMessageHasAnAnswerWithoutState) {
    BarParent parent;
    const LONG_PTR state = GetWindowLongPtrW(parent.Bar(), GWLP_USERDATA);
    SetWindowLongPtrW(parent.Bar(), GWLP_USERDATA, 0);
    EXPECT_EQ(parent.Send(SBP_GETPOS), -1);
    for (UINT message = SBP_SETRANGE; message <= SBP_SETBACKIMAGEPOS; ++message) {
        if (message != SBP_GETPOS) {
            EXPECT_EQ(parent.Send(message, 0, 0), 0) << "message " << message;
        }
    }
    for (const UINT message : {UINT{WM_LBUTTONDOWN}, UINT{WM_MOUSEMOVE}, UINT{WM_LBUTTONUP}, UINT{WM_TIMER},
                               UINT{WM_VSCROLL}, UINT{WM_CONTEXTMENU}}) {
        EXPECT_EQ(parent.Send(message, 0, 0), 0) << "message " << message;
    }
    InvalidateRect(parent.Bar(), nullptr, FALSE);
    UpdateWindow(parent.Bar());
    SetWindowLongPtrW(parent.Bar(), GWLP_USERDATA, state);
    EXPECT_EQ(parent.Send(SBP_GETPOS), 0);
}

// What the context menu showed, read from another thread while it is open; the menu is then closed
// with Esc so that nothing is chosen.
struct MenuSeen {
    std::vector<std::wstring> items;
    std::vector<bool> enabled;
};

MenuSeen ReadAndCloseMenu(HWND owner) {
    MenuSeen seen;
    HWND popup = nullptr;
    for (int attempt = 0; attempt < 200 && popup == nullptr; ++attempt) {
        Sleep(10);
        popup = FindWindowW(L"#32768", nullptr);
    }
    if (popup == nullptr) {
        return seen;
    }
    auto* menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION) > 0) {
            seen.items.emplace_back(text);
            seen.enabled.push_back((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) ==
                                   0);
        }
    }
    for (int attempt = 0; attempt < 50 && IsWindowVisible(popup); ++attempt) {
        PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        Sleep(20);
        if (attempt == 10) {
            PostMessageW(owner, WM_CANCELMODE, 0, 0);
        }
    }
    return seen;
}

TEST(ScrollBarPane, TheContextMenuOffersTheStepsThatCanBeTaken) {
    BarParent parent;
    parent.SetRange(1000, 0, 100);
    MenuSeen seen;
    std::thread reader([&seen, &parent] { seen = ReadAndCloseMenu(parent.Bar()); });
    parent.Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(parent.Bar()), MAKELPARAM(160, 80));
    reader.join();
    if (seen.items.empty()) {
        GTEST_SKIP() << "the popup menu could not be found while open";
    }
    const std::vector<std::wstring> items = {L"ここにスクロール", L"最上部",     L"最下部",
                                             L"前のページ",       L"次のページ", L"上にスクロール",
                                             L"下にスクロール"};
    EXPECT_EQ(seen.items, items);
    EXPECT_EQ(seen.enabled, (std::vector<bool>{true, false, true, false, true, false, true}));
    EXPECT_EQ(parent.Send(SBP_GETPOS), 0) << "closing the menu chooses nothing";
    EXPECT_TRUE(parent.Codes().empty());
}

}  // namespace
}  // namespace tavrin
