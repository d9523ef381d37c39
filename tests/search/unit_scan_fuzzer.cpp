// Runs every form of the unit scans this build and processor can run on any text and checks each
// answer against the scans' definitions. Input: one byte of options (bit 0 candidates, bit 1 a second
// looked-for unit), the looked-for units as two UTF-16LE units, one byte giving the offset to scan
// from and one the length to cut off the end of the ranges, then UTF-16LE code units of the text.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "search/search_reference.h"
#include "search/unit_scan.h"
#include "support/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    using testing::FuzzCheck;
    if (size < 7) {
        return 0;
    }
    const bool candidates = (data[0] & 1) != 0;
    const char16_t a = testing::Utf16UnitAt(data, 1);
    const char16_t b = (data[0] & 2) != 0 ? testing::Utf16UnitAt(data, 3) : a;
    // The text fills its buffer exactly: a read past its end is an error the sanitizer reports.
    const std::u16string units = testing::Utf16UnitsFrom(data, size, 7);
    const std::vector<char16_t> text(units.begin(), units.end());
    const std::u16string_view view(text.data(), text.size());
    const std::size_t from = std::min<std::size_t>(data[5], text.size());
    const std::size_t end = text.size() - std::min<std::size_t>(data[6], text.size() - from);
    const auto [stop, at] = testing::ReferenceBodyStop(view, from, candidates, a, b);
    for (const ScanPath path : {ScanPath::kPortable, ScanPath::kSse2, ScanPath::kAvx2}) {
        if (!CanScanBy(path)) {
            continue;
        }
        FuzzCheck(FindEitherUnitBy(path, text.data(), from, end, a, b) ==
                  testing::ReferenceFindEitherUnit(view, from, end, a, b));
        FuzzCheck(FindLineEndOrNulBy(path, text.data(), from, end) ==
                  testing::ReferenceLineEndOrNul(view, from, end));
        FuzzCheck(ScanBodyLinesBy(path, text.data(), from, text.size(), candidates, a, b) ==
                  BodyScanStop{static_cast<BodyStop>(stop), at});
    }
    return 0;
}
