#include "editor/media_window_win.h"

#include <vfw.h>

#include <string>

#include "platform/wide_win.h"

namespace tavrin {
namespace {

// A child without play bar, menu, open command or error boxes (a file that cannot be opened only
// leaves the row as it was), reporting errors to the editor, never resizing itself to the movie.
constexpr DWORD kPlayerStyle = WS_CHILD | WS_VISIBLE | MCIWNDF_NOPLAYBAR | MCIWNDF_NOMENU | MCIWNDF_NOOPEN |
                               MCIWNDF_NOERRORDLG | MCIWNDF_NOTIFYERROR | MCIWNDF_NOAUTOSIZEWINDOW;

}  // namespace

std::unique_ptr<MciWindowEngine> MciWindowEngine::Create(HWND editor, WNDPROC subclass) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(editor, GWLP_HINSTANCE));
    HWND window = MCIWndCreateW(editor, instance, kPlayerStyle, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    // A child player gets a border from its class; the movie is to fill the picture area exactly.
    SetWindowLongPtrW(window, GWL_STYLE,
                      GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
    SetWindowPos(window, nullptr, -1, -1, 1, 1,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_HIDEWINDOW);
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass)));
    return std::unique_ptr<MciWindowEngine>(new MciWindowEngine(window, previous));
}

MciWindowEngine::~MciWindowEngine() {
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        MCIWndClose(window_);
        DestroyWindow(window_);
    }
}

void MciWindowEngine::Park() { SetWindowPos(window_, nullptr, -1, -1, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE); }

bool MciWindowEngine::Open(std::u16string_view name) {
    std::u16string file(name);
    if (MCIWndOpen(window_, WideBuffer(file), 0) != 0) {
        return false;
    }
    // A movie counts in frames until told otherwise; the player speaks milliseconds throughout.
    MCIWndUseTime(window_);
    return true;
}

void MciWindowEngine::Close() { MCIWndClose(window_); }

void MciWindowEngine::Play() { MCIWndPlay(window_); }

void MciWindowEngine::Stop() {
    // A wave player may finish the buffer in hand before a stop takes hold (Wine's sounds on for up to
    // a third of a second and holds the caller meanwhile); a pause falls silent at once, and a paused
    // player stops without waiting.
    if (MCIWndGetMode(window_, nullptr, 0) == MCI_MODE_PLAY) {
        MCIWndPause(window_);
    }
    MCIWndStop(window_);
}

void MciWindowEngine::Pause() { MCIWndPause(window_); }

void MciWindowEngine::Resume() { MCIWndResume(window_); }

void MciWindowEngine::Seek(int ms) { MCIWndSeek(window_, ms); }

int MciWindowEngine::Length() { return static_cast<int>(MCIWndGetLength(window_)); }

int MciWindowEngine::Position() { return static_cast<int>(MCIWndGetPosition(window_)); }

MediaMode MciWindowEngine::Mode() {
    switch (MCIWndGetMode(window_, nullptr, 0)) {
        case MCI_MODE_NOT_READY:
            return MediaMode::NotReady;
        case MCI_MODE_STOP:
            return MediaMode::Stopped;
        case MCI_MODE_PLAY:
            return MediaMode::Playing;
        case MCI_MODE_PAUSE:
            return MediaMode::Paused;
        default:
            return MediaMode::Other;
    }
}

void MciWindowEngine::SetVolume(int volume) { MCIWndSetVolume(window_, volume); }

MediaSize MciWindowEngine::Source() {
    RECT source{};
    if (MCIWndGetSource(window_, &source) != 0) {
        return {};
    }
    MCIWndPutSource(window_, &source);
    return {source.right, source.bottom};
}

void MciWindowEngine::Place(const EditorRect& area, const EditorRect& destination) {
    MoveWindow(window_, area.x, area.y, area.width, area.height, TRUE);
    RECT rect{destination.x, destination.y, destination.x + destination.width,
              destination.y + destination.height};
    MCIWndPutDest(window_, &rect);
}

void MciWindowEngine::Show(bool visible) { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }

}  // namespace tavrin
