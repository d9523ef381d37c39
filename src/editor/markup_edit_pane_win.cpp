#include "editor/markup_edit_pane_win.h"

#include <cwchar>
#include <memory>
#include <string_view>

#include "editor/markup_edit_window_win.h"
#include "ui/dpi_win.h"
#include "ui/scrollbar/gdi_handles_win.h"
#include "ui/scrollbar/scroll_bar_pane_win.h"

namespace tavrin {
namespace {

// Longest face name the style keeps; a longer or unterminated one is cut here.
constexpr std::size_t kMaxFaceName = 63;

const char16_t* Units(LPARAM pointer) noexcept { return reinterpret_cast<const char16_t*>(pointer); }

std::int64_t Signed(WPARAM value) noexcept { return static_cast<std::int64_t>(static_cast<INT_PTR>(value)); }

// --- Lifecycle ------------------------------------------------------------------------------------

LRESULT OnNcCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const int id = LOWORD(reinterpret_cast<UINT_PTR>(create->hMenu));
    const bool readOnly = (static_cast<DWORD>(create->style) & ES_READONLY) != 0;
    auto state = std::make_unique<EditorWindow>(window, id, readOnly);
    if (!state->measurer.Valid()) {
        return FALSE;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    return DefWindowProcW(window, WM_NCCREATE, wParam, lParam);
}

LRESULT OnCreate(HWND window) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return -1;
    }
    state->scrollBar = CreateScrollBarPane(window, kEditorScrollBarId, true);
    if (state->scrollBar == nullptr) {
        return -1;
    }
    state->ApplyDpi();
    SendMessageW(state->scrollBar, SBP_SETCOLORS, RGB(255, 255, 255), RGB(0, 0, 0));
    SendMessageW(state->scrollBar, SBP_SETALPHA, 100, 256);
    if (state->editor.ReadOnly()) {
        state->ApplyReadOnly(true);
    }
    return 0;
}

LRESULT OnDestroy(HWND window) {
    if (EditorWindow* state = EditorOf(window)) {
        ReleaseMedia(*state);
        state->pictures.ReleasePictures(0);
        ReleaseSurface(state->surface);
        state->measurer.ReleaseFonts();
    }
    return 0;
}

LRESULT OnNcDestroy(HWND window) {
    const std::unique_ptr<EditorWindow> state(EditorOf(window));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return 0;
}

LRESULT OnDpiChangedAfterParent(HWND window) {
    if (EditorWindow* state = EditorOf(window)) {
        state->ApplyDpi();
    }
    return 0;
}

LRESULT OnSize(HWND window, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    const int width = LOWORD(lParam);
    const int height = HIWORD(lParam);
    CreateSurface(window, state->surface, 32, width > 0 ? width : 1, height > 0 ? height : 1,
                  RGB(255, 255, 255));
    state->editor.Resize(width, height);
    if (state->scrollBar != nullptr) {
        const int barWidth = state->ScrollBarWidth();
        MoveWindow(state->scrollBar, width - barWidth, 0, barWidth, height, TRUE);
        SendMessageW(state->scrollBar, SBP_SHOW, 1, 0);
        SendMessageW(state->scrollBar, SBP_SETACTIVE, 1, 0);
    }
    state->PlaceComposition();
    return 0;
}

LRESULT OnSetFocus(HWND window) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    state->Invalidate();
    state->caretHeight = 0;  // a new caret for the new focus
    state->PlaceCaret(state->editor.CaretPlace());
    state->Notify(EditorNotification::SetFocus);
    return 0;
}

LRESULT OnKillFocus(HWND window) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    HideCaret(window);
    DestroyCaret();
    state->caretHeight = 0;
    state->Notify(EditorNotification::KillFocus);
    return 0;
}

LRESULT OnPaint(HWND window) {
    EditorWindow* state = EditorOf(window);
    PaintResult result;
    {
        PaintScope paint(window);
        if (state == nullptr || !state->surface.Valid()) {
            return 0;
        }
        result = state->Render();
        CopySurfaceTo(state->surface, paint.Dc(), paint.Area());
    }
    // After EndPaint: it shows the caret it hid, which must not meet a caret made during the paint.
    state->PlaceCaret(result.caret);
    return 0;
}

// --- Text and edit-control messages -------------------------------------------------------------

LRESULT SetTextNow(HWND window, EditorWindow& state, const char16_t* text, std::int64_t length) {
    if (length < 0) {
        return 0;
    }
    const bool stored = state.editor.SetText(text, length);
    UpdateWindow(window);
    return stored ? 1 : 0;
}

