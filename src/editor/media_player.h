#pragma once
// The editor's media player: which sound or movie of the entry plays, the delayed start of auto-play,
// the position display, seeking, pausing on the movie picture, the fade-out when the entry is
// replaced, and where the movie window lies. It drives a MediaEngine and asks the editor's observer
// for window timers and repaints; the editor calls it when its text, style, layout or scrolling
// changes and when a media row is clicked.

#include <string>

#include "editor/editor_canvas.h"
#include "editor/media_engine.h"

namespace tavrin {

class EditState;
class EditorObserver;

// The editor's window timers of the player.
inline constexpr int kMediaPositionTimer = 204;   // the position display while an item plays
inline constexpr int kMediaStartFadeTimer = 205;  // the auto-play delay, and the fade-out steps

inline constexpr int kMediaFullVolume = 1000;
inline constexpr int kMediaFadeStep = 100;     // per tick of 205: ten ticks to silence
inline constexpr int kMediaTickMs = 50;        // period of 205
inline constexpr int kSoundPositionMs = 1000;  // period of 204 for a sound
inline constexpr int kMoviePositionMs = 500;   // and for a movie

// What the player is doing: nothing; an item chosen by auto-play waits for its first tick; an item
// plays (or is paused, or has ended and shows its last position); a replaced entry's item fades out.
enum class MediaPhase { Idle, Pending, Playing, Fading };

// Hours, minutes (0-59) and seconds (0-59) of a time in milliseconds; negative times count as 0.
struct MediaClock {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    friend bool operator==(const MediaClock&, const MediaClock&) = default;
};
[[nodiscard]] MediaClock SplitMediaTime(int ms) noexcept;

// Where a movie of the source size is drawn inside an area of the given size: as large as fits with
// its aspect kept, centred on the axis with room to spare. Without a source size it fills the area.
[[nodiscard]] EditorRect FitMovie(int areaWidth, int areaHeight, MediaSize source) noexcept;

// The millisecond a click at x on the seek bar asks for: the share of the bar left of x times the
// length, within [0, length].
[[nodiscard]] int SeekTarget(const EditorRect& bar, int x, int lengthMs) noexcept;

class MediaPlayer {
public:
    explicit MediaPlayer(const EditState& editor) : editor_(editor) {}
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    void SetObserver(EditorObserver* observer) noexcept { observer_ = observer; }

    // MEP_CREATEMEDIA: the player window exists from now on; auto-play the current text.
    void Attach(MediaEngine* engine);
    // The editor goes away: playback stops, both timers stop, the engine is forgotten.
    void Detach();

    // With AutoPlay on, the first sound or movie of the text starts on the next tick of 205.
    void AutoPlay();
    // Opens and plays the media row whose objectIndex is index; false when there is none or it
    // cannot be opened (nothing plays then, and no message is shown).
    bool PlayItem(int index);
    void StopPlayback(bool repaint);
    // Jumps to ms (clamped to the length), shows the new time at once and plays on.
    void SeekTo(int ms);
    // Lays the player window over the picture area of the movie playing (after layout and scrolling).
    void PlaceMovie();
    void OnTimer(int id);
    // The entry is about to be replaced: the playing item fades out (or stops when fading is off).
    void BeforeTextReplaced();
    // A click on a sound (kHitSound) or movie (kHitMovie) row with the row's objectIndex, at a client
    // point: plays, stops or seeks.
    void Click(int hit, int index, int x, int y);
    // A click on the movie picture itself: pauses a playing movie, resumes a paused or stopped one.
    void PictureClicked();
    // Painting found the seek bar of the playing movie here (empty when none was drawn).
    void SetSeekBar(const EditorRect& bar) noexcept { seekBar_ = bar; }

    [[nodiscard]] MediaPhase Phase() const noexcept;
    [[nodiscard]] int CurrentItem() const noexcept { return currentItem_; }
    [[nodiscard]] bool CurrentIsMovie() const noexcept { return currentIsMovie_; }
    [[nodiscard]] const std::u16string& CurrentName() const noexcept { return currentName_; }
    [[nodiscard]] int LengthMs() const noexcept { return lengthMs_; }
    [[nodiscard]] int PositionMs() const noexcept { return positionMs_; }
    [[nodiscard]] MediaClock Length() const noexcept { return SplitMediaTime(lengthMs_); }
    [[nodiscard]] MediaClock Position() const noexcept { return SplitMediaTime(positionMs_); }
    [[nodiscard]] int Volume() const noexcept { return volume_; }
    [[nodiscard]] const EditorRect& SeekBar() const noexcept { return seekBar_; }
    [[nodiscard]] bool FadeOnChange() const noexcept { return fadeOnChange_; }
    void SetFadeOnChange(bool on) noexcept { fadeOnChange_ = on; }

private:
    // The row index of the sound or movie row with the objectIndex; -1 when there is none.
    [[nodiscard]] int MediaRow(int index) const noexcept;
    void FadeTick();
    void StartTimer(int id, int periodMs);
    void StopTimer(int id);
    void Repaint();

    const EditState& editor_;
    EditorObserver* observer_ = nullptr;
    MediaEngine* engine_ = nullptr;

    int currentItem_ = -1;  // objectIndex of the item playing or about to play
    bool currentIsMovie_ = false;
    bool opened_ = false;  // the current item is open in the engine (it plays, or has played)
    std::u16string currentName_;
    int lengthMs_ = 0;
    int positionMs_ = 0;
    MediaSize source_;
    int volume_ = kMediaFullVolume;
    EditorRect seekBar_;
    bool fadeOnChange_ = true;
    bool positionTimer_ = false;
    bool startFadeTimer_ = false;
    EditorRect placedArea_;  // where the player window was last put over a movie row
    bool shown_ = false;
};

}  // namespace tavrin
