// The editor's media player against a fake engine: auto-play after one tick, the fade-out of a
// replaced entry, clicks that play, stop and seek, the movie window over its row, movie fitting, and a
// random walk over all of it that checks the player never loses track of what the engine does.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "editor/media_player.h"
#include "editor_fakes.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::EditorFixture;
using testing::U;

// An engine that plays the files it knows, keeps their lengths and sizes, and checks its contract:
// nothing is opened over an open file, and nothing is done to a closed one but Close and Stop.
class FakeEngine final : public MediaEngine {
public:
    void Park() override {
        area = {-1, -1, 1, 1};
        log.push_back("park");
    }
    bool Open(std::u16string_view name) override {
        if (!open.empty()) {
            ++contractBreaks;
        }
        log.push_back("open " + std::string(name.begin(), name.end()));
        const auto found = files.find(std::u16string(name));
        if (found == files.end()) {
            return false;
        }
        open = name;
        mode = MediaMode::Stopped;
        position = 0;
        volume = kMediaFullVolume;
        return true;
    }
    void Close() override {
        open.clear();
        mode = MediaMode::NotReady;
    }
    void Play() override { Act("play", MediaMode::Playing); }
    void Stop() override {
        if (!open.empty()) {
            mode = MediaMode::Stopped;
        }
    }
    void Pause() override { Act("pause", MediaMode::Paused); }
    void Resume() override { Act("resume", MediaMode::Playing); }
    void Seek(int ms) override {
        Act("seek " + std::to_string(ms), MediaMode::Stopped);
        position = ms;
    }
    int Length() override { return open.empty() ? 0 : files[open].lengthMs; }
    int Position() override { return position; }
    MediaMode Mode() override { return mode; }
    void SetVolume(int level) override {
        volume = level;
        volumes.push_back(level);
    }
    MediaSize Source() override { return open.empty() ? MediaSize{} : files[open].size; }
    void Place(const EditorRect& where, const EditorRect& destination) override {
        area = where;
        dest = destination;
        ++places;
    }
    void Show(bool shown) override { visible = shown; }

    struct File {
        int lengthMs = 0;
        MediaSize size;
    };
    std::map<std::u16string, File> files{{u"tone.wav", {2000, {}}},
                                         {u"long.wav", {4500000, {}}},
                                         {u"clip.avi", {10000, {64, 36}}},
                                         {u"zero.avi", {10000, {0, 0}}}};
    std::u16string open;
    MediaMode mode = MediaMode::NotReady;
    int position = 0;
    int volume = kMediaFullVolume;
    std::vector<int> volumes;
    EditorRect area;
    EditorRect dest;
    int places = 0;
    bool visible = false;
    int contractBreaks = 0;
    std::vector<std::string> log;

private:
    void Act(const std::string& what, MediaMode next) {
        log.push_back(what);
        if (open.empty()) {
            ++contractBreaks;
            return;
        }
        mode = next;
    }
};

// An editor of 600 x 400 pixels with a player; the fake measurer makes the media bar 24 pixels high.
struct Player {
    explicit Player(bool autoPlay = true) {
        f.editor.SetAutoPlay(autoPlay);
        f.editor.Media().Attach(&engine);
    }
    MediaPlayer& media() { return f.editor.Media(); }
    int Timer(int id) const { return f.observer.Timer(id); }
    // Runs the timer's ticks as the window would deliver them.
    void Tick(int id, int times = 1) {
        for (int i = 0; i < times && Timer(id) != 0; ++i) {
            media().OnTimer(id);
        }
    }
    const RowRecord& MediaRowOf(int index) {
        for (const RowRecord& row : f.editor.Rows()) {
            if ((row.kind == RowKind::Sound || row.kind == RowKind::Movie) && row.objectIndex == index) {
                return row;
            }
        }
        ADD_FAILURE() << "no media row " << index;
        return f.editor.Rows().front();
    }
    // A click on the row's bar (a sound's bar, a movie's control strip), x pixels into the client area.
    void ClickBar(int index, int x = 60) {
        const RowRecord& row = MediaRowOf(index);
        f.editor.LButtonDown(x, row.top + row.height - 12 - f.editor.ScrollOffset(), false, false);
    }

    EditorFixture f;
    FakeEngine engine;
};

