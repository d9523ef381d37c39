#pragma once
// How the editor core tells its window what happened. The window posts the notifications to its
// parent as WM_COMMAND (code in the high word, control identifier in the low word), invalidates on
// Invalidate, hands scroll changes to its scroll bar pane and IME window, and runs the media player's
// window timers.

#include <cstdint>

namespace tavrin {

// Notification codes sent to the parent; the values are the WM_COMMAND codes.
enum class EditorNotification : std::uint16_t {
    SetFocus = 256,          // EN_SETFOCUS
    KillFocus = 512,         // EN_KILLFOCUS
    Change = 768,            // EN_CHANGE: after every insertion, deletion, undo step and redo step
    ImeOn = 32853,           // MEPN_IMEON
    ImeOff = 32854,          // MEPN_IMEOFF
    SelChange = 32855,       // MEPN_SELCHANGE: the editor changed text or selection by itself
    OpenLink = 32856,        // MEPN_OPENLINK
    ContextMenu = 32857,     // MEPN_CONTEXTMENU
    ContextMenuKey = 32861,  // MEPN_CONTEXTMENUKEY
    OpenObject = 32865,      // MEPN_OPENOBJECT
};

// What the scroll bar pane shows: all zero when the content fits the client area.
struct ScrollBarState {
    int total = 0;
    int position = 0;
    int page = 0;
    friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

class EditorObserver {
public:
    virtual ~EditorObserver() = default;
    // Post the notification to the parent (never send: the parent runs after the editor returns).
    virtual void Notify(EditorNotification code) { static_cast<void>(code); }
    // The client area must be repainted.
    virtual void Invalidate() {}
    // The scroll range or position changed.
    virtual void ScrollChanged(const ScrollBarState& state) { static_cast<void>(state); }
    // Paint what is invalid now instead of when the queue is empty (a seek shows its new time at once).
    virtual void UpdateNow() {}
    // A window timer of the editor: started (or restarted) with its period, and stopped. Its ticks come
    // back through MediaPlayer::OnTimer.
    virtual void StartTimer(int id, int periodMs) {
        static_cast<void>(id);
        static_cast<void>(periodMs);
    }
    virtual void StopTimer(int id) { static_cast<void>(id); }
};

}  // namespace tavrin
