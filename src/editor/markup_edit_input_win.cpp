// Keyboard, mouse, IME, clipboard and scroll messages of the MarkupEditPane: each turns into a call on
// the editor core; what the core cannot do itself (capture, cursors, the caret, the input context,
// the clipboard) happens here.
#include <windowsx.h>

#include <climits>
#include <cstring>
#include <optional>

#include "editor/editor_clipboard_win.h"
#include "editor/editor_window_messages.h"
#include "editor/markup_edit_window_win.h"
#include "ui/scrollbar/scroll_bar_messages.h"

namespace tavrin {
namespace {

bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}

std::optional<EditorKey> EditorKeyOf(WPARAM key) {
    switch (key) {
        case VK_BACK:
            return EditorKey::Back;
        case VK_DELETE:
            return EditorKey::Delete;
        case VK_LEFT:
            return EditorKey::Left;
        case VK_RIGHT:
            return EditorKey::Right;
        case VK_UP:
            return EditorKey::Up;
        case VK_DOWN:
            return EditorKey::Down;
        case VK_HOME:
            return EditorKey::Home;
        case VK_END:
            return EditorKey::End;
        case VK_PRIOR:
            return EditorKey::PageUp;
        case VK_NEXT:
            return EditorKey::PageDown;
        case VK_INSERT:
            return EditorKey::Insert;
        case 'A':
            return EditorKey::A;
        case 'C':
            return EditorKey::C;
        case 'V':
            return EditorKey::V;
        case 'X':
            return EditorKey::X;
        case 'Y':
            return EditorKey::Y;
        case 'Z':
            return EditorKey::Z;
        default:
            return std::nullopt;
    }
}

HCURSOR CursorOf(CursorKind kind) {
    switch (kind) {
        case CursorKind::Hand:
            return LoadCursorW(nullptr, IDC_HAND);
        case CursorKind::Arrow:
            return LoadCursorW(nullptr, IDC_ARROW);
        default:
            return LoadCursorW(nullptr, IDC_IBEAM);
    }
}

// --- Keyboard -----------------------------------------------------------------------------------

LRESULT OnKeyDown(HWND window, WPARAM key) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    if (key == VK_APPS) {
        SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), static_cast<LPARAM>(-1));
        return 0;
    }
    const std::optional<EditorKey> editorKey = EditorKeyOf(key);
    if (editorKey) {
        WinEditorClipboard clipboard(window);
        state->editor.KeyDown(*editorKey, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL), &clipboard);
    }
    return 0;
}

LRESULT OnSysKeyDown(HWND window, WPARAM key, LPARAM lParam) {
    if (key == VK_MENU) {
        return 1;  // Alt alone must not wake the frame's menu bar
    }
    return DefWindowProcW(window, WM_SYSKEYDOWN, key, lParam);
}

LRESULT OnChar(HWND window, WPARAM unit) {
    if (EditorWindow* state = EditorOf(window)) {
        state->editor.Char(static_cast<char16_t>(unit), KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL));
    }
    return 0;
}

// --- Mouse --------------------------------------------------------------------------------------

LRESULT OnLButtonDown(HWND window, WPARAM flags, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    SetFocus(window);
    const MouseDownResult result = state->editor.LButtonDown(
        GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (flags & MK_SHIFT) != 0, (flags & MK_CONTROL) != 0);
    if (result.capture) {
        SetCapture(window);
    }
    state->PlaceComposition();
    return 0;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    state->cursor = state->editor.MouseMove(point.x, point.y);
    RECT client{};
    GetClientRect(window, &client);
    if (PtInRect(&client, point)) {
        SetCursor(CursorOf(state->cursor));
    }
    return 0;
}

LRESULT OnLButtonUp(HWND window, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state != nullptr && state->editor.LButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) &&
        GetCapture() == window) {
        ReleaseCapture();
    }
    return 0;
}

LRESULT OnCaptureChanged(HWND window, LPARAM newOwner) {
    EditorWindow* state = EditorOf(window);
    if (state != nullptr && reinterpret_cast<HWND>(newOwner) != window && state->editor.Selecting()) {
        // The drag ends where it is; a point no click can have makes sure no link opens.
        state->editor.LButtonUp(INT_MIN, INT_MIN);
    }
    return 0;
}

