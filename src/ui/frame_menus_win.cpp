// The frame's popup menus: built as item arrays by the portable menu code, shown as owner-drawn
// system menus, drawn item by item on the menu work surface, and carried out when one is chosen.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/error_box_win.h"
#include "app/key_names_win.h"
#include "app/modal_scope_win.h"
#include "editor/editor_messages.h"
#include "platform/wide_win.h"
#include "ui/frame_window_win.h"
#include "ui/menus.h"

namespace tavrin {
namespace {

constexpr int kFolderOpenError = 317;

// The system menus of one open item array; destroyed when the menu closes.
class SystemMenus {
public:
    explicit SystemMenus(const MenuItemArray& items);
    SystemMenus(const SystemMenus&) = delete;
    SystemMenus& operator=(const SystemMenus&) = delete;
    ~SystemMenus() {
        // Destroying the top menu destroys the submenus it holds.
        if (!menus_.empty() && menus_.front()) {
            DestroyMenu(menus_.front());
        }
    }
    [[nodiscard]] HMENU Top() const { return menus_.empty() ? nullptr : menus_.front(); }

private:
    std::vector<HMENU> menus_;
};

SystemMenus::SystemMenus(const MenuItemArray& items) {
    for (std::size_t i = 0; i < items.Popups().size(); ++i) {
        menus_.push_back(CreatePopupMenu());
    }
    for (std::size_t popup = 0; popup < items.Popups().size(); ++popup) {
        for (const int position : items.Popups()[popup]) {
            const MenuItem& item = items.Item(position);
            const std::u16string text = MenuSystemText(item.label);
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE | MIIM_STRING;
            info.fType = MFT_OWNERDRAW | (item.IsSeparator() ? MFT_SEPARATOR : 0);
            info.fState = (item.Disabled() ? MFS_DISABLED : 0) |
                          ((item.flags & kMenuChecked) ? MFS_CHECKED : 0) |
                          ((item.flags & kMenuDefault) ? MFS_DEFAULT : 0);
            info.wID = static_cast<UINT>(position);
            info.dwItemData = static_cast<ULONG_PTR>(position);
            info.dwTypeData = const_cast<wchar_t*>(Wide(text));
            if (item.submenu >= 0 && static_cast<std::size_t>(item.submenu) < menus_.size()) {
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = menus_[static_cast<std::size_t>(item.submenu)];
            }
            InsertMenuItemW(menus_[popup], GetMenuItemCount(menus_[popup]), TRUE, &info);
        }
    }
}

MenuColours SystemMenuColours() {
    return {static_cast<ColorRef>(GetSysColor(COLOR_MENU)),
            static_cast<ColorRef>(GetSysColor(COLOR_HIGHLIGHT)),
            static_cast<ColorRef>(GetSysColor(COLOR_MENUTEXT)),
            static_cast<ColorRef>(GetSysColor(COLOR_GRAYTEXT))};
}

// Shows the array as a menu at the screen point; the chosen position, or 0.
int TrackItems(FrameWindow& frame, MenuItemArray items, POINT screenPoint) {
    frame.openMenu.emplace(std::move(items));
    frame.menuFont = CreateSystemFont(frame.dpi, &NONCLIENTMETRICSW::lfMenuFont);
    int chosen = 0;
    {
        SystemMenus menus(*frame.openMenu);
        if (menus.Top()) {
            const ModalScope modal;
            chosen = static_cast<int>(TrackPopupMenuEx(menus.Top(),
                                                       TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                       screenPoint.x, screenPoint.y, frame.window, nullptr));
        }
    }
    frame.menuFont.Reset();
    return chosen;
}

KeyTextSource KeysOf(const FrameWindow& frame, const SystemKeyNames& names) {
    return {&frame.app.state.settings.shortcutKey.active, &names};
}

// Runs a choice of the main, editor or template menu: its command goes to the frame.
void PostChoice(FrameWindow& frame, int position) {
    if (const std::optional<int> command =
            RunMenuChoice(*frame.openMenu, position, frame.app.state.templates.Count())) {
        PostFrameCommand(frame, *command);
    }
}

void RunDateMenu(FrameWindow& frame, DateMenu kind, MenuItemArray items, POINT point) {
    const int position = TrackItems(frame, std::move(items), point);
    if (const auto date = DateMenuChoice(kind, *frame.openMenu, position, frame.store->SelectedDate())) {
        frame.store->MoveToDate(*date);
    }
}

EditorMenuState EditorStateForMenu(const FrameWindow& frame) {
    HWND editor = frame.app.shell.editor;
    EditorMenuState state;
    state.readOnly = SendMessageW(editor, MEP_GETREADONLY, 0, 0) != 0;
    state.canUndo = SendMessageW(editor, EM_CANUNDO, 0, 0) != 0;
    state.canRedo = SendMessageW(editor, kEditCanRedo, 0, 0) != 0;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0));
    state.selectionEmpty = start == end;
    state.textEmpty = length == 0;
    state.allSelected = length > 0 && start == 0 && end == length;
    state.canPaste = IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_BITMAP) ||
                     IsClipboardFormatAvailable(CF_HDROP);
    return state;
}

