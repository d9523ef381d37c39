#pragma once
// What the test audio sink plays, recorded through the default recording device (the sink's monitor,
// see scripts/lib/common.sh) while a test drives the program: 22,050 mono 16-bit samples a second,
// collected on a thread of its own.

#include <windows.h>

#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavrin::e2e {

// Why listening is not possible here, or empty when the test sink is there (TAVRIN_AUDIO_SINK).
[[nodiscard]] std::string AudioSinkMissing();

class SinkRecorder {
public:
    static constexpr int kRate = 22050;

    SinkRecorder() = default;
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;
    ~SinkRecorder() { Stop(); }

    // Starts recording; false when no recording device opens.
    bool Start();
    void Stop();
    // Seconds recorded so far: the clock the slices are cut by.
    [[nodiscard]] double Seconds() const;
    // The samples recorded between two points of that clock.
    [[nodiscard]] std::vector<std::int16_t> Slice(double from, double to) const;
    // Waits until the clock reaches the point.
    void WaitUntil(double seconds) const;

private:
    void Collect();

    HWAVEIN device_ = nullptr;
    std::vector<std::vector<std::int16_t>> buffers_;
    std::vector<WAVEHDR> headers_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::int16_t> samples_;
};

}  // namespace tavrin::e2e