LRESULT EditMessageWithoutState(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT && lParam != 0 && wParam > 0) {
        reinterpret_cast<wchar_t*>(lParam)[0] = L'\0';
    }
    return 0;
}

LRESULT OnGetSel(const EditorWindow& state, WPARAM wParam, LPARAM lParam) {
    int start = 0;
    int end = 0;
    const std::int64_t packed = state.editor.GetSel(&start, &end);
    if (wParam != 0) {
        *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
    }
    if (lParam != 0) {
        *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
    }
    return static_cast<LRESULT>(packed);
}

LRESULT OnReplaceSel(EditorWindow& state, LPARAM lParam) {
    const char16_t* text = Units(lParam);
    if (text == nullptr) {
        return 0;
    }
    return state.editor.ReplaceSel(std::u16string_view(text)) ? 1 : 0;
}

LRESULT OnScrollCaret(EditorWindow& state) {
    if (!state.editor.ScrollCaretIntoView()) {
        state.Invalidate();
    }
    return 1;
}

LRESULT EditMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return EditMessageWithoutState(message, wParam, lParam);
    }
    EditState& editor = state->editor;
    switch (message) {
        case WM_SETTEXT: {
            const char16_t* text = Units(lParam);
            return SetTextNow(window, *state, text, text != nullptr ? std::u16string_view(text).size() : 0);
        }
        case WM_GETTEXT:
            return editor.GetText(reinterpret_cast<char16_t*>(lParam), Signed(wParam));
        case WM_GETTEXTLENGTH:
            return editor.Length();
        case EM_GETSEL:
            return OnGetSel(*state, wParam, lParam);
        case EM_SETSEL:
            editor.SetSel(Signed(wParam), lParam);
            return 0;
        case EM_SCROLL:
            SendMessageW(window, WM_VSCROLL, LOWORD(wParam), 0);
            return 0x10000;
        case EM_LINESCROLL:
            return editor.LineScroll(Signed(wParam)) ? 1 : 0;
        case EM_SCROLLCARET:
            return OnScrollCaret(*state);
        case EM_GETMODIFY:
            return editor.Modified() ? 1 : 0;
        case EM_SETMODIFY:
            editor.SetModified(wParam != 0);
            return 0;
        case EM_GETLINECOUNT:
            return editor.RowCount();
        case EM_LINEINDEX:
            return editor.LineIndex(Signed(wParam));
        case EM_REPLACESEL:
            return OnReplaceSel(*state, lParam);
        case EM_CANUNDO:
            return editor.CanUndo() ? 1 : 0;
        case EM_UNDO:
        case WM_UNDO:
            return editor.Undo() ? 1 : 0;
        case kEditRedo:
            return editor.Redo() ? 1 : 0;
        case kEditCanRedo:
            return editor.CanRedo() ? 1 : 0;
        case EM_SETTABSTOPS:
            return editor.SetTabStops(Signed(wParam), lParam) ? 1 : 0;
        case EM_SETREADONLY:
            state->ApplyReadOnly(wParam != 0);
            return 1;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// --- The editor's own messages ------------------------------------------------------------------

LRESULT PaneMessageWithoutState(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MEP_GETSTATE && lParam != 0) {
        *reinterpret_cast<EditState**>(lParam) = nullptr;
    }
    if ((message == MEP_GETSELTEXT || message == MEP_GETSELWORD) && wParam != 0) {
        reinterpret_cast<char16_t*>(wParam)[0] = u'\0';
    }
    return ResultWithoutState(message);
}

LRESULT OnSetStyle(EditorWindow& state, WPARAM wParam) {
    const auto* record = reinterpret_cast<const DisplayStyle*>(wParam);
    if (record == nullptr) {
        return 0;
    }
    state.pictures.SetBackground(static_cast<COLORREF>(record->colors[kColorBack]) & 0xFFFFFF);
    state.ApplyDpi();  // the frame sends the style again when its screen changed
    return state.editor.SetStyle(record) ? 1 : 0;
}

LRESULT OnSetFont(EditorWindow& state, WPARAM wParam, LPARAM lParam) {
    std::u16string face = state.editor.Style().face;
    if (const auto* name = reinterpret_cast<const wchar_t*>(wParam)) {
        const std::size_t length = wcsnlen(name, kMaxFaceName);
        face.assign(reinterpret_cast<const char16_t*>(name), length);
    }
    return state.editor.SetFont(face, LOWORD(lParam)) ? 1 : 0;
}