void RunDiaryMenu(FrameWindow& frame, POINT point) {
    const DiaryMenu menu = frame.store->BuildDiaryMenu();
    std::vector<DiaryMenuEntry> entries;
    for (const DiaryMenu::Item& item : menu.diaries) {
        entries.push_back({item.name, item.checked});
    }
    const int position = TrackItems(
        frame, BuildDiaryFolderMenu(entries, menu.separator, menu.openItemEnabled, DiaryMenu::kOpenItemText),
        point);
    const int value = frame.openMenu->Item(position).commandValue;
    if (position > 0 && value == kOpenDiaryFolderValue) {
        const std::u16string folder = frame.store->DiaryFolderToOpen().u16string();
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(frame.window, L"open", Wide(folder), nullptr, nullptr, SW_SHOWNORMAL));
        if (result <= 32) {
            ShowErrorMessage(frame.window, kFolderOpenError, folder);
        }
    } else if (position > 0 && value >= 0 && static_cast<std::size_t>(value) < entries.size()) {
        frame.store->SwitchDiary(entries[static_cast<std::size_t>(value)].name);
    }
    RedrawFrame(frame);
    InvalidateFrame(frame, kInvalidateFrame);
}

}  // namespace

void OpenMenu(FrameWindow& frame, MenuKind kind, POINT point) {
    const SystemKeyNames names;
    const AppState& state = frame.app.state;
    const DiaryDate selected = frame.store->SelectedDate();
    switch (kind) {
        case MenuKind::kMain: {
            const MainMenuState menuState{state.displayMode, state.settings.window.showToolBar != 0,
                                          state.settings.window.showSideArea != 0,
                                          state.settings.window.fullscreen != 0, frame.settingsDialogOpen};
            PostChoice(frame, TrackItems(frame, BuildMainMenu(menuState, KeysOf(frame, names)), point));
            return;
        }
        case MenuKind::kEditorContext:
            PostChoice(frame, TrackItems(frame,
                                         BuildEditorMenu(EditorStateForMenu(frame),
                                                         TemplateMenuEntries(frame), KeysOf(frame, names)),
                                         point));
            return;
        case MenuKind::kTemplate:
            PostChoice(frame, TrackItems(frame, BuildTemplateItemsMenu(TemplateMenuEntries(frame)), point));
            return;
        case MenuKind::kYear:
            RunDateMenu(frame, DateMenu::kYear, BuildYearMenu(selected), point);
            return;
        case MenuKind::kMonth:
            RunDateMenu(
                frame, DateMenu::kMonth,
                BuildMonthMenu(selected, state.monthLabels, EntryCounts(&frame.store->Year(), selected.year)),
                point);
            return;
        case MenuKind::kDay:
            RunDateMenu(frame, DateMenu::kDay,
                        BuildDayMenu(selected, state.weekdayLabels, &frame.store->Year()), point);
            return;
        case MenuKind::kDiaryFolder:
            RunDiaryMenu(frame, point);
            return;
    }
}

