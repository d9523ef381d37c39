#pragma once
// The month files of the diary as earlier searches read them, parsed, with the size and write time
// their files had then. A search looks a month up with what the folder listing says of its file now:
// only a month whose file changed (or is new) is read again, so searching the same diary again reads
// nothing that has not changed. The program keeps one cache for its lifetime; a search without one
// reads every file.

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "store/month_text.h"

namespace tavrin {

class MonthTextCache {
public:
    // A month as the year buffer would hold it: the text with its line breaks normalised, and the
    // entries ParseMonthText finds in it.
    struct Month {
        std::uint64_t size = 0;
        std::int64_t writeTime = 0;
        std::u16string text;
        MonthTable table{};
    };

    // The months about to be looked up or stored are those of folder: months cached for another
    // folder are dropped.
    void UseFolder(const std::filesystem::path& folder);

    // The month year * 100 + month when its file still has this size and write time; else nullptr.
    [[nodiscard]] const Month* Find(int key, std::uint64_t size, std::int64_t writeTime) const;

    // Stores the text just read from the month's file (after its byte-order mark, as read) and parses
    // it; the stored month, or nullptr when the text cannot be parsed (it is then not kept).
    const Month* Store(int key, std::uint64_t size, std::int64_t writeTime, std::u16string_view text);

    // Forgets months whose files are no longer listed (keys for which keep is false).
    template <typename Keep>
    void DropUnless(Keep keep) {
        std::erase_if(months_, [&keep](const auto& item) { return !keep(item.first); });
    }

private:
    std::filesystem::path folder_;
    std::unordered_map<int, Month> months_;
};

}  // namespace tavrin
