#include "search/unit_scan.h"

#include <array>
#include <bit>
#include <cstdint>

// SSE2 is part of every x86-64 processor; MSVC does not define __SSE2__ for x64 but has it all the same.
#if defined(__SSE2__) || defined(_M_X64)
#define TAVRIN_SEARCH_SSE2 1
#include <emmintrin.h>
#else
#define TAVRIN_SEARCH_SSE2 0
#endif

// AVX2 is chosen at run time, where the compiler can build single functions for it.
#if TAVRIN_SEARCH_SSE2 && (defined(__GNUC__) || defined(__clang__))
#define TAVRIN_SEARCH_AVX2 1
#include <immintrin.h>
#else
#define TAVRIN_SEARCH_AVX2 0
#endif

namespace tavrin {
namespace {

// ---- The portable forms ------------------------------------------------------------------------

// All ones when x equals y, else zero: one lane of a vector compare.
constexpr std::uint16_t Equal(char16_t x, char16_t y) noexcept {
    return static_cast<std::uint16_t>(-static_cast<std::int16_t>(x == y));
}

std::size_t FindEitherUnitPortable(const char16_t* text, std::size_t from, std::size_t end, char16_t a,
                                   char16_t b) noexcept {
    // Blocks of 32 units as eight lanes that are or-ed over the block and only then combined, which
    // compilers can turn into plain vector compares; the exact position is then found in the block.
    constexpr std::size_t kBlock = 32;
    constexpr std::size_t kLanes = 8;
    std::size_t i = from;
    for (; i + kBlock <= end; i += kBlock) {
        std::array<std::uint16_t, kLanes> lanes{};
        for (std::size_t step = 0; step < kBlock; step += kLanes) {
            for (std::size_t k = 0; k < kLanes; ++k) {
                const char16_t c = text[i + step + k];
                lanes[k] |= static_cast<std::uint16_t>(Equal(c, a) | Equal(c, b));
            }
        }
        std::uint16_t any = 0;
        for (const std::uint16_t lane : lanes) {
            any |= lane;
        }
        if (any != 0) {
            break;
        }
    }
    for (; i < end; ++i) {
        if (text[i] == a || text[i] == b) {
            return i;
        }
    }
    return end;
}

std::size_t FindLineEndOrNulPortable(const char16_t* text, std::size_t from, std::size_t end) noexcept {
    std::size_t i = from;
    while (i < end && text[i] != u'\r' && text[i] != u'\n' && text[i] != u'\0') {
        ++i;
    }
    return i;
}

// Why the body scan must stop at the unit at, if it must. Both forms decide the kind here, so they
// agree on it whenever they agree on the position.
inline bool StopsAt(const char16_t* data, std::size_t at, std::size_t size, bool candidates, char16_t a,
                    char16_t b, BodyScanStop& stop) noexcept {
    const char16_t c = data[at];
    const bool last = at + 1 == size;
    if ((c == u'\r') != (!last && data[at + 1] == u'\n')) {
        stop = {BodyStop::kLoneBreak, at};
        return true;
    }
    if (c == u'\n' && (last || data[at + 1] != u'\t')) {
        stop = {BodyStop::kLine, at};
        return true;
    }
    if (candidates && (c == a || c == b)) {
        stop = {BodyStop::kCandidate, at};
        return true;
    }
    return false;
}

// Whether any of the units [i, i + N) stops the body scan, as lanes or-ed over the block (see
// FindEitherUnitPortable). Reads one unit past the block.
template <bool kCandidates, std::size_t N>
bool BlockHasStop(const char16_t* data, std::size_t i, char16_t a, char16_t b) noexcept {
    constexpr std::size_t kLanes = 8;
    std::array<std::uint16_t, kLanes> lanes{};
    for (std::size_t step = 0; step < N; step += kLanes) {
        for (std::size_t k = 0; k < kLanes; ++k) {
            const char16_t c = data[i + step + k];
            const char16_t after = data[i + step + k + 1];
            std::uint16_t stop = (Equal(c, u'\r') ^ Equal(after, u'\n')) |
                                 (Equal(c, u'\n') & static_cast<std::uint16_t>(~Equal(after, u'\t')));
            if constexpr (kCandidates) {
                stop |= Equal(c, a) | Equal(c, b);
            }
            lanes[k] |= stop;
        }
    }
    std::uint16_t any = 0;
    for (const std::uint16_t lane : lanes) {
        any |= lane;
    }
    return any != 0;
}

// Each form of the body scan skips units that cannot stop it, a block at a time, and gives the
// position where the units must be looked at one by one (see FinishBodyScan): the first unit its
// blocks flag, or where too few units are left for a block.
template <bool kCandidates>
std::size_t SkipBodyUnitsPortable(const char16_t* data, std::size_t from, std::size_t size, char16_t a,
                                  char16_t b) noexcept {
    // Blocks of 32 units, then the block's quarters.
    constexpr std::size_t kBlock = 32;
    constexpr std::size_t kQuarter = kBlock / 4;
    std::size_t i = from;
    for (; i + kBlock < size; i += kBlock) {
        if (BlockHasStop<kCandidates, kBlock>(data, i, a, b)) {
            while (!BlockHasStop<kCandidates, kQuarter>(data, i, a, b)) {
                i += kQuarter;
            }
            break;
        }
    }
    return i;
}

BodyScanStop FinishBodyScan(const char16_t* data, std::size_t from, std::size_t size, bool candidates,
                            char16_t a, char16_t b) noexcept {
    BodyScanStop stop;
    for (std::size_t i = from; i < size; ++i) {
        if (StopsAt(data, i, size, candidates, a, b, stop)) {
            return stop;
        }
    }
    return {BodyStop::kEnd, size};
}

// ---- The SSE2 forms ----------------------------------------------------------------------------

#if TAVRIN_SEARCH_SSE2

__m128i Load(const char16_t* at) noexcept { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

__m128i Broadcast(char16_t c) noexcept { return _mm_set1_epi16(static_cast<short>(c)); }

// Two bits per unit, one for each of its bytes: the position of a unit is half its first bit's.
std::uint32_t ByteMask(__m128i lanes) noexcept {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(lanes));
}

std::size_t FindEitherUnitSse2(const char16_t* text, std::size_t from, std::size_t end, char16_t a,
                               char16_t b) noexcept {
    constexpr std::size_t kBlock = 16;
    if (end - from < kBlock) {
        return FindEitherUnitPortable(text, from, end, a, b);
    }
    const __m128i va = Broadcast(a);
    const __m128i vb = Broadcast(b);
    const auto blockMask = [&](std::size_t at) {
        const __m128i low = Load(text + at);
        const __m128i high = Load(text + at + 8);
        return ByteMask(_mm_or_si128(_mm_cmpeq_epi16(low, va), _mm_cmpeq_epi16(low, vb))) |
               ByteMask(_mm_or_si128(_mm_cmpeq_epi16(high, va), _mm_cmpeq_epi16(high, vb))) << 16;
    };
    std::size_t i = from;
    for (; i + kBlock <= end; i += kBlock) {
        const std::uint32_t mask = blockMask(i);
        if (mask != 0) {
            return i + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
        }
    }
    if (i < end) {
        // The last block overlaps the one before; the units they share hold no match.
        const std::uint32_t mask = blockMask(end - kBlock);
        if (mask != 0) {
            return end - kBlock + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
        }
    }
    return end;
}

std::size_t FindLineEndOrNulSse2(const char16_t* text, std::size_t from, std::size_t end) noexcept {
    constexpr std::size_t kBlock = 16;
    const __m128i cr = Broadcast(u'\r');
    const __m128i lf = Broadcast(u'\n');
    const __m128i zero = _mm_setzero_si128();
    const auto stops = [&](std::size_t at) {
        const __m128i units = Load(text + at);
        return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, cr), _mm_cmpeq_epi16(units, lf)),
                            _mm_cmpeq_epi16(units, zero));
    };
    std::size_t i = from;
    for (; i + kBlock <= end; i += kBlock) {
        const std::uint32_t mask = ByteMask(stops(i)) | ByteMask(stops(i + 8)) << 16;
        if (mask != 0) {
            return i + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
        }
    }
    return FindLineEndOrNulPortable(text, i, end);
}

