#include "search/full_text_search.h"

#include <algorithm>
#include <filesystem>
#include <new>

#include "app/app_state.h"
#include "search/search_history.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// One month to search: from its file, or from the year buffer alone when the displayed year has a
// month text without a file (a save whose file could not be written).
struct Candidate {
    MonthFileKey key;
    fs::path name;
    bool stamped = false;  // size and write time as listed
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;
    [[nodiscard]] int SortKey() const noexcept { return key.year * 100 + key.month; }
};

// Sets the busy flag for the lifetime of a search.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { busy_ = false; }

private:
    bool& busy_;
};

std::optional<std::vector<Candidate>> ListCandidates(FileSystem& fs, const fs::path& folder) {
    std::optional<std::vector<FolderEntry>> entries = fs.ListFolder(folder);
    if (!entries) {
        return std::nullopt;
    }
    std::vector<Candidate> candidates;
    for (FolderEntry& entry : *entries) {
        if (entry.isFolder) {
            continue;
        }
        const std::optional<MonthFileKey> key = ParseMonthFileName(entry.name.u16string());
        if (key) {
            candidates.push_back({*key, std::move(entry.name), entry.stamped, entry.size, entry.writeTime});
        }
    }
    return candidates;
}

// Months of the displayed year whose text the buffer holds but whose file the listing lacks.
void AddBufferOnlyMonths(const YearBuffer& buffer, std::vector<Candidate>& candidates) {
    if (buffer.Year() < 1) {
        return;  // no year loaded
    }
    for (int month = 1; month <= 12; ++month) {
        const MonthFileKey key{buffer.Year(), month};
        const bool listed = std::any_of(candidates.begin(), candidates.end(),
                                        [&](const Candidate& candidate) { return candidate.key == key; });
        if (!listed && buffer.State(month) == MonthState::kLoaded && !buffer.MonthText(month).empty()) {
            candidates.push_back({key, {}});
        }
    }
}

// Searches the candidates in calendar order until the end or until Esc.
void SearchCandidates(const std::vector<Candidate>& candidates, const fs::path& folder,
                      const SearchPattern& pattern, const SearchEnvironment& environment,
                      HitCollector& hits) {
    const YearBuffer& buffer = environment.displayedYear;
    MonthFileSearcher searcher;
    std::u16string units;
    // The paths differ in their last part alone: it is replaced rather than the path built anew.
    fs::path file = folder / u"000000.txt";
    for (const Candidate& candidate : candidates) {
        if (environment.interruption.StopRequested()) {
            return;
        }
        const auto [year, month] = candidate.key;
        // A month the year buffer could not read is looked for in its file once more.
        if (year == buffer.Year() && buffer.State(month) != MonthState::kUnreadable) {
            CollectMonthHits(buffer.MonthText(month), buffer.Days(month), year, month, pattern, hits);
            continue;
        }
        if (candidate.name.empty()) {
            continue;
        }
        // Without its size and time from the listing a month can be neither looked up nor kept.
        MonthTextCache* cache = candidate.stamped ? environment.cache : nullptr;
        const MonthTextCache::Month* cached =
            cache ? cache->Find(candidate.SortKey(), candidate.size, candidate.writeTime) : nullptr;
        if (cached) {
            CollectMonthHits(cached->text, cached->table, year, month, pattern, hits);
            continue;
        }
        // Read into the same buffer every time; the text is what ReadUtf16File gives: the code units
        // behind a byte-order mark, NULs included.
        if (!environment.fs.ReadUtf16UnitsInto(file.replace_filename(candidate.name), units)) {
            continue;
        }
        std::u16string_view text = units;
        if (text.starts_with(u'\uFEFF')) {
            text.remove_prefix(1);
        }
        if (!cache) {
            searcher.Search(text, year, month, pattern, hits);
        } else if ((cached = cache->Store(candidate.SortKey(), candidate.size, candidate.writeTime, text))) {
            CollectMonthHits(cached->text, cached->table, year, month, pattern, hits);
        }
    }
}

// The cache keeps only months whose files were listed (candidates sorted by key).
void ForgetUnlistedMonths(MonthTextCache& cache, const std::vector<Candidate>& candidates) {
    cache.DropUnless([&candidates](int key) {
        return std::ranges::binary_search(candidates, key, {}, &Candidate::SortKey);
    });
}

bool IsAsciiDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

}  // namespace