LRESULT OnLButtonDblClk(HWND window, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    SetFocus(window);
    state->editor.LButtonDblClk(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (state->editor.Selecting()) {
        SetCapture(window);
    }
    state->PlaceComposition();
    return 0;
}

LRESULT OnMouseWheel(HWND window, WPARAM wParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr || (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0 || state->scrollBar == nullptr) {
        return 0;
    }
    // The steps go through the scroll bar, which hands each one back as WM_VSCROLL.
    const WheelSteps steps = state->editor.Wheel(GET_WHEEL_DELTA_WPARAM(wParam), KeyHeld(VK_MENU));
    for (int step = 0; step < steps.count; ++step) {
        SendMessageW(state->scrollBar, WM_VSCROLL, static_cast<WPARAM>(steps.code), 0);
    }
    return 0;
}

LRESULT OnSetCursor(HWND window, WPARAM wParam, LPARAM lParam) {
    const EditorWindow* state = EditorOf(window);
    if (state != nullptr && reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT) {
        SetCursor(CursorOf(state->cursor));
        return TRUE;
    }
    return DefWindowProcW(window, WM_SETCURSOR, wParam, lParam);
}

// --- IME ----------------------------------------------------------------------------------------

LRESULT OnImeStartComposition(HWND window, WPARAM wParam, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state != nullptr && !state->editor.ReadOnly()) {
        state->editor.ScrollCaretIntoView();
        const ImeContext context(window);
        LOGFONTW font{};
        if (context.Get() != nullptr &&
            GetObjectW(state->measurer.Font(state->editor.ImeFontSlot()), sizeof font, &font) != 0) {
            ImmSetCompositionFontW(context.Get(), &font);
        }
        HideCaret(window);
        state->PlaceComposition();
    }
    return DefWindowProcW(window, WM_IME_STARTCOMPOSITION, wParam, lParam);
}

// The result string of a composition, or nothing when it cannot be read whole.
std::optional<std::u16string> ReadResultString(HWND window) {
    const ImeContext context(window);
    if (context.Get() == nullptr) {
        return std::nullopt;
    }
    const LONG bytes = ImmGetCompositionStringW(context.Get(), GCS_RESULTSTR, nullptr, 0);
    if (bytes <= 0) {
        return std::nullopt;
    }
    std::u16string text(static_cast<std::size_t>(bytes) / sizeof(char16_t), u'\0');
    const LONG read =
        ImmGetCompositionStringW(context.Get(), GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
    if (read != bytes) {
        return std::nullopt;
    }
    return text;
}

LRESULT OnImeComposition(HWND window, WPARAM wParam, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr || state->editor.ReadOnly() || (lParam & GCS_RESULTSTR) == 0) {
        return DefWindowProcW(window, WM_IME_COMPOSITION, wParam, lParam);
    }
    if (const std::optional<std::u16string> text = ReadResultString(window)) {
        state->editor.InsertImeResult(*text);
        UpdateWindow(window);
    }
    state->PlaceComposition();
    return 0;
}

LRESULT OnImeEndComposition(HWND window, WPARAM wParam, LPARAM lParam) {
    const EditorWindow* state = EditorOf(window);
    if (state != nullptr && !state->editor.ReadOnly()) {
        ShowCaret(window);
    }
    return DefWindowProcW(window, WM_IME_ENDCOMPOSITION, wParam, lParam);
}

LRESULT OnImeNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state != nullptr && !state->editor.ReadOnly() && wParam == IMN_SETOPENSTATUS) {
        const ImeContext context(window);
        if (context.Get() != nullptr) {
            state->imeOpen = ImmGetOpenStatus(context.Get()) != FALSE;
            state->Notify(state->imeOpen ? EditorNotification::ImeOn : EditorNotification::ImeOff);
        }
    }
    return DefWindowProcW(window, WM_IME_NOTIFY, wParam, lParam);
}

