// The test sounds and movies, and the analysis the end-to-end tests hear the program with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "mediagen/media_samples.h"

namespace tavrin::media {
namespace {

std::uint32_t U32At(const std::vector<std::byte>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | std::to_integer<std::uint32_t>(bytes.at(at + static_cast<std::size_t>(i)));
    }
    return value;
}

std::string TagAt(const std::vector<std::byte>& bytes, std::size_t at) {
    std::string tag(4, ' ');
    std::memcpy(tag.data(), bytes.data() + at, 4);
    return tag;
}

std::vector<std::int16_t> SamplesOf(const std::vector<std::byte>& wav) {
    std::vector<std::int16_t> samples((wav.size() - 44) / 2);
    std::memcpy(samples.data(), wav.data() + 44, samples.size() * 2);
    return samples;
}

TEST(MediaSamples, AToneIsHeardAtItsFrequencyAndLoudness) {
    const std::vector<std::byte> wav = ToneWav(440, 1000);
    ASSERT_EQ(wav.size(), 44u + 22050 * 2);
    EXPECT_EQ(TagAt(wav, 0), "RIFF");
    EXPECT_EQ(U32At(wav, 4), wav.size() - 8);
    EXPECT_EQ(TagAt(wav, 36), "data");
    const std::vector<std::int16_t> samples = SamplesOf(wav);
    EXPECT_NEAR(DominantFrequency(samples, 22050), 440, 2);
    EXPECT_NEAR(Rms(samples), 0.4 * 32767 / std::sqrt(2.0), 20);

    // A louder neighbour wins; a tenth of a second is enough to tell them apart.
    std::vector<std::int16_t> mixed = SamplesOf(ToneWav(523, 100, 22050, 0.3));
    const std::vector<std::int16_t> quiet = SamplesOf(ToneWav(440, 100, 22050, 0.1));
    for (std::size_t i = 0; i < mixed.size(); ++i) {
        mixed[i] = static_cast<std::int16_t>(mixed[i] + quiet[i]);
    }
    EXPECT_NEAR(DominantFrequency(mixed, 22050), 523, 10);
    EXPECT_GT(PowerAt(mixed, 22050, 440), 10 * PowerAt(mixed, 22050, 700));
    EXPECT_EQ(Rms(std::vector<std::int16_t>(500, 0)), 0);
}

TEST(MediaSamples, AMovieIndexPointsAtEveryFrame) {
    const int frames = 5;
    const std::vector<std::byte> avi = TestMovie(
        8, 4, frames, 10, [](int x, int y, int frame) { return static_cast<std::uint32_t>(x + y + frame); });
    EXPECT_EQ(TagAt(avi, 0), "RIFF");
    EXPECT_EQ(TagAt(avi, 8), "AVI ");
    EXPECT_EQ(U32At(avi, 4), avi.size() - 8);
    // The index is the last chunk; each entry's offset counts from the "movi" tag.
    const std::size_t index = avi.size() - 8 - 16 * frames;
    ASSERT_EQ(TagAt(avi, index), "idx1");
    std::size_t movi = 0;
    for (std::size_t at = 12; at + 4 < avi.size(); ++at) {
        if (TagAt(avi, at) == "movi") {
            movi = at;
            break;
        }
    }
    ASSERT_NE(movi, 0u);
    for (int frame = 0; frame < frames; ++frame) {
        const std::size_t entry = index + 8 + 16 * static_cast<std::size_t>(frame);
        const std::size_t chunk = movi + U32At(avi, entry + 8);
        EXPECT_EQ(TagAt(avi, chunk), "00db");
        EXPECT_EQ(U32At(avi, chunk + 4), 8u * 4 * 4);
        // The first stored row is the bottom one: pixel (0, 3) of this frame.
        EXPECT_EQ(U32At(avi, chunk + 8), static_cast<std::uint32_t>(3 + frame));
    }
}

}  // namespace
}  // namespace tavrin::media