LRESULT OnSetImeOpen(EditorWindow& state, WPARAM wParam) {
    state.imeOpen = wParam != 0;
    const ImeContext context(state.window);
    if (context.Get() != nullptr) {
        ImmSetOpenStatus(context.Get(), state.imeOpen ? TRUE : FALSE);
    }
    return 1;
}

LRESULT OnInsertRef(EditorWindow& state, WPARAM wParam) {
    const char16_t* name = Units(static_cast<LPARAM>(wParam));
    if (name == nullptr) {
        return 0;
    }
    return state.editor.InsertRef(std::u16string_view(name)) ? 1 : 0;
}

LRESULT OnGetSelPtr(EditorWindow& state, WPARAM wParam, LPARAM lParam) {
    int length = 0;
    int start = 0;
    const char16_t* pointer = state.editor.GetSelPtr(length, start);
    if (wParam != 0) {
        *reinterpret_cast<int*>(wParam) = length;
    }
    if (lParam != 0) {
        *reinterpret_cast<int*>(lParam) = start;
    }
    state.Invalidate();
    return reinterpret_cast<LRESULT>(pointer);
}

LRESULT OnGetCaretPos(EditorWindow& state, WPARAM wParam) {
    EditorPoint point;
    const int height = state.editor.GetCaretPos(&point);
    if (auto* out = reinterpret_cast<POINT*>(wParam)) {
        *out = {point.x, point.y};
    }
    return height;
}

LRESULT OnSetBackImage(EditorWindow& state, WPARAM wParam, LPARAM lParam) {
    const auto* size = reinterpret_cast<const PictureExtent*>(lParam);
    state.back.dc = reinterpret_cast<HDC>(wParam);
    state.back.size = state.back.dc != nullptr && size != nullptr ? *size : PictureExtent{};
    if (state.scrollBar != nullptr) {
        SendMessageW(state.scrollBar, SBP_SETBACKIMAGE, wParam, lParam);
    }
    state.Invalidate();
    return 1;
}

LRESULT OnSetBackImagePos(EditorWindow& state, WPARAM wParam, LPARAM lParam) {
    state.backX = static_cast<SHORT>(HIWORD(wParam));
    state.backY = static_cast<SHORT>(LOWORD(wParam));
    if (state.scrollBar != nullptr) {
        // The bar lies along the right edge: the same picture, seen from the bar's left edge.
        const int barX = state.backX + state.ScrollBarWidth() - state.editor.ClientWidth();
        SendMessageW(state.scrollBar, SBP_SETBACKIMAGEPOS,
                     MAKEWPARAM(static_cast<WORD>(state.backY), static_cast<WORD>(barX)), lParam);
    }
    state.Invalidate();
    return 1;
}

LRESULT OnGetObjectName(EditorWindow& state, WPARAM wParam, LPARAM lParam) {
    const auto* point = reinterpret_cast<const POINT*>(wParam);
    if (point == nullptr) {
        return -1;
    }
    const EditorPoint at{point->x, point->y};
    return state.editor.GetObjectName(&at, reinterpret_cast<char16_t*>(lParam));
}

