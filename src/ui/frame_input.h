#pragma once
// What the main frame's mouse, wheel and key input means: the action of a click on each hit code,
// cursors, the splitter drags, the wheel and extra-button commands, the calendar-mode keys, focus
// cycling, the invalidation flags and the message loop's wheel routing. The window procedure asks
// these functions and carries out the answer.

#include <optional>

#include "app/app_state.h"
#include "app/settings.h"
#include "calendar/diary_date.h"
#include "ui/frame_layout.h"
#include "ui/frame_scene.h"

namespace tavrin {

// Command ids of the CommandTable rows the frame posts itself.
namespace command_id {
inline constexpr int kExit = 41001;
inline constexpr int kMax = 41002;
inline constexpr int kMin = 41003;
inline constexpr int kFullscreen = 41004;
inline constexpr int kToolBar = 41005;
inline constexpr int kSideBar = 41006;
inline constexpr int kFocus = 41007;
inline constexpr int kVersion = 41008;
inline constexpr int kSetting = 41009;
inline constexpr int kMenuMain = 41010;
inline constexpr int kMenuYear = 41011;
inline constexpr int kMenuMonth = 41012;
inline constexpr int kMenuDay = 41013;
inline constexpr int kMenuDiaryFolder = 41014;
inline constexpr int kMenuTemplate = 41015;
inline constexpr int kModeEdit = 41016;
inline constexpr int kModeCalendar = 41017;
inline constexpr int kToday = 41018;
inline constexpr int kOldDiary = 41019;
inline constexpr int kPrevDiary = 41020;
inline constexpr int kPrevYear = 41021;
inline constexpr int kPrevMonth = 41022;
inline constexpr int kPrevWeek = 41023;
inline constexpr int kPrevDay = 41024;
inline constexpr int kNextDay = 41025;
inline constexpr int kNextWeek = 41026;
inline constexpr int kNextMonth = 41027;
inline constexpr int kNextYear = 41028;
inline constexpr int kNextDiary = 41029;
inline constexpr int kNewDiary = 41030;
inline constexpr int kJump = 41031;
inline constexpr int kSaveAs = 41032;
inline constexpr int kDiaryChange = 41033;
inline constexpr int kEditUndo = 41034;
inline constexpr int kEditRedo = 41035;
inline constexpr int kEditCut = 41036;
inline constexpr int kEditCopy = 41037;
inline constexpr int kEditPaste = 41038;
inline constexpr int kEditDelete = 41039;
inline constexpr int kEditAllSelect = 41040;
inline constexpr int kEditInsertFile = 41041;
inline constexpr int kEditOpenLink = 41042;
inline constexpr int kEditFontPlus = 41043;
inline constexpr int kEditFontMinus = 41044;
inline constexpr int kEditSpacePlus = 41045;
inline constexpr int kEditSpaceMinus = 41046;
inline constexpr int kSearch = 41047;
inline constexpr int kSearchSelect = 41048;
inline constexpr int kStartupCommand = 32968;
inline constexpr int kActivateCommand = 32969;
inline constexpr int kRestoreCommand = 32970;
}  // namespace command_id

// The popup menus of the program.
enum class MenuKind { kMain, kYear, kMonth, kDay, kDiaryFolder, kTemplate, kEditorContext };

enum class FrameActionKind {
    kNone,
    kPostCommand,  // post command as WM_COMMAND to the frame
    kGoToDate,     // GoToDate(date, focusEditor), then post thenCommand when it is not 0
    kOpenMenu,     // open menu at the client point (x, y)
    kFocusSearchBox,
    kRunSearch,      // search for the search box's text
    kBeginDrag,      // capture the mouse and start the splitter drag (BeginSplitterDrag)
    kSearchBoxMenu,  // post a context-menu request to the search box
};

struct FrameAction {
    FrameActionKind kind = FrameActionKind::kNone;
    int command = 0;
    DiaryDate date;
    bool focusEditor = false;
    int thenCommand = 0;
    MenuKind menu = MenuKind::kMain;
    int x = 0;
    int y = 0;
};

// The left button down (or a double click) on a hit code. A double click on a day of the year
// calendar only posts ModeEdit (its first click already moved there); any other double click acts as
// a button down.
[[nodiscard]] FrameAction LeftButtonAction(const FrameScene& scene, int hitCode, bool doubleClick,
                                           bool fixedSideBar) noexcept;
// The right button up at a client point: the search box's own menu over the search box and its button,
// else the main menu at the point.
[[nodiscard]] FrameAction RightButtonUpAction(int hitCode, int x, int y) noexcept;

enum class FrameCursor { kArrow, kSizeWestEast, kSizeNorthSouth, kIBeam, kHand };
enum class DragKind { kNone, kWidth, kHeight };

// The cursor over a hit code, or during a drag.
[[nodiscard]] FrameCursor CursorFor(int hitCode, DragKind activeDrag, bool fixedSideBar) noexcept;

// A splitter drag: what is dragged and where the mouse grabbed the splitter.
struct SplitterDrag {
    DragKind kind = DragKind::kNone;
    int grab = 0;  // mouse x minus the strip's left edge, or mouse y minus the calendar splitter's top
};

// The drag a left button down at (x, y) on hitCode starts; none unless on a splitter with FixedSideBar
// off.
[[nodiscard]] SplitterDrag BeginSplitterDrag(int hitCode, int x, int y, const FrameLayout& layout,
                                             bool fixedSideBar) noexcept;
// A mouse move during a drag (client pixels of the layout's screen): sets BoxWidth and SideBarWidth, or
// BoxHeight and the calendar row unit (stored as 96-DPI lengths),
// and returns true when they changed (the caller relayouts, redraws and invalidates everything). A
// width below 15 or a height below 12 changes nothing.
bool AdvanceSplitterDrag(const SplitterDrag& drag, int x, int y, const FrameLayout& layout,
                         Settings& settings) noexcept;

// Modifier keys held with a mouse input.
struct Modifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// The command of the wheel over the frame; delta > 0 is a turn away from the user.
[[nodiscard]] int WheelCommand(int delta, Modifiers keys) noexcept;
// The horizontal wheel: right (delta > 0) NextDiary, else PrevDiary; with Ctrl OldDiary or NewDiary.
[[nodiscard]] int HorizontalWheelCommand(int delta, bool ctrl) noexcept;
// Extra button 1 (back) NextDiary, 2 (forward) PrevDiary; with Ctrl OldDiary and NewDiary.
[[nodiscard]] int ExtraButtonCommand(int button, bool ctrl) noexcept;
// The wheel over the editor with Ctrl held: font size (with Shift: line spacing) up when turned away
// from the user, else down. Nothing without Ctrl (the editor scrolls).
[[nodiscard]] std::optional<int> EditorWheelCommand(int delta, bool ctrl, bool shift) noexcept;

// Virtual-key codes the frame and its panes handle themselves.
inline constexpr unsigned kVirtualKeyTab = 0x09;
inline constexpr unsigned kVirtualKeyReturn = 0x0D;
inline constexpr unsigned kVirtualKeySpace = 0x20;
inline constexpr unsigned kVirtualKeyPageUp = 0x21;
inline constexpr unsigned kVirtualKeyPageDown = 0x22;
inline constexpr unsigned kVirtualKeyEnd = 0x23;
inline constexpr unsigned kVirtualKeyHome = 0x24;
inline constexpr unsigned kVirtualKeyLeft = 0x25;
inline constexpr unsigned kVirtualKeyUp = 0x26;
inline constexpr unsigned kVirtualKeyRight = 0x27;
inline constexpr unsigned kVirtualKeyDown = 0x28;

// A key down in calendar mode: a command to post, the Space toggle of the marks, or nothing.
struct CalendarKeyAction {
    int command = 0;
    bool toggleMarks = false;
};
[[nodiscard]] CalendarKeyAction CalendarModeKey(unsigned virtualKey) noexcept;

// The panes that take part in focus cycling.
enum class FocusPane { kOther, kEditor, kSearchBox, kSearchList };

// The Focus command: in calendar mode switch to edit mode; in edit mode with the sidebar shown move
// editor -> search box -> search list -> editor (anything else -> editor); with the sidebar hidden
// nothing. target is kOther when the focus stays.
struct FocusStep {
    bool switchToEditMode = false;
    FocusPane target = FocusPane::kOther;
    friend bool operator==(const FocusStep&, const FocusStep&) = default;
};
[[nodiscard]] FocusStep CycleFocusStep(DisplayMode mode, bool sideAreaShown, FocusPane current) noexcept;

// InvalidateFrame flags.
inline constexpr unsigned kInvalidateAll = 0x01;
inline constexpr unsigned kInvalidateFrame = 0x02;
inline constexpr unsigned kInvalidateEditor = 0x04;
inline constexpr unsigned kInvalidateSearch = 0x10;

// What InvalidateFrame(flags) invalidates; the editor's part always comes with MEP_REDRAWSCROLLBAR.
struct InvalidateTargets {
    bool frame = false;
    bool editor = false;  // the editor and its scroll bar; post MEP_REDRAWSCROLLBAR
    bool searchBox = false;
    bool searchList = false;  // the search list and its scroll bar
    friend bool operator==(const InvalidateTargets&, const InvalidateTargets&) = default;
};
[[nodiscard]] InvalidateTargets InvalidateTargetsOf(unsigned flags) noexcept;

// Where the message loop sends a wheel message at a client point of the frame.
enum class WheelTarget { kDefault, kEditor, kSearchBox, kSearchList, kFrame };
[[nodiscard]] WheelTarget RouteWheel(const FrameLayout& layout, DisplayMode mode, int x, int y) noexcept;

// The client point under which MenuDiaryFolder opens: below the toolbar's diary-folder button when it
// is shown, else the client origin.
struct ClientPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ClientPoint&, const ClientPoint&) = default;
};
[[nodiscard]] ClientPoint DiaryMenuPoint(const FrameScene& scene) noexcept;

}  // namespace tavrin