// IMR_RECONVERTSTRING: the caret's logical line, with the selection as the part to reconvert. Without
// a buffer only the size is answered; a buffer smaller than that is refused.
LRESULT AnswerReconversion(EditorWindow& state, LPARAM lParam) {
    const ReconvertRequest request = state.editor.Reconvert();
    state.Invalidate();
    if (request.line.empty()) {
        return 0;
    }
    const std::size_t header = sizeof(RECONVERTSTRING);
    const std::size_t size = header + (request.line.size() + 1) * sizeof(char16_t);
    if (size > 0x7FFFFFFF) {
        return 0;
    }
    auto* answer = reinterpret_cast<RECONVERTSTRING*>(lParam);
    if (answer == nullptr) {
        return static_cast<LRESULT>(size);
    }
    if (answer->dwSize < size) {
        return 0;
    }
    const auto byteOffset = static_cast<DWORD>(request.targetOffset * sizeof(char16_t));
    answer->dwSize = static_cast<DWORD>(size);
    answer->dwVersion = 0;
    answer->dwStrLen = static_cast<DWORD>(request.line.size());
    answer->dwStrOffset = static_cast<DWORD>(header);
    answer->dwCompStrLen = static_cast<DWORD>(request.targetLength);
    answer->dwCompStrOffset = byteOffset;
    answer->dwTargetStrLen = static_cast<DWORD>(request.targetLength);
    answer->dwTargetStrOffset = byteOffset;
    auto* text = reinterpret_cast<char16_t*>(reinterpret_cast<BYTE*>(answer) + header);
    std::memcpy(text, request.line.data(), request.line.size() * sizeof(char16_t));
    text[request.line.size()] = u'\0';
    return static_cast<LRESULT>(size);
}

LRESULT OnImeRequest(HWND window, WPARAM wParam, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state != nullptr && !state->editor.ReadOnly() && wParam == IMR_RECONVERTSTRING) {
        return AnswerReconversion(*state, lParam);
    }
    return DefWindowProcW(window, WM_IME_REQUEST, wParam, lParam);
}

}  // namespace

LRESULT KeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            return OnKeyDown(window, wParam);
        case WM_KEYUP:
            // The system would turn the Apps key's release into a second context menu request.
            return wParam == VK_APPS ? 0 : DefWindowProcW(window, message, wParam, lParam);
        case WM_SYSKEYDOWN:
            return OnSysKeyDown(window, wParam, lParam);
        case WM_CHAR:
            return OnChar(window, wParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT MouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            return OnSetCursor(window, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnLButtonDown(window, wParam, lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(window, lParam);
        case WM_LBUTTONUP:
            return OnLButtonUp(window, lParam);
        case WM_CAPTURECHANGED:
            return OnCaptureChanged(window, lParam);
        case WM_LBUTTONDBLCLK:
            return OnLButtonDblClk(window, lParam);
        case WM_MOUSEWHEEL:
            return OnMouseWheel(window, wParam);
        case WM_MOUSEHWHEEL:
            return 0;  // the editor does not scroll sideways
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT ImeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_IME_STARTCOMPOSITION:
            return OnImeStartComposition(window, wParam, lParam);
        case WM_IME_COMPOSITION:
            return OnImeComposition(window, wParam, lParam);
        case WM_IME_ENDCOMPOSITION:
            return OnImeEndComposition(window, wParam, lParam);
        case WM_IME_CHAR:
            return 0;  // the result string arrives whole with WM_IME_COMPOSITION
        case WM_IME_NOTIFY:
            return OnImeNotify(window, wParam, lParam);
        case WM_IME_REQUEST:
            return OnImeRequest(window, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT ClipboardMessage(HWND window, UINT message) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    WinEditorClipboard clipboard(window);
    switch (message) {
        case WM_COPY:
            return state->editor.Copy(clipboard) ? 1 : 0;
        case WM_CUT:
            return state->editor.Cut(clipboard) ? 1 : 0;
        case WM_PASTE:
            return state->editor.Paste(clipboard) ? 1 : 0;
        default:
            return state->editor.Clear() ? 1 : 0;
    }
}

LRESULT OnVScroll(HWND window, WPARAM wParam) {
    EditorWindow* state = EditorOf(window);
    const int code = LOWORD(wParam);
    if (state == nullptr || code > static_cast<int>(ScrollCode::EndScroll)) {
        return 0;
    }
    int thumb = 0;
    if ((code == SB_THUMBPOSITION || code == SB_THUMBTRACK) && state->scrollBar != nullptr) {
        thumb = static_cast<int>(SendMessageW(state->scrollBar, SBP_GETPOS, 0, 0));
    }
    state->editor.Scroll(static_cast<ScrollCode>(code), thumb);
    return 0;
}

LRESULT OnContextMenu(HWND window, LPARAM lParam) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
        state->Notify(EditorNotification::ContextMenuKey);
        return 0;
    }
    state->caretHeight = 0;  // re-created: the right click may have left it hidden
    state->PlaceCaret(state->editor.CaretPlace());
    state->Notify(EditorNotification::ContextMenu);
    return 0;
}

}  // namespace tavrin
