#pragma once
// The main frame's state and the handlers its window procedure dispatches to. Internal to the frame's
// *_win.cpp files; everyone else talks to the frame through main_frame_win.h and window messages.

#include <windows.h>

#include <memory>
#include <optional>

#include "app/app_win.h"
#include "app/error_box_win.h"
#include "calendar/calendar_animation.h"
#include "search/full_text_search.h"
#include "store/diary_store.h"
#include "templates/template_commands.h"
#include "ui/frame_input.h"
#include "ui/frame_scene.h"
#include "ui/gdi_canvas_win.h"
#include "ui/menu_draw.h"
#include "ui/menu_model.h"
#include "ui/surface_win.h"

namespace tavrin {

struct FrameWindow;

// Owns a GDI font; copying is not allowed.
class OwnedFont {
public:
    OwnedFont() = default;
    explicit OwnedFont(HFONT font) noexcept : font_(font) {}
    OwnedFont(const OwnedFont&) = delete;
    OwnedFont& operator=(const OwnedFont&) = delete;
    OwnedFont(OwnedFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    OwnedFont& operator=(OwnedFont&& other) noexcept;
    ~OwnedFont() { Reset(); }
    [[nodiscard]] HFONT get() const noexcept { return font_; }
    void Reset() noexcept;

private:
    HFONT font_ = nullptr;
};

// The calendars and title as the diary store sees them: blink, month slide and repaints.
class FrameStoreView final : public StoreView {
public:
    explicit FrameStoreView(FrameWindow& frame) : frame_(frame) {}
    void StartBlink() override;
    void StopBlink() override;
    [[nodiscard]] bool IsAnimating() override;
    void StartMonthAnimation(const DiaryDate& target) override;
    void SelectedDateChanged() override;
    void DayMarksChanged() override;
    void DiarySwitched(std::u16string_view title, const std::filesystem::path& dataFolder) override;

private:
    FrameWindow& frame_;
};

// Timers of the frame.
inline constexpr UINT_PTR kClockTimer = 100;
inline constexpr UINT_PTR kSlideTimer = 102;
inline constexpr UINT_PTR kBlinkTimer = 103;

// Control identifiers of the frame's panes.
inline constexpr int kSearchBoxControlId = 201;
inline constexpr int kSearchListControlId = 202;

struct FrameWindow {
    FrameWindow(App& app, HWND window);

    App& app;
    HWND window;

    Surface backBuffer{100, 100};
    Surface glyphs;
    Surface menuSurface;
    OwnedFont smallFont;
    OwnedFont mediumFont;
    OwnedFont largeFont;

    FrameModel model;
    FrameScene scene;
    SlideState slide;
    SplitterDrag drag;
    int hitCode = 0;
    std::u16string searchText;  // the search box's text, which the frame paints over a background picture

    std::unique_ptr<EditorPort> editorPort;
    FrameStoreView storeView{*this};
    MessageBoxErrorSink errors;
    std::unique_ptr<DiaryStore> store;
    SearchState search;  // the hits the search list shows

    // The menu being shown (for WM_MEASUREITEM and WM_DRAWITEM) and the font it is drawn in.
    std::optional<MenuItemArray> openMenu;
    OwnedFont menuFont;
    bool settingsDialogOpen = false;

    [[nodiscard]] CanvasFonts Fonts() const noexcept;
    [[nodiscard]] GdiCanvas BackBufferCanvas();
};

// main_frame_win.cpp
void OnStartupCommand(FrameWindow& frame);
void SyncModel(FrameWindow& frame);
void Relayout(FrameWindow& frame);
void RedrawFrame(FrameWindow& frame);
void InvalidateFrame(FrameWindow& frame, unsigned flags);
void SetDisplayMode(FrameWindow& frame, DisplayMode mode);
void ToggleFullscreen(FrameWindow& frame);
void ApplyEditorStyle(FrameWindow& frame);
void PostFrameCommand(const FrameWindow& frame, int command);

// frame_commands_win.cpp
LRESULT OnCommand(FrameWindow& frame, WPARAM wParam, LPARAM lParam);

// frame_mouse_win.cpp
LRESULT OnMouseMessage(FrameWindow& frame, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnSetCursor(FrameWindow& frame, WPARAM wParam, LPARAM lParam);
LRESULT OnKeyDown(FrameWindow& frame, WPARAM wParam, LPARAM lParam);

// frame_menus_win.cpp
void OpenMenu(FrameWindow& frame, MenuKind kind, POINT screenPoint);
// Shows items as an owner-drawn popup menu at the point; the chosen position (0 for none). The items
// stay in frame.openMenu until the next menu.
int TrackMenuItems(FrameWindow& frame, MenuItemArray items, POINT screenPoint);
// The screen point under the editor's caret (MEP_GETCARETPOS), or its top-left corner.
[[nodiscard]] POINT PointUnderCaret(const FrameWindow& frame);
LRESULT OnMeasureItem(FrameWindow& frame, MEASUREITEMSTRUCT& item);
// Access keys of owner-drawn items: the "&" letter of each label.
LRESULT OnMenuChar(FrameWindow& frame, WPARAM wParam, LPARAM lParam);
LRESULT OnDrawItem(FrameWindow& frame, const DRAWITEMSTRUCT& item);

// frame_templates_win.cpp
void InsertTemplateCommand(FrameWindow& frame, int index);
[[nodiscard]] std::vector<TemplateMenuEntry> TemplateMenuEntries(FrameWindow& frame);

// frame_search_win.cpp
// The search box (its window procedure replaced) and the SearchListPane.
[[nodiscard]] bool CreateSearchPanes(FrameWindow& frame);
// Enter in the box and the search button: the box text goes into the history and is searched for.
void StartSearchFromBox(FrameWindow& frame);
// SearchSelect: the editor's selection, or the word at the caret, is searched for.
void SearchSelection(FrameWindow& frame);
// A hash-tag link and SearchSelect: shows the search pane, puts the text into the box and searches.
void SearchForText(FrameWindow& frame, std::u16string_view text);
// Empties the result list (not while a search runs) and repaints the box and the list.
void ClearSearchPane(FrameWindow& frame);
LRESULT OnSearchListNotification(FrameWindow& frame, unsigned code);
void OpenSearchBoxMenu(FrameWindow& frame, POINT screenPoint);
void OpenSearchListMenu(FrameWindow& frame, POINT screenPoint);

}  // namespace tavrin
