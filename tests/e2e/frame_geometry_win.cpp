#include "frame_geometry_win.h"

#include <algorithm>

#include "app/app_state.h"
#include "calendar/side_calendar.h"
#include "ui/frame_scene.h"
#include "ui/gdi_canvas_win.h"

namespace tavrin::e2e {
namespace {

HFONT SideFont(const wchar_t* face, int points, int dpi) {
    LOGFONTW font{};
    font.lfHeight = -std::max(MulDiv(points, dpi, 72), 1);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

// The scene the running frame paints with these settings, at the DPI of its screen.
FrameScene SceneOf(HWND frame, const DiaryDate& selected, const Settings& settings = Settings{}) {
    RECT client{};
    GetClientRect(frame, &client);
    const int dpi = static_cast<int>(GetDpiForWindow(frame));

    AppState state;
    state.settings = settings;
    state.selectedDate = selected;
    CanvasFonts fonts{SideFont(L"メイリオ", state.settings.window.fontSizeS, dpi),
                      SideFont(L"メイリオ", state.settings.window.fontSizeM, dpi),
                      SideFont(L"メイリオ", state.settings.window.fontSizeL, dpi), nullptr};
    Surface surface;
    CreateSurface(frame, surface, 32, 16, 16, 0);
    const GdiCanvas metrics(surface, fonts, {});
    FrameModel model;
    model.app = &state;
    model.clientWidth = client.right;
    model.clientHeight = client.bottom;
    model.dpi = dpi;
    const FrameScene scene = BuildFrameScene(model, metrics);
    DeleteObject(fonts.small);
    DeleteObject(fonts.medium);
    DeleteObject(fonts.large);
    return scene;
}

}  // namespace

PixelRect SideCalendarDayCell(HWND frame, const DiaryDate& selected, int day) {
    const FrameScene scene = SceneOf(frame, selected);
    return DayCell(scene.grid, scene.month, day);
}

PixelRect SideCalendarDayCell(HWND frame, const DiaryDate& selected, int day, const Settings& settings) {
    const FrameScene scene = SceneOf(frame, selected, settings);
    return DayCell(scene.grid, scene.month, day);
}

PixelRect ToolbarButton(HWND frame, const DiaryDate& selected, int hitCode) {
    return SceneOf(frame, selected).toolbar.Button(hitCode);
}

}  // namespace tavrin::e2e
