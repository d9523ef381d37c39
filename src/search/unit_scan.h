#pragma once
// The inner loops of the search: scans over UTF-16 code units for the few units that need a closer
// look. Each scan has a portable form and, on x86-64, vector forms for SSE2 (every such processor)
// and AVX2 (chosen at run time) that give exactly the same answers, comparing 8 or 16 units at once.

#include <cstddef>

namespace tavrin {

// Which form of the scans runs, slowest first.
enum class ScanPath {
    kPortable,
    kSse2,
    kAvx2,
};

// The fastest form this build and processor can run: the one the search uses.
[[nodiscard]] ScanPath FastestScanPath() noexcept;

// Whether this build and processor can run path. Asked for a form they cannot run, the scans below
// run the fastest one that they can; tests use this to hold every form against the portable one.
[[nodiscard]] bool CanScanBy(ScanPath path) noexcept;

// The offset of the first code unit equal to a or b in [from, end) of text, or end.
[[nodiscard]] std::size_t FindEitherUnitBy(ScanPath path, const char16_t* text, std::size_t from,
                                           std::size_t end, char16_t a, char16_t b) noexcept;

// The offset of the first CR, LF or NUL in [from, end) of text, or end: where a title line ends.
[[nodiscard]] std::size_t FindLineEndOrNulBy(ScanPath path, const char16_t* text, std::size_t from,
                                             std::size_t end) noexcept;

// What a scan over body lines stopped at.
enum class BodyStop {
    kEnd,        // the end of the text
    kLine,       // an LF not followed by a TAB (or the text's final LF): a line that is not a body line
    kCandidate,  // a unit equal to one of the two looked for: a possible match
    kLoneBreak,  // a CR without its LF or an LF without its CR
};

struct BodyScanStop {
    BodyStop stop = BodyStop::kEnd;
    std::size_t at = 0;
    friend bool operator==(const BodyScanStop&, const BodyScanStop&) = default;
};

// Scans [from, size) of data for the first unit that needs a look: one that breaks the CR LF
// pairing, an LF whose next line does not begin with a TAB, and with candidates also a unit equal to
// a or b (checked in that order at each unit). In CR LF text a unit is a CR exactly when the one after
// it is an LF. Reads nothing at or past size.
[[nodiscard]] BodyScanStop ScanBodyLinesBy(ScanPath path, const char16_t* data, std::size_t from,
                                           std::size_t size, bool candidates, char16_t a,
                                           char16_t b) noexcept;

}  // namespace tavrin
