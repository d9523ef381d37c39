#pragma once
// The main frame's state and the handlers its window procedure dispatches to. Internal to the frame's
// *_win.cpp files; everyone else talks to the frame through main_frame_win.h and window messages.

#include <windows.h>

#include <memory>
#include <optional>

#include "app/app_win.h"
#include "app/error_box_win.h"
#include "calendar/calendar_animation.h"
#include "store/diary_store.h"
#include "store/recovery_store.h"
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
inline constexpr UINT_PTR kRecoveryTimer = 104;  // looks whether the entry's unsaved text is due for keeping

// Control identifiers of the frame's panes.
inline constexpr int kSearchBoxControlId = 201;

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
    // Declared before the store, which uses it, so that it is destroyed after it: its destruction
    // writes what the store's final save handed over.
    std::unique_ptr<RecoveryStore> recovery;
    RecoverySchedule recoverySchedule;
    bool recoveryTimerRunning = false;
    std::unique_ptr<DiaryStore> store;

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
// The screen point under the editor's caret (MEP_GETCARETPOS), or its top-left corner.
[[nodiscard]] POINT PointUnderCaret(const FrameWindow& frame);
LRESULT OnMeasureItem(FrameWindow& frame, MEASUREITEMSTRUCT& item);
// Access keys of owner-drawn items: the "&" letter of each label.
LRESULT OnMenuChar(FrameWindow& frame, WPARAM wParam, LPARAM lParam);
LRESULT OnDrawItem(FrameWindow& frame, const DRAWITEMSTRUCT& item);

// frame_recovery_win.cpp
// Creates the recovery store and hands it to the diary store.
void StartRecovery(FrameWindow& frame);
// The editor's text changed (EN_CHANGE): the recovery timer runs until the text has been kept.
void NoteEntryChanged(FrameWindow& frame);
// Timer kRecoveryTimer.
void OnRecoveryTick(FrameWindow& frame);
// At the end of start-up: offers the texts an earlier run could not save (unless another copy runs).
void OfferRecoveredTexts(FrameWindow& frame);

// frame_shutdown_win.cpp
// WM_CLOSE: whether the frame may shut down now. The entry is saved first, with the error shown when
// that fails: the program then stays open with the text. Nothing closes while one of the program's
// menus or message boxes is open.
[[nodiscard]] bool ReadyToClose(FrameWindow& frame);
// WM_QUERYENDSESSION: the entry saved (or kept in its recovery file when that fails) and the settings
// written; nothing freed. Returns TRUE: the session may end.
LRESULT OnQueryEndSession(FrameWindow& frame);
// WM_ENDSESSION: when the session really ends (ending), puts everything on disk again and returns true
// when the frame may shut down; while a menu or message box is open the process ends here instead.
[[nodiscard]] bool SessionEnds(FrameWindow& frame, WPARAM ending);

// frame_templates_win.cpp
void InsertTemplateCommand(FrameWindow& frame, int index);
[[nodiscard]] std::vector<TemplateMenuEntry> TemplateMenuEntries(FrameWindow& frame);

}  // namespace tavrin