TEST(MediaPlayer, AutoPlayWaitsForOneTickThenPlaysTheFirstSoundOrMovie) {
    Player p;
    p.f.editor.SetText(u"日記\n[[photo.png]]\n[[tone.wav]]\n[[clip.avi]]");
    EXPECT_EQ(p.media().Phase(), MediaPhase::Pending);
    EXPECT_EQ(p.media().CurrentItem(), 0) << "pictures are counted apart from sounds and movies";
    EXPECT_EQ(p.Timer(kMediaStartFadeTimer), 50);
    EXPECT_TRUE(p.engine.open.empty()) << "the entry is painted before anything opens";

    p.Tick(kMediaStartFadeTimer);
    EXPECT_EQ(p.media().Phase(), MediaPhase::Playing);
    EXPECT_EQ(p.engine.open, u"tone.wav");
    EXPECT_EQ(p.engine.mode, MediaMode::Playing);
    EXPECT_EQ(p.engine.area, (EditorRect{-1, -1, 1, 1})) << "a sound's player stays parked";
    EXPECT_FALSE(p.engine.visible);
    EXPECT_EQ(p.Timer(kMediaStartFadeTimer), 0);
    EXPECT_EQ(p.Timer(kMediaPositionTimer), 1000);
    EXPECT_EQ(p.media().CurrentName(), u"tone.wav");
    EXPECT_EQ(p.media().Length(), (MediaClock{0, 0, 2}));

    p.engine.position = 1500;
    p.Tick(kMediaPositionTimer);
    EXPECT_EQ(p.media().PositionMs(), 1500);

    // A movie first: its window comes up over the row, and the position is read twice a second.
    p.f.editor.SetText(u"[[clip.avi]]\n[[tone.wav]]");
    p.Tick(kMediaStartFadeTimer, 11);
    EXPECT_EQ(p.engine.open, u"clip.avi");
    EXPECT_TRUE(p.engine.visible);
    EXPECT_EQ(p.Timer(kMediaPositionTimer), 500);
    EXPECT_EQ(p.engine.contractBreaks, 0);

    Player off(false);
    off.f.editor.SetText(u"[[tone.wav]]");
    EXPECT_EQ(off.media().Phase(), MediaPhase::Idle);
    EXPECT_TRUE(off.f.observer.timers.empty());
    off.ClickBar(0);
    EXPECT_EQ(off.engine.open, u"tone.wav") << "without auto-play a click starts it";
}

TEST(MediaPlayer, AutoPlayWaitsForThePlayerWindowAndIgnoresEntriesWithoutMedia) {
    EditorFixture f;
    FakeEngine engine;
    f.editor.SetAutoPlay(true);
    f.editor.SetText(u"[[tone.wav]]");
    EXPECT_EQ(f.editor.Media().Phase(), MediaPhase::Idle) << "no player yet: nothing to start";
    f.editor.Media().Attach(&engine);
    EXPECT_EQ(f.editor.Media().Phase(), MediaPhase::Pending) << "creating the player applies auto-play";

    Player p;
    p.f.editor.SetText(u"only text\n[[photo.png]]");
    EXPECT_EQ(p.media().Phase(), MediaPhase::Idle);
    p.f.editor.SetText(u"");
    EXPECT_EQ(p.media().Phase(), MediaPhase::Idle);
}

TEST(MediaPlayer, ReplacingTheEntryFadesToSilenceInTenTicksThenCloses) {
    Player p;
    p.f.editor.SetText(u"[[tone.wav]]");
    p.Tick(kMediaStartFadeTimer);
    p.f.editor.SetText(u"another day");
    EXPECT_EQ(p.media().Phase(), MediaPhase::Fading);
    EXPECT_EQ(p.media().CurrentItem(), -1);
    EXPECT_EQ(p.engine.mode, MediaMode::Playing) << "it goes on sounding while it fades";
    EXPECT_EQ(p.Timer(kMediaStartFadeTimer), 50);

    p.Tick(kMediaStartFadeTimer, 9);
    EXPECT_EQ(p.engine.volumes, (std::vector<int>{900, 800, 700, 600, 500, 400, 300, 200, 100}));
    EXPECT_EQ(p.engine.open, u"tone.wav");
    p.Tick(kMediaStartFadeTimer);
    EXPECT_EQ(p.engine.volume, 0);
    EXPECT_TRUE(p.engine.open.empty()) << "silent after the tenth tick (half a second)";
    EXPECT_EQ(p.media().Phase(), MediaPhase::Idle);
    EXPECT_TRUE(p.f.observer.timers.empty());
    EXPECT_EQ(p.media().Volume(), kMediaFullVolume) << "the next item starts at full volume";

    // Without fading the item stops at once.
    p.f.editor.SetText(u"[[tone.wav]]");
    p.Tick(kMediaStartFadeTimer);
    p.media().SetFadeOnChange(false);
    p.f.editor.SetText(u"x");
    EXPECT_TRUE(p.engine.open.empty());
    EXPECT_EQ(p.media().Phase(), MediaPhase::Idle);
}

