#include "sink_recorder_win.h"

#include <algorithm>

namespace tavrin::e2e {
namespace {

constexpr int kBuffers = 16;
constexpr int kBufferSamples = SinkRecorder::kRate / 20;  // 50 ms each

}  // namespace

std::string AudioSinkMissing() {
    wchar_t value[32] = {};
    if (GetEnvironmentVariableW(L"TAVRIN_AUDIO_SINK", value, 32) == 0) {
        return "no audio sink to listen to (scripts/test.sh starts one; pulseaudio is missing or did not "
               "start)";
    }
    return {};
}

bool SinkRecorder::Start() {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kRate * 2;
    if (waveInOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return false;
    }
    buffers_.assign(kBuffers, std::vector<std::int16_t>(kBufferSamples));
    headers_.assign(kBuffers, WAVEHDR{});
    for (int i = 0; i < kBuffers; ++i) {
        WAVEHDR& header = headers_[static_cast<std::size_t>(i)];
        header.lpData = reinterpret_cast<LPSTR>(buffers_[static_cast<std::size_t>(i)].data());
        header.dwBufferLength = kBufferSamples * 2;
        waveInPrepareHeader(device_, &header, sizeof header);
        waveInAddBuffer(device_, &header, sizeof header);
    }
    stop_ = false;
    waveInStart(device_);
    thread_ = std::thread([this] { Collect(); });
    return true;
}

void SinkRecorder::Collect() {
    std::size_t next = 0;
    while (!stop_) {
        WAVEHDR& header = headers_[next];
        if ((header.dwFlags & WHDR_DONE) == 0) {
            Sleep(5);
            continue;
        }
        {
            const std::lock_guard lock(mutex_);
            const auto* data = buffers_[next].data();
            samples_.insert(samples_.end(), data, data + header.dwBytesRecorded / 2);
        }
        header.dwFlags &= ~static_cast<DWORD>(WHDR_DONE);
        header.dwBytesRecorded = 0;
        waveInAddBuffer(device_, &header, sizeof header);
        next = (next + 1) % headers_.size();
    }
}

void SinkRecorder::Stop() {
    if (device_ == nullptr) {
        return;
    }
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    waveInReset(device_);
    for (WAVEHDR& header : headers_) {
        waveInUnprepareHeader(device_, &header, sizeof header);
    }
    waveInClose(device_);
    device_ = nullptr;
}

double SinkRecorder::Seconds() const {
    const std::lock_guard lock(mutex_);
    return static_cast<double>(samples_.size()) / kRate;
}

std::vector<std::int16_t> SinkRecorder::Slice(double from, double to) const {
    const std::lock_guard lock(mutex_);
    const auto first = std::min(samples_.size(), static_cast<std::size_t>(std::max(0.0, from) * kRate));
    const auto last = std::min(samples_.size(), static_cast<std::size_t>(std::max(0.0, to) * kRate));
    return {samples_.begin() + static_cast<std::ptrdiff_t>(first),
            samples_.begin() + static_cast<std::ptrdiff_t>(std::max(first, last))};
}

void SinkRecorder::WaitUntil(double seconds) const {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000) + 10000;
    while (Seconds() < seconds && GetTickCount64() < deadline) {
        Sleep(10);
    }
}

}  // namespace tavrin::e2e
