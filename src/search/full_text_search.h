#pragma once
// The full-text search over the month files of the current diary: one hit per matching entry, in
// calendar order.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "app/user_error.h"
#include "platform/file_system.h"
#include "search/month_cache.h"
#include "search/month_search.h"
#include "store/year_buffer.h"

namespace tavrin {

// Error numbers of the ErrorMessageTable that a search reports.
inline constexpr int kSearchOutOfMemoryError = 203;
inline constexpr int kSearchFolderMissingError = 300;
inline constexpr int kSearchListingError = 309;

// The year and month a month file name stands for.
struct MonthFileKey {
    int year = 0;
    int month = 0;
    friend bool operator==(const MonthFileKey&, const MonthFileKey&) = default;
};

// Recognises "YYYYMM.txt": exactly ten characters, ".txt" in lower case, six ASCII digits giving a
// year 1 to 9999 and a month 1 to 12. Nothing for every other name.
[[nodiscard]] std::optional<MonthFileKey> ParseMonthFileName(std::u16string_view name) noexcept;

// The word as it is looked for in stored entries: every line break of the word (CR LF, CR or LF)
// becomes the stored form's CR LF followed by the TAB that starts every stored line, so that a word
// copied from several lines of an entry finds that entry. Nothing else changes.
[[nodiscard]] std::u16string StoredFormOfWord(std::u16string_view word);

// The hits of the last search, in calendar order, with the list's selection and first visible row
// (which belong to the search pane).
struct SearchResults {
    std::vector<SearchHit> hits;
    int selectedIndex = 0;
    int firstVisibleRow = 0;
    [[nodiscard]] int Count() const noexcept { return static_cast<int>(hits.size()); }
};

// Reads the month files of a diary into the search cache a few at a time while the program waits for
// input, so that the first search too finds them in memory. Months of skipYear (the year shown, which
// searches take from the year buffer) are left out, and so are files listed without size and time.
class SearchCacheWarmer {
public:
    // Lists the diary folder's month files to read; false when it cannot be listed.
    bool Start(FileSystem& fs, const std::filesystem::path& folder, int skipYear);
    // Reads up to count of the listed months that the cache does not hold as listed (an unreadable
    // file is passed over); false once every listed month has been seen to.
    bool Step(FileSystem& fs, MonthTextCache& cache, int count);
    [[nodiscard]] const std::filesystem::path& Folder() const noexcept { return folder_; }

private:
    struct Pending {
        int key = 0;
        std::filesystem::path name;
        std::uint64_t size = 0;
        std::int64_t writeTime = 0;
    };
    std::filesystem::path folder_;
    std::vector<Pending> months_;
    std::size_t next_ = 0;
    std::u16string units_;
};

// The process-wide search state: the results, SearchBusy, which is set while a search runs, and the
// months the searches (and the warmer) have read.
struct SearchState {
    SearchResults results;
    bool busy = false;
    MonthTextCache cache;
    SearchCacheWarmer warmer;
};

// Polled before each month: whether the user holds Esc down to stop the search. The shell asks the
// keyboard state (GetAsyncKeyState(VK_ESCAPE)); no message is pumped.
class SearchInterruption {
public:
    virtual ~SearchInterruption() = default;
    [[nodiscard]] virtual bool StopRequested() = 0;
};

// What a search reads besides the word and its options.
struct SearchEnvironment {
    FileSystem& fs;
    std::u16string exeFolder;
    std::u16string diaryName;
    // The year of the selected date as last saved: its months are searched here, not in their files.
    const YearBuffer& displayedYear;
    SearchInterruption& interruption;
    ErrorSink& errors;
    // Months read by earlier searches; none means every month file is read.
    MonthTextCache* cache = nullptr;
};

// Runs one search for the box text with the options of settings. Ignored (false) while another
// search runs. The diary folder must exist (else error 300 with its path); an empty word does
// nothing; the word goes into the history; then the results are emptied and every month file of the
// folder is searched, oldest first, the displayed year in the year buffer and the other years in
// their files (an unreadable file is skipped; with a cache, a file listed with the size and write
// time it had when it was last read is not read again; files listed without them are always read). A folder
// that cannot be listed gives error 309 with the listing pattern. Esc stops the search between months and
// keeps the hits so far. True when the search ran to its end or was stopped; false when there was nothing to
// search.
bool RunSearch(SearchState& state, SearchSettings& settings, std::u16string_view boxText,
               const SearchEnvironment& environment);

// Empties the results and resets the list's selection and first row; refused (false) while a search
// runs.
bool ClearSearchResults(SearchState& state) noexcept;

}  // namespace tavrin
