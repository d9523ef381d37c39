#pragma once
// What the editor test host, the typing benchmark and the Win32 tests share: a top-level window that
// holds one MarkupEditPane filling its client area, the style the main frame would send from the
// default settings, a sample entry with a picture, and screenshots.

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/display_style.h"

namespace tavrin::host {

// GDI+ for the life of the object.
class GdiplusSession {
public:
    GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession();
    [[nodiscard]] bool Started() const noexcept { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// The style record the main frame builds from the default settings, with the given Alpha (0-100) and
// drop shadow: face メイリオ 12 pt, headings 180 %, the default colours, margins 20/10/20/10.
[[nodiscard]] DisplayStyle DefaultStyle(int alphaPercent, bool dropShadow);

// A host window (class TavrinEditorHost) whose client area is one editor (control id 200). The
// notifications the editor posts are kept in order; Notifications() hands them over and clears them.
class HostWindow {
public:
    HostWindow(HINSTANCE instance, int clientWidth, int clientHeight, bool visible);
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();

    [[nodiscard]] bool Valid() const noexcept { return frame_ != nullptr && editor_ != nullptr; }
    [[nodiscard]] HWND Frame() const noexcept { return frame_; }
    [[nodiscard]] HWND Editor() const noexcept { return editor_; }

    // A notification as the parent received it.
    struct Notification {
        WORD code = 0;
        WORD id = 0;
        HWND from = nullptr;
    };
    [[nodiscard]] std::vector<Notification> TakeNotifications();
    // The codes only, taken likewise.
    [[nodiscard]] std::vector<WORD> TakeCodes();
    [[nodiscard]] int VScrollCount() const noexcept { return vscrolls_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND frame_ = nullptr;
    HWND editor_ = nullptr;
    std::vector<Notification> notifications_;
    int vscrolls_ = 0;
};

// Runs the message loop until nothing is waiting and at least minMs have passed.
void PumpMessages(DWORD minMs = 0);

// The sample entry of the host: Japanese text under a title, a heading, links, a control character,
// a tab, the picture sample.png, a missing picture and a sound row.
[[nodiscard]] std::u16string SampleEntry();

// Draws the host's sample picture (a small landscape) and saves it as PNG.
bool WriteSamplePicture(const std::filesystem::path& file, int width, int height);

// Saves what the screen shows inside the rectangle (screen coordinates) as a PNG file.
bool SaveScreenPng(const RECT& area, const std::filesystem::path& file);

}  // namespace tavrin::host
