#include "editor/media_player.h"

#include <algorithm>

#include "editor/edit_state.h"

namespace tavrin {

MediaClock SplitMediaTime(int ms) noexcept {
    ms = std::max(ms, 0);
    return {ms / 3600000, ms / 60000 % 60, ms / 1000 % 60};
}

EditorRect FitMovie(int areaWidth, int areaHeight, MediaSize source) noexcept {
    if (source.width <= 0 || source.height <= 0 || areaWidth <= 0 || areaHeight <= 0) {
        return {0, 0, std::max(areaWidth, 0), std::max(areaHeight, 0)};
    }
    const double byHeight = static_cast<double>(areaHeight) / source.height;
    const double byWidth = static_cast<double>(areaWidth) / source.width;
    // The smaller scale decides: the other side then has room to spare and is centred.
    if (byHeight > byWidth) {
        const int height = std::min(areaHeight, static_cast<int>(source.height * byWidth));
        return {0, (areaHeight - height) / 2, areaWidth, height};
    }
    const int width = std::min(areaWidth, static_cast<int>(byHeight * source.width));
    return {(areaWidth - width) / 2, 0, width, areaHeight};
}

int SeekTarget(const EditorRect& bar, int x, int lengthMs) noexcept {
    if (bar.width <= 0 || lengthMs <= 0) {
        return 0;
    }
    const double share = static_cast<double>(x - bar.x) / bar.width;
    return std::clamp(static_cast<int>(share * lengthMs), 0, lengthMs);
}

// --- Lifecycle ------------------------------------------------------------------------------------

void MediaPlayer::Attach(MediaEngine* engine) {
    if (engine_ != nullptr || engine == nullptr) {
        return;
    }
    engine_ = engine;
    AutoPlay();
}

void MediaPlayer::Detach() {
    StopPlayback(false);
    StopTimer(kMediaPositionTimer);
    StopTimer(kMediaStartFadeTimer);
    engine_ = nullptr;
}

MediaPhase MediaPlayer::Phase() const noexcept {
    if (currentItem_ >= 0) {
        return opened_ ? MediaPhase::Playing : MediaPhase::Pending;
    }
    return startFadeTimer_ ? MediaPhase::Fading : MediaPhase::Idle;
}

// --- Playing and stopping ---------------------------------------------------------------------------

void MediaPlayer::AutoPlay() {
    if (engine_ == nullptr || !editor_.AutoPlay()) {
        return;
    }
    const auto& rows = editor_.Rows();
    const auto first = std::find_if(rows.begin(), rows.end(), [](const RowRecord& row) {
        return row.kind == RowKind::Sound || row.kind == RowKind::Movie;
    });
    if (first == rows.end()) {
        return;
    }
    // The first tick plays it, so that the entry is painted before the file is opened. A fading item
    // keeps fading until then.
    currentIsMovie_ = first->kind == RowKind::Movie;
    currentItem_ = first->objectIndex;
    opened_ = false;
    StartTimer(kMediaStartFadeTimer, kMediaTickMs);
}

bool MediaPlayer::PlayItem(int index) {
    if (engine_ == nullptr) {
        return false;
    }
    const int rowIndex = MediaRow(index);
    const RowRecord* row = rowIndex >= 0 ? &editor_.Rows()[static_cast<std::size_t>(rowIndex)] : nullptr;
    if (row == nullptr) {  // names too long for a path never make a media row
        // Whatever played before must not go on without a row to stop it from.
        StopPlayback(true);
        return false;
    }
    currentIsMovie_ = row->kind == RowKind::Movie;
    StopPlayback(false);
    currentItem_ = index;
    engine_->Park();
    currentName_.assign(editor_.Text().substr(static_cast<std::size_t>(row->offset) + 2,
                                              static_cast<std::size_t>(row->charCount - 4)));
    engine_->Close();
    if (!engine_->Open(currentName_)) {
        currentItem_ = -1;
        Repaint();
        return false;
    }
    opened_ = true;
    lengthMs_ = std::max(engine_->Length(), 0);
    if (currentIsMovie_) {
        source_ = engine_->Source();
        PlaceMovie();
        engine_->Play();
        engine_->Show(true);
        shown_ = true;
    } else {
        engine_->Play();
    }
    Repaint();
    StartTimer(kMediaPositionTimer, currentIsMovie_ ? kMoviePositionMs : kSoundPositionMs);
    return true;
}

void MediaPlayer::StopPlayback(bool repaint) {
    currentItem_ = -1;
    opened_ = false;
    // A pending start or a fade-out is over as well: its next tick must not start or stop anything.
    StopTimer(kMediaStartFadeTimer);
    if (engine_ == nullptr) {
        return;
    }
    engine_->Show(false);
    shown_ = false;
    placedArea_ = {};
    engine_->Stop();
    engine_->Close();
    StopTimer(kMediaPositionTimer);
    volume_ = kMediaFullVolume;
    lengthMs_ = 0;
    positionMs_ = 0;
    source_ = {};
    seekBar_ = {};
    if (repaint) {
        Repaint();
    }
}

void MediaPlayer::SeekTo(int ms) {
    if (engine_ == nullptr || !opened_) {
        return;
    }
    positionMs_ = std::clamp(ms, 0, lengthMs_);
    Repaint();
    if (observer_ != nullptr) {
        observer_->UpdateNow();
    }
    engine_->Seek(positionMs_);
    engine_->Play();
}

void MediaPlayer::BeforeTextReplaced() {
    // Only an item that was opened fades; one still waiting for its first tick has nothing to fade.
    if (currentItem_ < 0 || !opened_ || !fadeOnChange_ || engine_ == nullptr) {
        StopPlayback(false);
        return;
    }
    // The item goes on sounding while the volume steps down; nothing of it is shown any more.
    engine_->Show(false);
    shown_ = false;
    placedArea_ = {};
    currentItem_ = -1;
    opened_ = false;
    StopTimer(kMediaPositionTimer);
    lengthMs_ = 0;
    positionMs_ = 0;
    seekBar_ = {};
    StartTimer(kMediaStartFadeTimer, kMediaTickMs);
}

// --- Timers ----------------------------------------------------------------------------------------

void MediaPlayer::OnTimer(int id) {
    if (engine_ == nullptr) {
        StopTimer(id);
        return;
    }
    if (id == kMediaStartFadeTimer) {
        if (currentItem_ >= 0) {
            StopTimer(kMediaStartFadeTimer);
            PlayItem(currentItem_);
        } else {
            FadeTick();
        }
    } else if (id == kMediaPositionTimer) {
        positionMs_ = std::max(engine_->Position(), 0);
        Repaint();
    }
}

void MediaPlayer::FadeTick() {
    volume_ = std::max(0, volume_ - kMediaFadeStep);
    engine_->SetVolume(volume_);
    if (volume_ == 0) {
        StopPlayback(false);
        StopTimer(kMediaStartFadeTimer);
    }
}

// --- Clicks ----------------------------------------------------------------------------------------

void MediaPlayer::Click(int hit, int index, int x, int y) {
    if (engine_ == nullptr || (hit != kHitSound && hit != kHitMovie)) {
        return;
    }
    if (index != currentItem_) {
        PlayItem(index);
    } else if (hit == kHitMovie && opened_ && seekBar_.Contains(x, y)) {
        SeekTo(SeekTarget(seekBar_, x, lengthMs_));
    } else {
        StopPlayback(true);
    }
}

void MediaPlayer::PictureClicked() {
    if (engine_ == nullptr) {
        return;
    }
    switch (engine_->Mode()) {
        case MediaMode::Stopped:
        case MediaMode::Paused:
            Repaint();
            engine_->Resume();
            break;
        case MediaMode::Playing:
            Repaint();
            engine_->Pause();
            break;
        default:
            break;
    }
}

// --- The movie window ------------------------------------------------------------------------------

void MediaPlayer::PlaceMovie() {
    if (engine_ == nullptr || currentItem_ < 0 || !opened_ || !currentIsMovie_) {
        return;
    }
    const int rowIndex = MediaRow(currentItem_);
    if (rowIndex < 0) {
        return;
    }
    const RowRecord& row = editor_.Rows()[static_cast<std::size_t>(rowIndex)];
    if (row.kind != RowKind::Movie) {
        return;
    }
    // Inside the shaded picture area by the object padding, scaled for the screen like the painter's.
    const ObjectPadding pad = editor_.ObjectPad();
    const EditorRect area{editor_.Style().marginLeft + pad.left, row.top + pad.top - editor_.ScrollOffset(),
                          row.width - pad.left - pad.right,
                          row.height - editor_.Fonts().MediaBarHeight() - pad.top - pad.bottom};
    // Typing lays the text out again after every character; a window already in place stays, so that
    // the movie does not flicker.
    if (shown_ && area == placedArea_) {
        return;
    }
    engine_->Show(false);
    engine_->Place(area, FitMovie(area.width, area.height, source_));
    engine_->Show(true);
    placedArea_ = area;
    shown_ = true;
}

// --- Helpers ---------------------------------------------------------------------------------------

int MediaPlayer::MediaRow(int index) const noexcept {
    if (index < 0) {
        return -1;
    }
    const auto& rows = editor_.Rows();
    const auto row = std::find_if(rows.begin(), rows.end(), [index](const RowRecord& record) {
        return (record.kind == RowKind::Sound || record.kind == RowKind::Movie) &&
               record.objectIndex == index;
    });
    return row == rows.end() ? -1 : static_cast<int>(row - rows.begin());
}

void MediaPlayer::StartTimer(int id, int periodMs) {
    (id == kMediaPositionTimer ? positionTimer_ : startFadeTimer_) = true;
    if (observer_ != nullptr) {
        observer_->StartTimer(id, periodMs);
    }
}

void MediaPlayer::StopTimer(int id) {
    bool& running = id == kMediaPositionTimer ? positionTimer_ : startFadeTimer_;
    if (running && observer_ != nullptr) {
        observer_->StopTimer(id);
    }
    running = false;
}

void MediaPlayer::Repaint() {
    if (observer_ != nullptr) {
        observer_->Invalidate();
    }
}

}  // namespace tavrin