TEST(MediaPlayer, AnEntryWithItsOwnMediaTakesTheFadeOverAfterOneTick) {
    Player p;
    p.f.editor.SetText(u"[[long.wav]]");
    p.Tick(kMediaStartFadeTimer);
    p.f.editor.SetText(u"[[tone.wav]]");
    EXPECT_EQ(p.media().Phase(), MediaPhase::Pending);
    EXPECT_EQ(p.engine.open, u"long.wav") << "the old item sounds until the first tick";
    p.Tick(kMediaStartFadeTimer);
    EXPECT_EQ(p.engine.open, u"tone.wav");
    EXPECT_EQ(p.engine.contractBreaks, 0) << "the fading item was closed before the new one opened";
    EXPECT_EQ(p.Timer(kMediaStartFadeTimer), 0);
    EXPECT_EQ(p.media().Length(), (MediaClock{0, 0, 2}));

    // An hour-long recording is timed in hours.
    p.ClickBar(0);
    p.f.editor.SetText(u"[[long.wav]]");
    p.Tick(kMediaStartFadeTimer);
    EXPECT_EQ(p.media().Length(), (MediaClock{1, 15, 0}));
}

TEST(MediaPlayer, ClicksPlayAndStopSoundsAndSwitchBetweenItems) {
    Player p(false);
    p.f.editor.SetText(u"[[tone.wav]]\ntext\n[[long.wav]]");
    p.ClickBar(0);
    EXPECT_EQ(p.engine.open, u"tone.wav");
    EXPECT_EQ(p.media().CurrentItem(), 0);
    p.ClickBar(1);
    EXPECT_EQ(p.engine.open, u"long.wav") << "another row replaces the item";
    EXPECT_EQ(p.engine.contractBreaks, 0);
    p.ClickBar(1);
    EXPECT_TRUE(p.engine.open.empty()) << "a second click stops it";
    EXPECT_EQ(p.media().Phase(), MediaPhase::Idle);
    EXPECT_TRUE(p.f.observer.timers.empty());
    EXPECT_EQ(p.f.editor.Caret(), 0) << "media clicks leave the caret alone";
}

TEST(MediaPlayer, TheSeekBarSeeksByItsShareAndOtherClicksOnThePlayingMovieStopIt) {
    Player p(false);
    p.f.editor.SetText(u"[[clip.avi]]");
    p.ClickBar(0);
    ASSERT_EQ(p.engine.open, u"clip.avi");
    const RowRecord& row = p.MediaRowOf(0);
    const int stripTop = row.top + row.height - 24;
    p.media().SetSeekBar({100, stripTop, 400, 24});
    p.engine.log.clear();
    const int invalidations = p.f.observer.invalidations;

    p.ClickBar(0, 300);
    EXPECT_EQ(p.engine.log, (std::vector<std::string>{"seek 5000", "play"})) << "the middle is half";
    EXPECT_EQ(p.media().PositionMs(), 5000) << "the time shows the target before the player gets there";
    EXPECT_GT(p.f.observer.invalidations, invalidations);
    EXPECT_EQ(p.f.observer.updates, 1) << "painted at once";
    p.ClickBar(0, 100);
    EXPECT_EQ(p.engine.position, 0);
    p.ClickBar(0, 499);
    EXPECT_EQ(p.engine.position, 9975);
    EXPECT_EQ(SeekTarget({100, 0, 400, 24}, 700, 10000), 10000) << "clamped to the length";
    EXPECT_EQ(SeekTarget({100, 0, 0, 24}, 100, 10000), 0) << "an empty bar seeks nowhere";

    p.ClickBar(0, 40);
    EXPECT_TRUE(p.engine.open.empty()) << "the glyph cell stops the movie";
    EXPECT_FALSE(p.engine.visible);
    EXPECT_EQ(p.media().SeekBar(), EditorRect{});
}

