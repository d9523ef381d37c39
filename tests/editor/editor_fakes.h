#pragma once
// Test doubles for the editor's seams: a measurer with known widths, a picture table, a recording
// observer and an in-memory clipboard.

#include <map>
#include <string>
#include <vector>

#include "editor/edit_state.h"

namespace tavrin::testing {

// Widths at 12 points: 8 px for ASCII, Latin-1 and half-width katakana, 16 px for everything else
// (kana, ideographs, a surrogate pair), scaled by points / 12; so the 18-point heading font gives 12
// and 24. Line height is points * 4 / 3 (16 px normal, 24 px heading, 12 px small). Widths and heights
// are those of a 96-DPI screen, multiplied by dpiFactor for a screen of dpiFactor x 96 DPI.
class FakeMeasurer final : public TextMeasurer {
public:
    FontSlotMetrics OpenFont(int slot, const FontRequest& request) override;
    int MeasureText(int slot, std::u16string_view text) override;
    [[nodiscard]] static int UnitWidth(char16_t c) noexcept;
    [[nodiscard]] int PointsOf(int slot) const;

    int measureCalls = 0;
    int createCalls = 0;
    int dpiFactor = 1;

private:
    std::map<int, int> points_;
};

// Picture sizes by file name; unknown names cannot be loaded.
class FakePictures final : public PictureHost {
public:
    PictureSize LoadPicture(int index, std::u16string_view name) override;
    void ReleasePictures(int count) override;

    std::map<std::u16string, PictureSize> sizes;
    std::vector<std::u16string> loads;  // every name loaded, in order
    int releasedTo = -1;
};

class RecordingObserver final : public EditorObserver {
public:
    void Notify(EditorNotification code) override { notifications.push_back(code); }
    void Invalidate() override { ++invalidations; }
    void ScrollChanged(const ScrollBarState& state) override { scroll = state; }
    void UpdateNow() override { ++updates; }
    void StartTimer(int id, int periodMs) override { timers[id] = periodMs; }
    void StopTimer(int id) override { timers.erase(id); }
    [[nodiscard]] int Count(EditorNotification code) const;
    // The period of a running timer, 0 when it is not running.
    [[nodiscard]] int Timer(int id) const;

    std::vector<EditorNotification> notifications;
    int invalidations = 0;
    int updates = 0;
    ScrollBarState scroll;
    std::map<int, int> timers;  // running timers: id -> period
};

class FakeClipboard final : public EditorClipboard {
public:
    bool PutText(std::u16string_view text, bool wholeRow) override;
    ClipboardContent Read() override { return content; }

    ClipboardContent content;
    bool failPut = false;
};

// An editor wired to the fakes with a given client size (defaults leave W = 600 - 16 - 20 - 10 = 554).
struct EditorFixture {
    explicit EditorFixture(int width = 600, int height = 400);
    EditState& Load(std::u16string_view text);

    FakeMeasurer measurer;
    FakePictures pictures;
    RecordingObserver observer;
    FakeClipboard clipboard;
    EditState editor;
};

// Checks what must hold after every operation: rows cover the text without gaps, tops stack up, the
// caret and anchor lie inside the text, and the rows equal a fresh full layout made by a reference
// editor with the same style (and pictures, a host that should know the same sizes as the editor's).
class InvariantChecker {
public:
    InvariantChecker(TextMeasurer& measurer, PictureHost* pictures)
        : reference_(measurer, pictures, nullptr) {}
    // A description of the first violation, empty when all hold.
    [[nodiscard]] std::string Check(EditState& editor);

private:
    void MatchStyle(const EditState& editor);

    EditState reference_;
};

}  // namespace tavrin::testing