// The CR, LF and TAB that shape body lines, and the two units a search looks for.
struct BodyUnits {
    __m128i cr = Broadcast(u'\r');
    __m128i lf = Broadcast(u'\n');
    __m128i tab = Broadcast(u'\t');
    __m128i a = Broadcast(0);
    __m128i b = Broadcast(0);
};

// The lanes of [at, at + 8) that stop the body scan (see StopsAt); reads at + 8 too. With kTwoUnits
// false, a and b are the same unit and one compare does.
template <bool kCandidates, bool kTwoUnits>
__m128i BodyStopLanes(const char16_t* at, const BodyUnits& units) noexcept {
    const __m128i here = Load(at);
    const __m128i next = Load(at + 1);
    const __m128i lone = _mm_xor_si128(_mm_cmpeq_epi16(here, units.cr), _mm_cmpeq_epi16(next, units.lf));
    const __m128i line = _mm_andnot_si128(_mm_cmpeq_epi16(next, units.tab), _mm_cmpeq_epi16(here, units.lf));
    __m128i stops = _mm_or_si128(lone, line);
    if constexpr (kCandidates) {
        stops = _mm_or_si128(stops, _mm_cmpeq_epi16(here, units.a));
        if constexpr (kTwoUnits) {
            stops = _mm_or_si128(stops, _mm_cmpeq_epi16(here, units.b));
        }
    }
    return stops;
}

