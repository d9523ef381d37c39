#pragma once
// The main frame's state and the handlers its window procedure dispatches to. Internal to the frame's
// *_win.cpp files; everyone else talks to the frame through main_frame_win.h and window messages.

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <optional>

#include "app/app_win.h"
#include "app/error_box_win.h"
#include "calendar/calendar_animation.h"
#include "search/full_text_search.h"
#include "store/diary_store.h"
#include "store/recovery_store.h"
#include "templates/template_commands.h"
#include "ui/background_picture.h"
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
inline constexpr int kSearchListControlId = 202;

struct FrameWindow {
    FrameWindow(App& app, HWND window);

    App& app;
    HWND window;

    Surface backBuffer{100, 100};
    MemorySurface glyphs{0, 0};  // the glyph strip drawn for dpi, in cells of glyphCell pixels
    int glyphCell = 16;
    Surface menuSurface;
    int dpi = kBaseDpi;  // the DPI of the window's screen; every 96-DPI length is scaled for it
    OwnedFont smallFont;
    OwnedFont mediumFont;
    OwnedFont largeFont;

    FrameModel model;
    FrameScene scene;
    SlideState slide;
    SplitterDrag drag;
    int hitCode = 0;
    bool trackingMouse = false;  // WM_MOUSELEAVE has been asked for
    HWND holidayTip = nullptr;   // the tool tip that names the holiday under the mouse
    OwnedFont tipFont;           // its font, the system's status font for dpi
    PixelRect holidayTipArea;    // the day cell the tip is shown for; empty when none
    std::u16string searchText;   // the search box's text, which the frame paints over a background picture

    // The background picture, already faded into the Back colour (none while no picture is shown), and
    // its top-left corner in client pixels. The editor and the search list's scroll bar draw from it.
    std::unique_ptr<Surface> backPicture;
    PicturePoint backOrigin;

    std::unique_ptr<EditorPort> editorPort;
    FrameStoreView storeView{*this};
    MessageBoxErrorSink errors;
    // Declared before the store, which uses it, so that it is destroyed after it: its destruction
    // writes what the store's final save handed over.
    std::unique_ptr<RecoveryStore> recovery;
    RecoverySchedule recoverySchedule;
    bool recoveryTimerRunning = false;
    std::unique_ptr<DiaryStore> store;
    SearchState search;  // the hits the search list shows

    // The menu being shown (for WM_MEASUREITEM and WM_DRAWITEM) and the font it is drawn in.
    std::optional<MenuItemArray> openMenu;
    OwnedFont menuFont;
    bool settingsDialogOpen = false;
    std::optional<ScreenRect> symbolListRect;  // where the special-symbol list was last closed this run

    [[nodiscard]] CanvasFonts Fonts() const noexcept;
    [[nodiscard]] GlyphStripView GlyphStrip() noexcept;
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
// Shows the side area (and with it the search pane) when it is hidden.
void ShowSideArea(FrameWindow& frame);
void ApplyEditorStyle(FrameWindow& frame);
// AutoPlay and DoubleClickLink into the editor (part of ApplyEditorStyle).
void WriteEditorOptions(FrameWindow& frame);
// The store's options from the settings record.
void ApplyStoreOptions(FrameWindow& frame);
// The three side-area fonts from MainFontName and FontSizeS, M and L, at the frame's DPI.
void CreateSideFonts(FrameWindow& frame);
void PostFrameCommand(const FrameWindow& frame, int command);
// Paints the side calendar's grid at the slide's current step and invalidates it.
void PaintSlideStep(FrameWindow& frame);

// frame_dpi_win.cpp
// Makes the side-area fonts, the glyph strip and the search pane's fonts for frame.dpi.
void ApplyFrameDpi(FrameWindow& frame);
// One of the system's fonts (menu, status ...) for a screen of dpi.
[[nodiscard]] OwnedFont CreateSystemFont(int dpi, LOGFONTW NONCLIENTMETRICSW::*which);
LRESULT OnDpiChanged(FrameWindow& frame, WPARAM wParam, LPARAM lParam);

// frame_tip_win.cpp
// The tool tip over holidays of the side and the year calendar.
void CreateHolidayTip(FrameWindow& frame);
// Gives the tip a mouse message of the frame; a move first puts the tip over the holiday under the
// mouse, or over nothing.
void RelayToHolidayTip(FrameWindow& frame, UINT message, WPARAM wParam, LPARAM lParam);
// The mouse left the frame: no tip.
void HideHolidayTip(FrameWindow& frame);

// frame_commands_win.cpp
LRESULT OnCommand(FrameWindow& frame, WPARAM wParam, LPARAM lParam);

// frame_mouse_win.cpp
LRESULT OnMouseMessage(FrameWindow& frame, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnSetCursor(FrameWindow& frame, WPARAM wParam, LPARAM lParam);
// The mouse left the frame's client area (for a pane or the outside): no item is hovered any more.
LRESULT OnMouseLeave(FrameWindow& frame);
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

// frame_background_win.cpp
// Chooses and loads the background picture from [BackImage] (or lets it go when ShowBackImage is off)
// and places it; with repaint the frame is redrawn. False when no picture could be chosen or loaded:
// the previous one then stays. Called at start-up, for a picture dropped on the frame and after the
// settings dialog changed the background settings.
bool LoadBackgroundPicture(FrameWindow& frame, bool repaint);
// Computes the picture's origin and hands the picture to the editor, the search list and its scroll bar
// (after every Relayout).
void PlaceBackgroundPicture(FrameWindow& frame);
// Lets the picture go and tells the panes (at shutdown).
void ReleaseBackgroundPicture(FrameWindow& frame);
[[nodiscard]] bool BackgroundShown(const FrameWindow& frame) noexcept;

// frame_attach_win.cpp
// WM_DROPFILES: attachments, paths as text, or the background picture (edit mode, after start-up).
void DropFiles(FrameWindow& frame, HDROP drop);
// EditPaste in the editor: text, a file list or a bitmap from the clipboard.
void PasteFromClipboard(FrameWindow& frame);
// EditInsertFile: the system's file chooser, then attaching the file or inserting its path.
void InsertFileCommand(FrameWindow& frame);
// MEPN_OPENOBJECT: opens the file of the object under the mouse with the shell.
void OpenObjectAtCursor(FrameWindow& frame);
[[nodiscard]] std::vector<TemplateMenuEntry> TemplateMenuEntries(FrameWindow& frame);
// One $-code expanded as a template insertion would expand it now (the special-symbol list's examples);
// it reads the editor's selection without changing it.
[[nodiscard]] std::optional<std::u16string> ExpandTemplateCode(FrameWindow& frame, std::u16string_view code);

// frame_settings_win.cpp
// The Setting command: the settings sheet, then what its OK changed, or the restart after a reset.
void OpenSettings(FrameWindow& frame);

// frame_search_win.cpp
// The search box (its window procedure replaced) and the SearchListPane.
[[nodiscard]] bool CreateSearchPanes(FrameWindow& frame);
// Gives the search box and the result list the side area's small font (again after the fonts were
// remade for another DPI or other settings) and the list its colours.
void ApplySearchPaneStyle(FrameWindow& frame);
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