LRESULT PaneMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return PaneMessageWithoutState(message, wParam, lParam);
    }
    EditState& editor = state->editor;
    switch (message) {
        case MEP_ISREADY:
        case MEP_RESERVED:
            return 1;
        case MEP_CREATEMEDIA:
            return OnCreateMedia(window);
        case MEP_SETSTYLE:
            return OnSetStyle(*state, wParam);
        case MEP_SETFONT:
            return OnSetFont(*state, wParam, lParam);
        case MEP_GETSTATE:
            if (lParam != 0) {
                *reinterpret_cast<EditState**>(lParam) = &editor;
            }
            return 1;
        case MEP_SETTEXT:
            return SetTextNow(window, *state, Units(static_cast<LPARAM>(wParam)), lParam);
        case MEP_GETSELTEXT:
            return editor.GetSelText(reinterpret_cast<char16_t*>(wParam), lParam);
        case MEP_GETSELWORD:
            return editor.GetSelWord(reinterpret_cast<char16_t*>(wParam), lParam);
        case MEP_SETLINESPACING:
            return editor.SetLineSpacing(static_cast<int>(Signed(wParam))) ? 1 : 0;
        case MEP_SETIMEOPEN:
            return OnSetImeOpen(*state, wParam);
        case MEP_SETWORDWRAP:
            return editor.SetWordWrap(wParam != 0) ? 1 : 0;
        case MEP_GETREADONLY:
            return editor.ReadOnly() ? 1 : 0;
        case MEP_SETTITLELINE:
            return editor.SetTitleLine(wParam != 0, lParam != 0) ? 1 : 0;
        case MEP_SELECTALL:
            return editor.SelectAll() ? 1 : 0;
        case MEP_TOGGLEHEADING:
            return editor.ToggleHeading(static_cast<int>(Signed(wParam))) ? 1 : 0;
        case MEP_INSERTREF:
            return OnInsertRef(*state, wParam);
        case MEP_REDRAWSCROLLBAR:
            InvalidateRect(state->scrollBar, nullptr, FALSE);
            return 1;
        case MEP_GETSELPTR:
            return OnGetSelPtr(*state, wParam, lParam);
        case MEP_GETCARETPOS:
            return OnGetCaretPos(*state, wParam);
        case MEP_SETBACKIMAGE:
            return OnSetBackImage(*state, wParam, lParam);
        case MEP_SETBACKIMAGEPOS:
            return OnSetBackImagePos(*state, wParam, lParam);
        case MEP_GETLINKKIND:
            return static_cast<LRESULT>(editor.GetLinkKind());
        case MEP_SETDBLCLICKLINK:
            editor.SetDoubleClickLink(wParam != 0);
            return 0;
        case MEP_CANADDPICTURE:
            return editor.CanAddPicture() ? 1 : 0;
        case MEP_GETOBJECTNAME:
            return OnGetObjectName(*state, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool IsPaneMessage(UINT message) noexcept { return message >= MEP_ISREADY && message <= MEP_GETOBJECTNAME; }

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsPaneMessage(message)) {
        return PaneMessage(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCCREATE:
            return OnNcCreate(window, wParam, lParam);
        case WM_CREATE:
            return OnCreate(window);
        case WM_DESTROY:
            return OnDestroy(window);
        case WM_NCDESTROY:
            return OnNcDestroy(window);
        case WM_DPICHANGED_AFTERPARENT:
            return OnDpiChangedAfterParent(window);
        case WM_SIZE:
            return OnSize(window, lParam);
        case WM_SETFOCUS:
            return OnSetFocus(window);
        case WM_KILLFOCUS:
            return OnKillFocus(window);
        case WM_PAINT:
            return OnPaint(window);
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            return OnTimer(window, wParam);
        case WM_VSCROLL:
            return OnVScroll(window, wParam);
        case WM_CONTEXTMENU:
            return OnContextMenu(window, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
            return KeyMessage(window, message, wParam, lParam);
        case WM_SETCURSOR:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_CAPTURECHANGED:
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            return MouseMessage(window, message, wParam, lParam);
        case WM_IME_STARTCOMPOSITION:
        case WM_IME_COMPOSITION:
        case WM_IME_ENDCOMPOSITION:
        case WM_IME_CHAR:
        case WM_IME_NOTIFY:
        case WM_IME_REQUEST:
            return ImeMessage(window, message, wParam, lParam);
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
        case WM_CLEAR:
            return ClipboardMessage(window, message);
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case EM_GETSEL:
        case EM_SETSEL:
        case EM_SCROLL:
        case EM_LINESCROLL:
        case EM_SCROLLCARET:
        case EM_GETMODIFY:
        case EM_SETMODIFY:
        case EM_GETLINECOUNT:
        case EM_LINEINDEX:
        case EM_REPLACESEL:
        case EM_CANUNDO:
        case EM_UNDO:
        case WM_UNDO:
        case kEditRedo:
        case kEditCanRedo:
        case EM_SETTABSTOPS:
        case EM_SETREADONLY:
            return EditMessage(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MarkupEditPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system: a handler that ran out of memory reports "not done".
        if (message == WM_NCCREATE) {
            return FALSE;
        }
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace

// --- EditorWindow -------------------------------------------------------------------------------

EditorWindow* EditorOf(HWND window) noexcept {
    return reinterpret_cast<EditorWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

EditorWindow::EditorWindow(HWND window, int id, bool readOnly)
    : window(window), id(id), pictures(window), editor(measurer, &pictures, this, readOnly) {}

void EditorWindow::Notify(EditorNotification code) {
    PostMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(window));
}

void EditorWindow::Invalidate() { InvalidateRect(window, nullptr, FALSE); }

void EditorWindow::ScrollChanged(const ScrollBarState& state) {
    // Typing reports the range after every character; the bar repaints only when it changed.
    if (scrollBar != nullptr && !(state == shownRange)) {
        shownRange = state;
        ScrollRange range{state.total, state.position, state.page};
        SendMessageW(scrollBar, SBP_SETRANGE, reinterpret_cast<WPARAM>(&range), 0);
    }
    if (editor.ScrollOffset() != placedScroll) {
        PlaceComposition();
    }
}

PaintResult EditorWindow::Render() {
    if (!surface.Valid()) {
        return {};
    }
    GdiEditorCanvas canvas(surface, measurer, pictures, back);
    PaintRequest request;
    request.backPicture = back.dc != nullptr;
    request.backX = backX;
    request.backY = backY;
    // An item waiting for its first tick still shows its play glyph: the entry is painted first.
    const MediaPlayer& media = editor.Media();
    if (media.Phase() == MediaPhase::Playing) {
        request.media = {media.CurrentItem(), media.PositionMs(), media.LengthMs()};
    }
    const PaintResult result = PaintEditor(editor, canvas, request);
    editor.Media().SetSeekBar(result.seekBar);
    return result;
}

void EditorWindow::PlaceCaret(const CaretPlacement& place) {
    if (GetFocus() != window) {
        return;
    }
    const int width = std::max(1, editor.Style().caretWidth);
    const int height = std::max(1, place.height);
    if (height != caretHeight || width != caretWidth) {
        DestroyCaret();
        CreateCaret(window, nullptr, width, height);
        ShowCaret(window);
        caretHeight = height;
        caretWidth = width;
    }
    SetCaretPos(place.x, place.y);
}

void EditorWindow::PlaceComposition() {
    placedScroll = editor.ScrollOffset();
    const ImeContext context(window);
    if (context.Get() == nullptr) {
        return;
    }
    const CompositionPlacement place = editor.ImePlacement();
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_POINT | CFS_RECT;
    form.ptCurrentPos = {place.point.x, place.point.y};
    form.rcArea = {place.left, place.top, place.right, place.bottom};
    ImmSetCompositionWindow(context.Get(), &form);
}

void EditorWindow::ApplyReadOnly(bool readOnly) {
    editor.SetReadOnly(readOnly);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE,
                      readOnly ? (style | ES_READONLY) : (style & ~static_cast<LONG_PTR>(ES_READONLY)));
    if (readOnly) {
        detachedIme.Detach(window);
    } else {
        detachedIme.Reattach();
    }
}

void EditorWindow::ApplyDpi() {
    const int dpi = WindowDpi(window);
    const bool changed = dpi != editor.Dpi();
    if (changed) {
        measurer.SetDotsPerInch(dpi);
        editor.SetDpi(dpi);
    }
    if (scrollBar == nullptr) {
        return;
    }
    SendMessageW(scrollBar, SBP_SETSTYLE, 2, static_cast<LPARAM>(ScrollBarWidth()));
    if (changed) {
        RECT client{};
        GetClientRect(window, &client);
        MoveWindow(scrollBar, client.right - ScrollBarWidth(), 0, ScrollBarWidth(), client.bottom, TRUE);
    }
}

// --- Public interface ---------------------------------------------------------------------------

bool RegisterMarkupEditPaneClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MarkupEditPaneProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kMarkupEditPaneClassName;
    const bool registered =
        RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered && RegisterScrollBarPaneClass(instance);
}

HWND CreateMarkupEditPane(HWND parent, int id, bool readOnly, const RECT& bounds) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | (readOnly ? ES_READONLY : 0);
    return CreateWindowExW(0, kMarkupEditPaneClassName, L"", style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

namespace {

bool IsEditorWindow(HWND window) {
    wchar_t name[32] = {};
    return window != nullptr && GetClassNameW(window, name, 32) > 0 &&
           std::wstring_view(name) == kMarkupEditPaneClassName;
}

}  // namespace

SurfaceView EditorSurfaceView(HWND editor) {
    const EditorWindow* state = IsEditorWindow(editor) ? EditorOf(editor) : nullptr;
    return state != nullptr ? state->surface.View() : SurfaceView{};
}

bool SetEditorAutoPlay(HWND editor, bool on) {
    EditState* state = nullptr;
    if (SendMessageW(editor, MEP_GETSTATE, 0, reinterpret_cast<LPARAM>(&state)) == 0 || state == nullptr) {
        return false;
    }
    state->SetAutoPlay(on);
    return true;
}

bool RenderEditorSurface(HWND editor) {
    EditorWindow* state = IsEditorWindow(editor) ? EditorOf(editor) : nullptr;
    if (state == nullptr) {
        return false;
    }
    state->Render();
    return true;
}

}  // namespace tavrin