std::optional<MonthFileKey> ParseMonthFileName(std::u16string_view name) noexcept {
    if (name.size() != 10 || !name.ends_with(u".txt") ||
        !std::all_of(name.begin(), name.begin() + 6, IsAsciiDigit)) {
        return std::nullopt;
    }
    auto number = [&](std::size_t from, std::size_t count) {
        int value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            value = value * 10 + (name[i] - u'0');
        }
        return value;
    };
    const MonthFileKey key{number(0, 4), number(4, 2)};
    if (key.year < 1 || key.month < 1 || key.month > 12) {
        return std::nullopt;
    }
    return key;
}

std::u16string StoredFormOfWord(std::u16string_view word) {
    std::u16string stored;
    stored.reserve(word.size());
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char16_t c = word[i];
        if (c != u'\r' && c != u'\n') {
            stored.push_back(c);
            continue;
        }
        if (c == u'\r' && i + 1 < word.size() && word[i + 1] == u'\n') {
            ++i;
        }
        stored += u"\r\n\t";
    }
    return stored;
}

bool RunSearch(SearchState& state, SearchSettings& settings, std::u16string_view boxText,
               const SearchEnvironment& environment) {
    if (state.busy) {
        return false;
    }
    const BusyScope busy(state.busy);
    try {
        const fs::path folder = PathInExeFolder(environment.exeFolder, environment.diaryName);
        if (!environment.fs.IsFolder(folder)) {
            environment.errors.Report({kSearchFolderMissingError, folder.u16string(), 0});
            return false;
        }
        const std::u16string_view word = SearchWordOf(boxText);
        if (word.empty() || !AddSearchHistory(settings.history, word)) {
            return false;
        }
        const SearchPattern pattern(StoredFormOfWord(word), settings.matchCase != 0, settings.wordOnly != 0);
        // The results are emptied; the hits found are written over the elements of the last ones.
        state.results.selectedIndex = 0;
        state.results.firstVisibleRow = 0;
        HitCollector hits(state.results.hits, 0);
        std::optional<std::vector<Candidate>> candidates = ListCandidates(environment.fs, folder);
        if (!candidates) {
            environment.errors.Report(
                {kSearchListingError, (folder / u"*.txt").u16string(), environment.fs.LastError()});
            return false;
        }
        AddBufferOnlyMonths(environment.displayedYear, *candidates);
        if (candidates->empty()) {
            return false;
        }
        std::sort(candidates->begin(), candidates->end(),
                  [](const Candidate& a, const Candidate& b) { return a.SortKey() < b.SortKey(); });
        if (environment.cache) {
            environment.cache->UseFolder(folder);
        }
        SearchCandidates(*candidates, folder, pattern, environment, hits);
        if (environment.cache) {
            ForgetUnlistedMonths(*environment.cache, *candidates);
        }
        return true;
    } catch (const std::bad_alloc&) {
        environment.errors.Report({kSearchOutOfMemoryError, {}, 0});
        return false;
    }
}

bool SearchCacheWarmer::Start(FileSystem& fs, const fs::path& folder, int skipYear) {
    folder_ = folder;
    months_.clear();
    next_ = 0;
    std::optional<std::vector<Candidate>> candidates = ListCandidates(fs, folder);
    if (!candidates) {
        return false;
    }
    for (Candidate& candidate : *candidates) {
        if (candidate.stamped && candidate.key.year != skipYear) {
            months_.push_back(
                {candidate.SortKey(), std::move(candidate.name), candidate.size, candidate.writeTime});
        }
    }
    return true;
}

bool SearchCacheWarmer::Step(FileSystem& fs, MonthTextCache& cache, int count) {
    cache.UseFolder(folder_);
    fs::path file = folder_ / u"000000.txt";
    for (int read = 0; read < count && next_ < months_.size(); ++next_) {
        const Pending& month = months_[next_];
        if (cache.Find(month.key, month.size, month.writeTime)) {
            continue;  // a search read it already
        }
        ++read;
        if (fs.ReadUtf16UnitsInto(file.replace_filename(month.name), units_)) {
            std::u16string_view text = units_;
            if (text.starts_with(u'\uFEFF')) {
                text.remove_prefix(1);
            }
            cache.Store(month.key, month.size, month.writeTime, text);
        }
    }
    return next_ < months_.size();
}

bool ClearSearchResults(SearchState& state) noexcept {
    if (state.busy) {
        return false;
    }
    state.results.hits.clear();
    state.results.selectedIndex = 0;
    state.results.firstVisibleRow = 0;
    return true;
}

}  // namespace tavrin