TEST(MediaPlayer, TheMovieWindowLiesOverThePictureAreaAndFollowsScrolling) {
    Player p(false);
    std::u16string text = u"[[clip.avi]]";
    for (int line = 0; line < 60; ++line) {
        text += u"\nline";
    }
    p.f.editor.SetText(text);
    p.ClickBar(0);
    const RowRecord& row = p.MediaRowOf(0);
    ASSERT_EQ(row.width, 556);
    ASSERT_EQ(row.height, 312 + 24);
    // Inside the padding, above the control strip.
    EXPECT_EQ(p.engine.area, (EditorRect{22, 12, 554, 308}));
    EXPECT_EQ(p.engine.dest, (EditorRect{3, 0, 547, 308})) << "64 x 36 at full height, centred";
    EXPECT_TRUE(p.engine.visible);

    p.f.editor.Scroll(ScrollCode::LineDown, 0);
    EXPECT_EQ(p.engine.area.y, 12 - p.f.editor.ScrollOffset());
    EXPECT_GT(p.f.editor.ScrollOffset(), 0);
    p.f.editor.Scroll(ScrollCode::Top, 0);
    EXPECT_EQ(p.engine.area.y, 12);

    // Typing below the movie lays the text out again but leaves the window where it is.
    const int places = p.engine.places;
    p.f.editor.SetSel(13, 13);
    p.f.editor.Char(u'a', false, false);
    EXPECT_EQ(p.engine.places, places);

    // A narrower window moves and refits it.
    p.f.editor.Resize(400, 400);
    EXPECT_EQ(p.engine.area.width, 354);
    EXPECT_GT(p.engine.places, places);

    // A sound playing has no window to place.
    p.f.editor.SetText(u"[[tone.wav]]");
    p.ClickBar(0);
    p.f.editor.Scroll(ScrollCode::LineDown, 0);
    EXPECT_FALSE(p.engine.visible);
}

TEST(MediaPlayer, MoviesKeepTheirAspectCentredInTheArea) {
    EXPECT_EQ(FitMovie(400, 225, {64, 36}), (EditorRect{0, 0, 400, 225}));
    EXPECT_EQ(FitMovie(400, 225, {640, 480}), (EditorRect{50, 0, 300, 225})) << "4:3 is pillar-boxed";
    EXPECT_EQ(FitMovie(400, 225, {100, 10}), (EditorRect{0, 92, 400, 40})) << "a strip is letter-boxed";
    // Both scales round down to 1 here, yet the width is the tighter one: the movie must not overflow.
    EXPECT_EQ(FitMovie(400, 225, {333, 118}), (EditorRect{0, 42, 400, 141}));
    EXPECT_EQ(FitMovie(400, 225, {0, 36}), (EditorRect{0, 0, 400, 225})) << "no size: the whole area";
    EXPECT_EQ(FitMovie(0, 0, {64, 36}), (EditorRect{0, 0, 0, 0}));

    Player p(false);
    p.f.editor.SetText(u"[[zero.avi]]");
    p.ClickBar(0);
    EXPECT_EQ(p.engine.dest, (EditorRect{0, 0, 554, 308})) << "a movie of width 0 fills the area";
}

TEST(MediaPlayer, ClicksOnThePicturePauseAndResume) {
    Player p(false);
    p.f.editor.SetText(u"[[clip.avi]]");
    p.media().PictureClicked();
    EXPECT_EQ(p.engine.mode, MediaMode::NotReady) << "nothing open: nothing to pause";
    p.ClickBar(0);
    p.media().PictureClicked();
    EXPECT_EQ(p.engine.mode, MediaMode::Paused);
    p.media().PictureClicked();
    EXPECT_EQ(p.engine.mode, MediaMode::Playing);
    p.engine.mode = MediaMode::Stopped;  // it ran to its end
    p.media().PictureClicked();
    EXPECT_EQ(p.engine.mode, MediaMode::Playing);
}

