#pragma once
// Sounds and movies made on the spot for tests and screenshots, and what a recording of a sound holds:
// a sine tone as a 16-bit PCM WAV file, a movie as an uncompressed 32-bit AVI file, and the loudness
// and dominant frequency of recorded samples.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace tavrin::media {

// A mono 16-bit WAV file of a sine tone: ms milliseconds at rate samples per second, amplitude 0-1.
[[nodiscard]] std::vector<std::byte> ToneWav(double hz, int ms, int rate = 22050, double amplitude = 0.4);

// The colour (0xRRGGBB) of a pixel of a movie frame; y counts from the top.
using FramePixel = std::function<std::uint32_t(int x, int y, int frame)>;

// An AVI file with one uncompressed 32-bit video stream of frames pictures at fps pictures a second.
[[nodiscard]] std::vector<std::byte> TestMovie(int width, int height, int frames, int fps,
                                               const FramePixel& pixel);

// Root mean square of the samples (0 for none).
[[nodiscard]] double Rms(std::span<const std::int16_t> samples) noexcept;

// The power of one frequency in the samples (Goertzel), normalised by the sample count.
[[nodiscard]] double PowerAt(std::span<const std::int16_t> samples, int rate, double hz) noexcept;

// The frequency between from and to, in steps of step Hz, that holds the most power.
[[nodiscard]] double DominantFrequency(std::span<const std::int16_t> samples, int rate, double from = 100,
                                       double to = 2000, double step = 2) noexcept;

}  // namespace tavrin::media
