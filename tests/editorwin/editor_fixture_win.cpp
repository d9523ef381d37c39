#include "editor_fixture_win.h"

#include <cstring>
#include <optional>

#include "editor/markup_edit_pane_win.h"

namespace tavrin::testing {
namespace {

// GDI+ for the whole test program: the editor loads pictures with it.
const host::GdiplusSession gdiplus;

}  // namespace

DisplayStyle TestStyle(int a1, int a2, int a3, bool shadow) {
    DisplayStyle style = host::DefaultStyle(15, shadow);
    style.fontSizeHead = 150;
    style.colors[kColorText] = static_cast<std::int32_t>(kTestText);
    style.colors[kColorBack] = static_cast<std::int32_t>(kTestBack);
    style.colors[kColorHead] = static_cast<std::int32_t>(kTestHead);
    style.alpha = {a1, a2, a3};
    return style;
}

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    for (const int key : keys) {
        state[key] = 0x80;
    }
    SetKeyboardState(state);
}

HeldKeys::~HeldKeys() {
    SetKeyboardState(saved_);
}

bool PutClipboard(HWND owner, const std::vector<std::pair<UINT, std::vector<BYTE>>>& formats) {
    if (!OpenClipboard(owner)) {
        return false;
    }
    EmptyClipboard();
    bool ok = true;
    for (const auto& [format, bytes] : formats) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
        if (block == nullptr) {
            ok = false;
            continue;
        }
        void* data = GlobalLock(block);
        if (data == nullptr) {
            GlobalFree(block);
            ok = false;
            continue;
        }
        std::memcpy(data, bytes.data(), bytes.size());
        GlobalUnlock(block);
        if (SetClipboardData(format, block) == nullptr) {
            GlobalFree(block);
            ok = false;
        }
    }
    CloseClipboard();
    return ok;
}

std::vector<BYTE> UnitsBytes(std::u16string_view text, bool terminate) {
    std::vector<BYTE> bytes((text.size() + (terminate ? 1 : 0)) * 2, 0);
    std::memcpy(bytes.data(), text.data(), text.size() * 2);
    return bytes;
}

std::optional<std::u16string> ClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) {
        return std::nullopt;
    }
    std::optional<std::u16string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            text = std::u16string(units);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool ClipboardHas(const wchar_t* registeredName) {
    return IsClipboardFormatAvailable(RegisterClipboardFormatW(registeredName)) != FALSE;
}

void EditorTest::SetUp() {
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    previousDirectory_ = current;
    SetCurrentDirectoryW(folder_.path().wstring().c_str());
    host_ = std::make_unique<host::HostWindow>(GetModuleHandleW(nullptr), 600, 400, true);
    ASSERT_TRUE(host_->Valid());
    editor_ = host_->Editor();
    const DisplayStyle style = TestStyle();
    ASSERT_EQ(Send(MEP_SETSTYLE, reinterpret_cast<WPARAM>(&style)), 1);
    SetForegroundWindow(host_->Frame());
    SetFocus(editor_);
    host::PumpMessages();
    static_cast<void>(host_->TakeNotifications());
}

void EditorTest::TearDown() {
    host_.reset();
    host::PumpMessages();
    SetCurrentDirectoryW(previousDirectory_.wstring().c_str());
}

void EditorTest::Load(std::u16string_view text) {
    ASSERT_EQ(Send(MEP_SETTEXT, reinterpret_cast<WPARAM>(text.data()), static_cast<LPARAM>(text.size())), 1);
    host::PumpMessages();
    static_cast<void>(host_->TakeNotifications());
}

EditState& EditorTest::Core() const {
    EditState* state = nullptr;
    Send(MEP_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    if (state == nullptr) {
        throw std::runtime_error("the editor has no state");
    }
    return *state;
}

std::pair<int, int> EditorTest::Selection() const {
    DWORD start = 0;
    DWORD end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

std::vector<WORD> EditorTest::Codes() {
    host::PumpMessages();
    return host_->TakeCodes();
}

void EditorTest::Key(WPARAM key) const {
    Send(WM_KEYDOWN, key, 1);
    Send(WM_KEYUP, key, 0xC0000001);
}

void EditorTest::Type(std::u16string_view text) const {
    for (const char16_t unit : text) {
        Send(WM_CHAR, unit, 1);
    }
}

void EditorTest::Click(int x, int y, WPARAM flags) const {
    Send(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(x, y));
    Send(WM_LBUTTONUP, flags, MAKELPARAM(x, y));
}

void EditorTest::Paint() const {
    InvalidateRect(editor_, nullptr, FALSE);
    UpdateWindow(editor_);
}

ColorRef EditorTest::Pixel(int x, int y) const {
    const SurfaceView view = EditorSurfaceView(editor_);
    if (!view.Valid() || x < 0 || y < 0 || x >= view.width || y >= view.height) {
        ADD_FAILURE() << "no pixel at " << x << "," << y;
        return 0;
    }
    return ColourOfPixel(view.Row(y)[x]);
}

RowRecord EditorTest::RowAt(int offset) const {
    EditState& core = Core();
    const int row = core.RowOfOffset(offset);
    return row < 0 ? RowRecord{} : core.Rows()[static_cast<std::size_t>(row)];
}

}  // namespace tavrin::testing