template <bool kCandidates, bool kTwoUnits>
std::size_t SkipBodyUnitsSse2(const char16_t* data, std::size_t from, std::size_t size, char16_t a,
                              char16_t b) noexcept {
    // Sixteen units a round; each block reads the unit after it, so blocks end before the last unit.
    constexpr std::size_t kBlock = 16;
    const BodyUnits units{.a = Broadcast(a), .b = Broadcast(b)};
    std::size_t i = from;
    for (; i + kBlock < size; i += kBlock) {
        const std::uint32_t mask = ByteMask(BodyStopLanes<kCandidates, kTwoUnits>(data + i, units)) |
                                   ByteMask(BodyStopLanes<kCandidates, kTwoUnits>(data + i + 8, units)) << 16;
        if (mask != 0) {
            return i + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
        }
    }
    return i;
}

#endif  // TAVRIN_SEARCH_SSE2

// ---- The AVX2 forms ----------------------------------------------------------------------------

#if TAVRIN_SEARCH_AVX2

// Sixteen units a vector. Every function here is compiled for AVX2 alone and runs only when the
// processor reports it (see ProcessorHasAvx2).
#define TAVRIN_AVX2 gnu::target("avx2"), gnu::always_inline

[[TAVRIN_AVX2]] inline __m256i Load256(const char16_t* at) noexcept {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}

[[TAVRIN_AVX2]] inline __m256i Broadcast256(char16_t c) noexcept {
    return _mm256_set1_epi16(static_cast<short>(c));
}

[[TAVRIN_AVX2]] inline std::uint32_t ByteMask256(__m256i lanes) noexcept {
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(lanes));
}

[[gnu::target("avx2")]] std::size_t FindEitherUnitAvx2(const char16_t* text, std::size_t from,
                                                       std::size_t end, char16_t a, char16_t b) noexcept {
    constexpr std::size_t kBlock = 16;
    if (end - from < kBlock) {
        return FindEitherUnitPortable(text, from, end, a, b);
    }
    const __m256i va = Broadcast256(a);
    const __m256i vb = Broadcast256(b);
    std::size_t i = from;
    for (; i + kBlock <= end; i += kBlock) {
        const __m256i units = Load256(text + i);
        const std::uint32_t mask =
            ByteMask256(_mm256_or_si256(_mm256_cmpeq_epi16(units, va), _mm256_cmpeq_epi16(units, vb)));
        if (mask != 0) {
            return i + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
        }
    }
    if (i < end) {
        // The last block overlaps the one before; the units they share hold no match.
        const __m256i units = Load256(text + end - kBlock);
        const std::uint32_t mask =
            ByteMask256(_mm256_or_si256(_mm256_cmpeq_epi16(units, va), _mm256_cmpeq_epi16(units, vb)));
        if (mask != 0) {
            return end - kBlock + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
        }
    }
    return end;
}

// The lanes of [at, at + 16) that stop the body scan, as BodyStopLanes; reads at + 16 too.
template <bool kCandidates, bool kTwoUnits>
[[TAVRIN_AVX2]] inline __m256i BodyStopLanes256(const char16_t* at, __m256i a, __m256i b) noexcept {
    const __m256i here = Load256(at);
    const __m256i next = Load256(at + 1);
    const __m256i lone = _mm256_xor_si256(_mm256_cmpeq_epi16(here, Broadcast256(u'\r')),
                                          _mm256_cmpeq_epi16(next, Broadcast256(u'\n')));
    const __m256i line = _mm256_andnot_si256(_mm256_cmpeq_epi16(next, Broadcast256(u'\t')),
                                             _mm256_cmpeq_epi16(here, Broadcast256(u'\n')));
    __m256i stops = _mm256_or_si256(lone, line);
    if constexpr (kCandidates) {
        stops = _mm256_or_si256(stops, _mm256_cmpeq_epi16(here, a));
        if constexpr (kTwoUnits) {
            stops = _mm256_or_si256(stops, _mm256_cmpeq_epi16(here, b));
        }
    }
    return stops;
}