TEST(MediaPlayer, FilesThatCannotPlayLeaveNothingPlayingAndNoTimer) {
    Player p;
    p.f.editor.SetText(u"[[missing.wav]]\n[[tone.wav]]");
    p.Tick(kMediaStartFadeTimer);
    EXPECT_EQ(p.media().Phase(), MediaPhase::Idle) << "the row shows its play glyph again";
    EXPECT_TRUE(p.f.observer.timers.empty());
    EXPECT_TRUE(p.engine.open.empty());

    // A row that disappeared before its turn: the item playing before must not go on unseen.
    p.ClickBar(1);
    ASSERT_EQ(p.engine.open, u"tone.wav");
    EXPECT_FALSE(p.media().PlayItem(7));
    EXPECT_TRUE(p.engine.open.empty());

    // Fifty sounds: the first plays, clicking the last switches to it.
    std::u16string many;
    for (int i = 0; i < 50; ++i) {
        many += i == 49 ? u"[[long.wav]]" : u"[[tone.wav]]\n";
    }
    p.f.editor.SetText(many);
    p.Tick(kMediaStartFadeTimer, 11);
    EXPECT_EQ(p.media().CurrentItem(), 0);
    p.ClickBar(49);
    EXPECT_EQ(p.engine.open, u"long.wav");

    // A style change stops it at once.
    DisplayStyle style;
    p.f.editor.SetStyle(&style);
    EXPECT_TRUE(p.engine.open.empty());
    EXPECT_EQ(p.media().Phase(), MediaPhase::Idle);

    // Nothing happens before the player exists, and after it is gone.
    p.media().Detach();
    EXPECT_FALSE(p.media().PlayItem(0));
    p.f.editor.SetText(u"[[tone.wav]]");
    EXPECT_EQ(p.media().Phase(), MediaPhase::Idle);
}

// What must hold between any two operations: the phase and the engine agree, and only the timers of
// the phase run.
std::string Violation(const Player& p, const FakeEngine& engine, const MediaPlayer& media) {
    const bool open = !engine.open.empty();
    const int position = p.f.observer.Timer(kMediaPositionTimer);
    const int startFade = p.f.observer.Timer(kMediaStartFadeTimer);
    switch (media.Phase()) {
        case MediaPhase::Idle:
            if (open || position != 0 || startFade != 0 || engine.visible) {
                return "idle, yet something is open, running or shown";
            }
            break;
        case MediaPhase::Pending:
            if (startFade != kMediaTickMs) {
                return "pending without its tick";
            }
            break;
        case MediaPhase::Playing:
            if (!open || position == 0 || startFade != 0 || engine.visible != media.CurrentIsMovie()) {
                return "playing, yet the engine, the timers or the window disagree";
            }
            break;
        case MediaPhase::Fading:
            if (!open || position != 0 || startFade != kMediaTickMs || engine.visible) {
                return "fading, yet the engine or the timers disagree";
            }
            break;
    }
    return engine.contractBreaks != 0 ? "the engine's contract was broken" : "";
}

TEST(MediaPlayer, RandomOperationsKeepThePlayerAndTheEngineInStep) {
    const std::u16string entries[] = {u"", u"[[tone.wav]]", u"a\n[[clip.avi]]\n[[tone.wav]]",
                                      u"[[missing.wav]]\n[[long.wav]]", u"[[zero.avi]]"};
    std::mt19937 random(1405);
    for (int round = 0; round < 40; ++round) {
        Player p(round % 2 == 0);
        p.media().SetFadeOnChange(round % 3 != 0);
        p.f.editor.SetText(entries[round % 5]);
        for (int step = 0; step < 60; ++step) {
            const int count = static_cast<int>(p.f.editor.Rows().size());
            switch (random() % 7) {
                case 0:
                    p.f.editor.SetText(entries[random() % 5]);
                    break;
                case 1:
                    p.Tick(kMediaStartFadeTimer, static_cast<int>(random() % 4));
                    break;
                case 2:
                    p.Tick(kMediaPositionTimer);
                    break;
                case 3:
                    if (count > 0) {
                        const RowRecord& row = p.f.editor.Rows()[random() % count];
                        p.f.editor.LButtonDown(static_cast<int>(20 + random() % 560),
                                               row.top + row.height - 5, false, false);
                    }
                    break;
                case 4:
                    p.media().SetSeekBar({60, 0, 300, 400});
                    p.f.editor.Scroll(random() % 2 ? ScrollCode::LineDown : ScrollCode::Top, 0);
                    break;
                case 5:
                    p.media().PictureClicked();
                    break;
                default:
                    p.f.editor.SetAutoPlay(random() % 2 == 0);
                    break;
            }
            const std::string violation = Violation(p, p.engine, p.media());
            ASSERT_EQ(violation, "") << "round " << round << " step " << step;
        }
    }
}

}  // namespace
}  // namespace tavrin