int TrackMenuItems(FrameWindow& frame, MenuItemArray items, POINT screenPoint) {
    return TrackItems(frame, std::move(items), screenPoint);
}

POINT PointUnderCaret(const FrameWindow& frame) {
    HWND editor = frame.app.shell.editor;
    POINT caret{0, 0};
    const LRESULT height = SendMessageW(editor, MEP_GETCARETPOS, reinterpret_cast<WPARAM>(&caret), 0);
    if (height <= 0) {
        caret = {0, 0};
    } else {
        caret.y += static_cast<LONG>(height);
    }
    ClientToScreen(editor, &caret);
    return caret;
}

namespace {

// CharUpper's single-character form: the character travels in the pointer's low word.
wchar_t UpperCase(wchar_t character) {
    const auto upper =
        reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(character))));
    return static_cast<wchar_t>(upper & 0xFFFF);
}

}  // namespace

LRESULT OnMenuChar(FrameWindow& frame, WPARAM wParam, LPARAM lParam) {
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    if (!frame.openMenu || !menu) {
        return MAKELRESULT(0, MNC_IGNORE);
    }
    const wchar_t typed = UpperCase(static_cast<wchar_t>(LOWORD(wParam)));
    const int count = GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info)) {
            continue;
        }
        const MenuItem& item = frame.openMenu->Item(static_cast<int>(info.dwItemData));
        const std::size_t amp = item.label.find(u'&');
        if (item.Disabled() || amp == std::u16string::npos || amp + 1 >= item.label.size()) {
            continue;
        }
        if (UpperCase(static_cast<wchar_t>(item.label[amp + 1])) == typed) {
            return MAKELRESULT(index, item.submenu >= 0 ? MNC_SELECT : MNC_EXECUTE);
        }
    }
    return MAKELRESULT(0, MNC_IGNORE);
}

LRESULT OnMeasureItem(FrameWindow& frame, MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU || !frame.openMenu) {
        return FALSE;
    }
    const MenuItem& item = frame.openMenu->Item(static_cast<int>(measure.itemData));
    CanvasFonts fonts;
    fonts.menu = frame.menuFont.get();
    const GdiCanvas canvas(frame.menuSurface, fonts, frame.GlyphStrip(), frame.dpi);
    const MenuItemSize size = MeasureMenuItem(item, canvas, GetSystemMetrics(SM_CXSCREEN), frame.dpi);
    measure.itemWidth = static_cast<UINT>(size.width);
    measure.itemHeight = static_cast<UINT>(size.height);
    return TRUE;
}

LRESULT OnDrawItem(FrameWindow& frame, const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU || !frame.openMenu) {
        return FALSE;
    }
    const MenuItem& item = frame.openMenu->Item(static_cast<int>(draw.itemData));
    const int width = draw.rcItem.right - draw.rcItem.left;
    const int height = draw.rcItem.bottom - draw.rcItem.top;
    if (!frame.menuSurface.Valid() || frame.menuSurface.Width() < width ||
        frame.menuSurface.Height() < height) {
        CreateSurface(frame.window, frame.menuSurface, 32, std::max(width, 1), std::max(height, 32),
                      MakeColorRef(255, 255, 255));
    }
    CanvasFonts fonts;
    fonts.menu = frame.menuFont.get();
    GdiCanvas canvas(frame.menuSurface, fonts, frame.GlyphStrip(), frame.dpi);
    DrawMenuItem(canvas, item, PixelRect{0, 0, width, height}, (draw.itemState & ODS_SELECTED) != 0,
                 SystemMenuColours());
    BitBlt(draw.hDC, draw.rcItem.left, draw.rcItem.top, width, height, frame.menuSurface.Dc(), 0, 0, SRCCOPY);
    return TRUE;
}

}  // namespace tavrin
