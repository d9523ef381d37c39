// The tool tip that names the holiday under the mouse in the side and the year calendar. One tool of a
// standard tool tip control covers the hovered holiday's cell; it moves and changes its text as the
// mouse goes from holiday to holiday, and covers nothing elsewhere. The frame relays its mouse messages
// to the tip after moving the tool, so the move that enters a holiday already counts for it.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "platform/wide_win.h"
#include "ui/frame_window_win.h"

namespace tavrin {
namespace {

constexpr UINT_PTR kHolidayToolId = 1;

TTTOOLINFOW HolidayTool(const FrameWindow& frame) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = 0;
    tool.hwnd = frame.window;
    tool.uId = kHolidayToolId;
    return tool;
}

// Puts the tool over the tip's cell with its text; an empty tip leaves it covering nothing.
void MoveHolidayTool(FrameWindow& frame, const HolidayTip& tip) {
    if (tip.area == frame.holidayTipArea) {
        return;
    }
    frame.holidayTipArea = tip.area;
    SendMessageW(frame.holidayTip, TTM_POP, 0, 0);
    TTTOOLINFOW tool = HolidayTool(frame);
    tool.rect = {tip.area.x, tip.area.y, tip.area.Right(), tip.area.Bottom()};
    SendMessageW(frame.holidayTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    const std::u16string name(tip.name);
    tool.lpszText = const_cast<wchar_t*>(Wide(name));
    SendMessageW(frame.holidayTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

void CreateHolidayTip(FrameWindow& frame) {
    frame.holidayTip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, frame.window, nullptr,
                        frame.app.shell.instance, nullptr);
    if (!frame.holidayTip) {
        return;  // the calendars work without their tips
    }
    TTTOOLINFOW tool = HolidayTool(frame);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(frame.holidayTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (frame.tipFont.get()) {
        SendMessageW(frame.holidayTip, WM_SETFONT, reinterpret_cast<WPARAM>(frame.tipFont.get()), FALSE);
    }
    frame.holidayTipArea = {};
}

void RelayToHolidayTip(FrameWindow& frame, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!frame.holidayTip) {
        return;
    }
    if (message == WM_MOUSEMOVE) {
        MoveHolidayTool(frame, HolidayTipAt(frame.scene, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    }
    MSG relayed{};
    relayed.hwnd = frame.window;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    SendMessageW(frame.holidayTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void HideHolidayTip(FrameWindow& frame) {
    if (frame.holidayTip) {
        MoveHolidayTool(frame, {});
    }
}

}  // namespace tavrin
