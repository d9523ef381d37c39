#include "media_samples.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace tavrin::media {
namespace {

// Little-endian writing of RIFF structures.
class Riff {
public:
    void Tag(std::string_view fourCc) {
        const std::size_t at = Grow(4);
        for (std::size_t i = 0; i < 4; ++i) {
            bytes_[at + i] = static_cast<std::byte>(i < fourCc.size() ? fourCc[i] : ' ');
        }
    }
    void U16(std::uint32_t value) { Put(value, 2); }
    void U32(std::uint32_t value) { Put(value, 4); }
    // Opens a chunk (or a LIST / RIFF with its form type); Close fills in its size.
    std::size_t Open(std::string_view id, std::string_view form = {}) {
        Tag(id);
        const std::size_t sizeAt = bytes_.size();
        U32(0);
        if (!form.empty()) {
            Tag(form);
        }
        return sizeAt;
    }
    void Close(std::size_t sizeAt) {
        const auto size = static_cast<std::uint32_t>(bytes_.size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i) {
            bytes_[sizeAt + static_cast<std::size_t>(i)] = static_cast<std::byte>((size >> (8 * i)) & 0xFF);
        }
        if (size % 2 != 0) {
            Grow(1);
        }
    }
    [[nodiscard]] std::size_t Size() const noexcept { return bytes_.size(); }
    std::vector<std::byte> Take() { return std::move(bytes_); }

private:
    void Put(std::uint32_t value, int count) {
        const std::size_t at = Grow(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            bytes_[at + static_cast<std::size_t>(i)] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
        }
    }
    // Adds count zero bytes; where they start.
    std::size_t Grow(std::size_t count) {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + count);
        return at;
    }
    std::vector<std::byte> bytes_;
};

}  // namespace

std::vector<std::byte> ToneWav(double hz, int ms, int rate, double amplitude) {
    const int count = static_cast<int>(static_cast<long long>(rate) * std::max(ms, 0) / 1000);
    Riff riff;
    const std::size_t file = riff.Open("RIFF", "WAVE");
    const std::size_t format = riff.Open("fmt ");
    riff.U16(1);  // PCM
    riff.U16(1);  // mono
    riff.U32(static_cast<std::uint32_t>(rate));
    riff.U32(static_cast<std::uint32_t>(rate) * 2);
    riff.U16(2);
    riff.U16(16);
    riff.Close(format);
    const std::size_t data = riff.Open("data");
    const double peak = std::clamp(amplitude, 0.0, 1.0) * 32767;
    for (int i = 0; i < count; ++i) {
        const double sample = peak * std::sin(2 * std::numbers::pi * hz * i / rate);
        riff.U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(sample))));
    }
    riff.Close(data);
    riff.Close(file);
    return riff.Take();
}

std::vector<std::byte> TestMovie(int width, int height, int frames, int fps, const FramePixel& pixel) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    frames = std::max(frames, 1);
    fps = std::max(fps, 1);
    const auto frameBytes = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height) * 4;
    Riff riff;
    const std::size_t file = riff.Open("RIFF", "AVI ");
    const std::size_t header = riff.Open("LIST", "hdrl");
    const std::size_t main = riff.Open("avih");
    for (const std::uint32_t value :
         {1000000u / static_cast<std::uint32_t>(fps), frameBytes * fps, 0u, 0x10u,
          static_cast<std::uint32_t>(frames), 0u, 1u, frameBytes, static_cast<std::uint32_t>(width),
          static_cast<std::uint32_t>(height), 0u, 0u, 0u, 0u}) {
        riff.U32(value);  // frame time, rate, padding, has-index flag, frames, ..., streams, size, reserved
    }
    riff.Close(main);
    const std::size_t stream = riff.Open("LIST", "strl");
    const std::size_t streamHeader = riff.Open("strh");
    riff.Tag("vids");
    riff.Tag("DIB ");
    riff.U32(0);  // flags
    riff.U16(0);  // priority
    riff.U16(0);  // language
    for (const std::uint32_t value : {0u, 1u, static_cast<std::uint32_t>(fps), 0u,
                                      static_cast<std::uint32_t>(frames), frameBytes, 0xFFFFFFFFu, 0u}) {
        riff.U32(value);  // initial frames, scale, rate, start, length, buffer size, quality, sample size
    }
    riff.U16(0);
    riff.U16(0);
    riff.U16(static_cast<std::uint32_t>(width));
    riff.U16(static_cast<std::uint32_t>(height));
    riff.Close(streamHeader);
    const std::size_t streamFormat = riff.Open("strf");
    for (const std::uint32_t value :
         {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) {
        riff.U32(value);  // a bottom-up BITMAPINFOHEADER
    }
    riff.U16(1);
    riff.U16(32);
    for (const std::uint32_t value : {0u, frameBytes, 0u, 0u, 0u, 0u}) {
        riff.U32(value);
    }
    riff.Close(streamFormat);
    riff.Close(stream);
    riff.Close(header);

    const std::size_t movie = riff.Open("LIST", "movi");
    const std::size_t movieStart = movie + 4;  // index offsets count from the "movi" tag
    std::vector<std::uint32_t> offsets;
    for (int frame = 0; frame < frames; ++frame) {
        offsets.push_back(static_cast<std::uint32_t>(riff.Size() - movieStart));
        const std::size_t chunk = riff.Open("00db");
        for (int y = height - 1; y >= 0; --y) {
            for (int x = 0; x < width; ++x) {
                riff.U32(pixel(x, y, frame) & 0xFFFFFF);  // B, G, R, 0
            }
        }
        riff.Close(chunk);
    }
    riff.Close(movie);
    const std::size_t index = riff.Open("idx1");
    for (const std::uint32_t offset : offsets) {
        riff.Tag("00db");
        riff.U32(0x10);  // a key frame
        riff.U32(offset);
        riff.U32(frameBytes);
    }
    riff.Close(index);
    riff.Close(file);
    return riff.Take();
}

double Rms(std::span<const std::int16_t> samples) noexcept {
    if (samples.empty()) {
        return 0;
    }
    double sum = 0;
    for (const std::int16_t sample : samples) {
        sum += static_cast<double>(sample) * sample;
    }
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

double PowerAt(std::span<const std::int16_t> samples, int rate, double hz) noexcept {
    if (samples.empty() || rate <= 0) {
        return 0;
    }
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * hz / rate);
    double previous = 0;
    double beforePrevious = 0;
    for (const std::int16_t sample : samples) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power =
        previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
    const auto count = static_cast<double>(samples.size());
    return power / (count * count);
}

double DominantFrequency(std::span<const std::int16_t> samples, int rate, double from, double to,
                         double step) noexcept {
    double best = from;
    double bestPower = -1;
    for (double hz = from; hz <= to; hz += step) {
        const double power = PowerAt(samples, rate, hz);
        if (power > bestPower) {
            bestPower = power;
            best = hz;
        }
    }
    return best;
}

}  // namespace tavrin::media
