#include "search/month_cache.h"

#include "search/month_search.h"

namespace tavrin {

void MonthTextCache::UseFolder(const std::filesystem::path& folder) {
    if (folder != folder_) {
        months_.clear();
        folder_ = folder;
    }
}

const MonthTextCache::Month* MonthTextCache::Find(int key, std::uint64_t size, std::int64_t writeTime) const {
    const auto found = months_.find(key);
    if (found == months_.end() || found->second.size != size || found->second.writeTime != writeTime) {
        return nullptr;
    }
    return &found->second;
}

const MonthTextCache::Month* MonthTextCache::Store(int key, std::uint64_t size, std::int64_t writeTime,
                                                   std::u16string_view text) {
    Month& month = months_[key];
    month.size = size;
    month.writeTime = writeTime;
    month.text.assign(text);
    const int year = key / 100;
    const int monthNumber = key % 100;
    // Text the program wrote has CR LF line ends only and is taken as it is; other text is normalised
    // as the year buffer normalises it.
    if (ScanCrLfMonthText(month.text, year, monthNumber, month.table)) {
        return &month;
    }
    NormalizeLineBreaks(month.text);
    if (ParseMonthText(month.text, year, monthNumber, month.table)) {
        return &month;
    }
    months_.erase(key);
    return nullptr;
}

}  // namespace tavrin
