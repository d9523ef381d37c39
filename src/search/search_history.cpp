#include "search/search_history.h"

#include <algorithm>

namespace tavrin {

std::u16string_view SearchWordOf(std::u16string_view boxText) noexcept {
    if (boxText.size() <= kSearchWordMax) {
        return boxText;
    }
    std::size_t length = kSearchWordMax;
    if (boxText[length - 1] >= 0xD800 && boxText[length - 1] <= 0xDBFF) {
        --length;
    }
    return boxText.substr(0, length);
}

bool AddSearchHistory(SearchHistory& history, std::u16string_view word) {
    word = SearchWordOf(word);
    if (word.empty()) {
        return false;
    }
    auto& words = history.words;
    const int count = std::clamp(history.count, 0, SearchHistory::kCapacity);
    const auto end = words.begin() + count;
    const auto found = std::find(words.begin(), end, word);
    if (found != end) {
        std::rotate(words.begin(), found, found + 1);
        history.count = count;
        return true;
    }
    const int kept = std::min(count, SearchHistory::kCapacity - 1);
    std::move_backward(words.begin(), words.begin() + kept, words.begin() + kept + 1);
    words[0] = std::u16string(word);
    history.count = kept + 1;
    return true;
}

}  // namespace tavrin
