#pragma once
// The seam between the editor's media player and whatever plays the files: one player window, a child
// of the editor, that opens one sound or movie at a time. Positions and lengths are milliseconds.
// On Windows it is an MCIWnd window (media_window_win.h); tests drive a fake.

#include <string_view>

#include "editor/editor_canvas.h"

namespace tavrin {

// What the player reports it is doing.
enum class MediaMode { NotReady, Stopped, Playing, Paused, Other };

// A movie's natural size in pixels; 0 x 0 for a sound or when the player cannot tell.
struct MediaSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const MediaSize&, const MediaSize&) = default;
};

class MediaEngine {
public:
    virtual ~MediaEngine() = default;

    // Moves the player window out of sight (at -1, -1, 1 x 1 pixel) while a file is opened.
    virtual void Park() = 0;
    // Opens a file named relative to the current directory (the diary's data folder); false when it
    // cannot be opened. Whatever was open before must have been closed.
    virtual bool Open(std::u16string_view name) = 0;
    virtual void Close() = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Seek(int ms) = 0;
    [[nodiscard]] virtual int Length() = 0;
    [[nodiscard]] virtual int Position() = 0;
    [[nodiscard]] virtual MediaMode Mode() = 0;
    // 0 (silent) to 1000 (full).
    virtual void SetVolume(int volume) = 0;
    // Reads the movie's source rectangle and hands it back as the source, so the whole frame is shown.
    virtual MediaSize Source() = 0;
    // Moves the player window to area (the editor's client pixels) and draws the movie into destination
    // (the player window's own client pixels).
    virtual void Place(const EditorRect& area, const EditorRect& destination) = 0;
    virtual void Show(bool visible) = 0;
};

}  // namespace tavrin
