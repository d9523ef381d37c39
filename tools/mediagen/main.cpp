// tavrin_mediagen: writes the sounds and movies that screenshots and manual checks use.
//
//   tavrin_mediagen tone FILE.wav HZ MS       a sine tone
//   tavrin_mediagen movie FILE.avi SECONDS    a 480 x 270 seaside at dusk, 10 pictures a second
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "media_samples.h"

namespace {

bool Write(const char* path, const std::vector<std::byte>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::uint32_t Mix(std::uint32_t from, std::uint32_t to, double share) {
    std::uint32_t colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double a = (from >> shift) & 0xFF;
        const double b = (to >> shift) & 0xFF;
        colour |= static_cast<std::uint32_t>(a + (b - a) * share) << shift;
    }
    return colour;
}

// A sun sinking behind a sea under a sky that darkens from orange to violet, with its glitter on the
// water; x and y in a 480 x 270 picture.
constexpr int kMovieWidth = 480;
constexpr int kMovieHeight = 270;

std::uint32_t Dusk(int x, int y, int frame, int frames) {
    constexpr int kHorizon = kMovieHeight * 2 / 3;
    const double time = static_cast<double>(frame) / frames;
    const double sunX = kMovieWidth * 0.62;
    const double sunY = kMovieHeight * (0.38 + 0.3 * time);
    const double radius = kMovieHeight * 0.1;
    const double distance = std::hypot(x - sunX, y - sunY);
    if (y < kHorizon) {
        if (distance < radius) {
            return Mix(0xFFEDB0, 0xFF9A48, time);
        }
        const double glow = std::max(0.0, 1 - distance / (radius * 5));
        const double height = static_cast<double>(kHorizon - y) / kHorizon;
        const std::uint32_t sky = Mix(Mix(0xF6A15A, 0x4B3A78, height), 0x2A2450, time * 0.6);
        return Mix(sky, 0xFFC47A, glow * 0.6);
    }
    const double depth = static_cast<double>(y - kHorizon) / (kMovieHeight - kHorizon);
    const std::uint32_t sea = Mix(0x23406A, 0x0E1A33, depth);
    const double shimmer = 0.5 + 0.5 * std::sin(y * 0.8 + frame * 0.7) * std::sin(x * 0.09 - frame * 0.3);
    const double half = radius * (0.6 + depth) * (0.7 + 0.6 * shimmer);
    if (std::abs(x - sunX) < half) {
        return Mix(sea, 0xF2B46B, (0.25 + 0.45 * shimmer) * (1 - time * 0.5));
    }
    return sea;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "";
    if (kind == "tone" && argc == 5) {
        return Write(argv[2], tavrin::media::ToneWav(std::atof(argv[3]), std::atoi(argv[4]))) ? 0 : 1;
    }
    if (kind == "movie" && argc == 4) {
        const int frames = std::max(1, std::atoi(argv[3]) * 10);
        const auto pixel = [frames](int x, int y, int frame) { return Dusk(x, y, frame, frames); };
        return Write(argv[2], tavrin::media::TestMovie(kMovieWidth, kMovieHeight, frames, 10, pixel)) ? 0 : 1;
    }
    std::fputs("usage: tavrin_mediagen tone FILE.wav HZ MS | movie FILE.avi SECONDS\n", stderr);
    return 2;
}
