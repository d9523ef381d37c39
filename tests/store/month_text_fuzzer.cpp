// libFuzzer target: any bytes as a month file. Every range the parser returns must lie inside the
// text; after line-break normalisation every range must end at a line end, and rebuilding the month
// from its table must give back the same entries.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/utf16_file.h"
#include "store/month_text.h"
#include "support/fuzz_input.h"

namespace {

using tavrin::DayEntry;
using tavrin::MonthTable;
using tavrin::testing::FuzzCheck;

void CheckRanges(std::u16string_view text, const MonthTable& table) {
    for (const DayEntry& entry : table) {
        FuzzCheck(entry.body >= 0 && entry.length >= 0);
        FuzzCheck(static_cast<std::size_t>(entry.body) + static_cast<std::size_t>(entry.length) <=
                  text.size());
        if (entry.header >= 0) {
            FuzzCheck(static_cast<std::size_t>(entry.header) + static_cast<std::size_t>(entry.headerLength) <=
                      text.size());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string raw =
        tavrin::DecodeUtf16File(std::span<const std::byte>(reinterpret_cast<const std::byte*>(data), size));
    MonthTable table;
    for (int month = 1; month <= 12; ++month) {
        FuzzCheck(tavrin::ParseMonthText(raw, 2024, month, table));
        CheckRanges(raw, table);
    }

    const int month = static_cast<int>(size % 12) + 1;
    std::u16string text = raw;
    tavrin::NormalizeLineBreaks(text);
    tavrin::ParseMonthText(text, 2024, month, table);
    CheckRanges(text, table);
    for (const DayEntry& entry : table) {
        if (entry.HasEntry()) {
            const std::size_t end = static_cast<std::size_t>(entry.body + entry.length);
            FuzzCheck(end == text.size() ||
                      (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n'));
            (void)tavrin::BodyToEditorText(tavrin::EntryBody(text, entry));
        }
    }
    const std::u16string rebuilt = tavrin::BuildMonthText(2024, month, text, table, 0, u"");
    MonthTable again;
    tavrin::ParseMonthText(rebuilt, 2024, month, again);
    for (std::size_t i = 0; i < table.size(); ++i) {
        FuzzCheck(tavrin::EntryBody(rebuilt, again[i]) == tavrin::EntryBody(text, table[i]));
    }
    return 0;
}