template <bool kCandidates, bool kTwoUnits>
[[gnu::target("avx2")]] std::size_t SkipBodyUnitsAvx2(const char16_t* data, std::size_t from,
                                                      std::size_t size, char16_t a, char16_t b) noexcept {
    // As SkipBodyUnitsSse2, with 32 units a round.
    constexpr std::size_t kBlock = 32;
    const __m256i va = Broadcast256(a);
    const __m256i vb = Broadcast256(b);
    std::size_t i = from;
    for (; i + kBlock < size; i += kBlock) {
        const __m256i low = BodyStopLanes256<kCandidates, kTwoUnits>(data + i, va, vb);
        const __m256i high = BodyStopLanes256<kCandidates, kTwoUnits>(data + i + 16, va, vb);
        if (_mm256_testz_si256(_mm256_or_si256(low, high), _mm256_or_si256(low, high)) == 0) {
            const std::uint64_t mask = ByteMask256(low) | std::uint64_t{ByteMask256(high)} << 32;
            i += static_cast<std::size_t>(std::countr_zero(mask)) / 2;
            break;
        }
    }
    // The upper halves of the vector registers are cleared before any SSE code runs again, which
    // would otherwise be slowed down on many processors.
    _mm256_zeroupper();
    return i;
}

#undef TAVRIN_AVX2

#endif  // TAVRIN_SEARCH_AVX2

// Asked once. The compiler's check also makes sure that the system saves the wide registers.
bool ProcessorHasAvx2() noexcept {
#if TAVRIN_SEARCH_AVX2
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return has;
#else
    return false;
#endif
}

// The form that runs for path: the fastest one this build and processor can run, up to path.
ScanPath Runnable(ScanPath path) noexcept {
    if (path == ScanPath::kAvx2 && !ProcessorHasAvx2()) {
        path = ScanPath::kSse2;
    }
    if (path == ScanPath::kSse2 && TAVRIN_SEARCH_SSE2 == 0) {
        path = ScanPath::kPortable;
    }
    return path;
}

std::size_t SkipBodyUnits(ScanPath path, const char16_t* data, std::size_t from, std::size_t size,
                          bool candidates, char16_t a, char16_t b) noexcept {
    // One compare fewer per unit when the two units looked for are one (no case to fold).
    const bool two = a != b;
    switch (Runnable(path)) {
#if TAVRIN_SEARCH_AVX2
        case ScanPath::kAvx2:
            return !candidates ? SkipBodyUnitsAvx2<false, false>(data, from, size, a, b)
                   : two       ? SkipBodyUnitsAvx2<true, true>(data, from, size, a, b)
                               : SkipBodyUnitsAvx2<true, false>(data, from, size, a, b);
#endif
#if TAVRIN_SEARCH_SSE2
        case ScanPath::kSse2:
            return !candidates ? SkipBodyUnitsSse2<false, false>(data, from, size, a, b)
                   : two       ? SkipBodyUnitsSse2<true, true>(data, from, size, a, b)
                               : SkipBodyUnitsSse2<true, false>(data, from, size, a, b);
#endif
        default:
            return candidates ? SkipBodyUnitsPortable<true>(data, from, size, a, b)
                              : SkipBodyUnitsPortable<false>(data, from, size, a, b);
    }
}

}  // namespace

ScanPath FastestScanPath() noexcept { return Runnable(ScanPath::kAvx2); }

bool CanScanBy(ScanPath path) noexcept { return Runnable(path) == path; }

std::size_t FindEitherUnitBy(ScanPath path, const char16_t* text, std::size_t from, std::size_t end,
                             char16_t a, char16_t b) noexcept {
    if (from >= end) {
        return end;
    }
    switch (Runnable(path)) {
#if TAVRIN_SEARCH_AVX2
        case ScanPath::kAvx2:
            return FindEitherUnitAvx2(text, from, end, a, b);
#endif
#if TAVRIN_SEARCH_SSE2
        case ScanPath::kSse2:
            return FindEitherUnitSse2(text, from, end, a, b);
#endif
        default:
            return FindEitherUnitPortable(text, from, end, a, b);
    }
}

std::size_t FindLineEndOrNulBy(ScanPath path, const char16_t* text, std::size_t from,
                               std::size_t end) noexcept {
    // Title lines are short: SSE2 serves for AVX2 too.
#if TAVRIN_SEARCH_SSE2
    if (path != ScanPath::kPortable) {
        return FindLineEndOrNulSse2(text, from, end);
    }
#endif
    (void)path;
    return FindLineEndOrNulPortable(text, from, end);
}

BodyScanStop ScanBodyLinesBy(ScanPath path, const char16_t* data, std::size_t from, std::size_t size,
                             bool candidates, char16_t a, char16_t b) noexcept {
    return FinishBodyScan(data, SkipBodyUnits(path, data, from, size, candidates, a, b), size, candidates, a,
                          b);
}

}  // namespace tavrin
