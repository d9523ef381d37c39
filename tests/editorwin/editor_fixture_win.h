#pragma once
// A shown host window with one MarkupEditPane (600 x 400 client, style of the default settings with
// plain colours) for the Win32 tests, and helpers to drive it and read what it did.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/edit_state.h"
#include "editor/editor_window_messages.h"
#include "host_support_win.h"
#include "support/test_support.h"
#include "ui/surface.h"

namespace tavrin::testing {

inline constexpr ColorRef kTestText = MakeColorRef(0, 0, 128);
inline constexpr ColorRef kTestBack = MakeColorRef(255, 255, 224);
inline constexpr ColorRef kTestHead = MakeColorRef(128, 0, 0);

// The style of the tests: default settings, Alpha levels (200, 80, 32), title line off, colours
// that are easy to tell apart.
[[nodiscard]] DisplayStyle TestStyle(int a1 = 200, int a2 = 80, int a3 = 32, bool shadow = false);

// Holds keys down in this thread's keyboard state (what GetKeyState reads) for the scope's life.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys);
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    ~HeldKeys();

private:
    BYTE saved_[256] = {};
};

// Puts data on the clipboard under the given formats, each as its own memory block.
bool PutClipboard(HWND owner, const std::vector<std::pair<UINT, std::vector<BYTE>>>& formats);
[[nodiscard]] std::vector<BYTE> UnitsBytes(std::u16string_view text, bool terminate = true);
// The clipboard's Unicode text, or nothing.
[[nodiscard]] std::optional<std::u16string> ClipboardText(HWND owner);
[[nodiscard]] bool ClipboardHas(const wchar_t* registeredName);

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageW(editor_, message, wParam, lParam);
    }
    // Loads text, lets everything it posted arrive and forgets the notifications.
    void Load(std::u16string_view text);
    [[nodiscard]] EditState& Core() const;
    [[nodiscard]] std::u16string Text() const { return std::u16string(Core().Text()); }
    [[nodiscard]] std::pair<int, int> Selection() const;
    // Pumps messages, then hands over the notification codes the host received.
    [[nodiscard]] std::vector<WORD> Codes();
    void Key(WPARAM key) const;
    void Type(std::u16string_view text) const;
    void Click(int x, int y, WPARAM flags = 0) const;
    // Repaints now and returns the colour of a pixel of the off-screen surface.
    void Paint() const;
    [[nodiscard]] ColorRef Pixel(int x, int y) const;
    // The client pixel where an offset's row starts (x, top) and its row's height.
    [[nodiscard]] RowRecord RowAt(int offset) const;

    std::unique_ptr<host::HostWindow> host_;
    HWND editor_ = nullptr;
    TempFolder folder_;
    std::filesystem::path previousDirectory_;
};

}  // namespace tavrin::testing
