#pragma once
// The editor's player window on Windows: one MCIWnd child of the editor, created hidden and without a
// file. The editor subclasses it (black behind a movie, the arrow cursor, a click on the picture
// pauses or resumes). It is the MediaEngine of the editor's MediaPlayer.

#include <windows.h>

#include <memory>

#include "editor/media_engine.h"

namespace tavrin {

class MciWindowEngine final : public MediaEngine {
public:
    // Creates the player as a child of the editor with subclass as its window procedure; nothing when
    // the window cannot be made.
    [[nodiscard]] static std::unique_ptr<MciWindowEngine> Create(HWND editor, WNDPROC subclass);
    MciWindowEngine(const MciWindowEngine&) = delete;
    MciWindowEngine& operator=(const MciWindowEngine&) = delete;
    // Gives the window its own procedure back, closes what is open and destroys it.
    ~MciWindowEngine() override;

    [[nodiscard]] HWND Window() const noexcept { return window_; }
    // The player's own window procedure, for the messages the editor's does not take.
    [[nodiscard]] WNDPROC PreviousProcedure() const noexcept { return previous_; }

    void Park() override;
    bool Open(std::u16string_view name) override;
    void Close() override;
    void Play() override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    void Seek(int ms) override;
    [[nodiscard]] int Length() override;
    [[nodiscard]] int Position() override;
    [[nodiscard]] MediaMode Mode() override;
    void SetVolume(int volume) override;
    MediaSize Source() override;
    void Place(const EditorRect& area, const EditorRect& destination) override;
    void Show(bool visible) override;

private:
    MciWindowEngine(HWND window, WNDPROC previous) : window_(window), previous_(previous) {}

    HWND window_;
    WNDPROC previous_;
};

}  // namespace tavrin
