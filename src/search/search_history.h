#pragma once
// The history of search words kept with the settings ([Search] SearchWord0 to SearchWord9).

#include <string>
#include <string_view>

#include "app/settings.h"

namespace tavrin {

// The search word as the search box gives it: at most kSearchWordMax code units, never ending in
// half of a surrogate pair.
[[nodiscard]] std::u16string_view SearchWordOf(std::u16string_view boxText) noexcept;

// Puts word at the front of the history: a word already in it (compared exactly) moves to the front;
// a new word pushes the others down and the oldest drops out when all ten places are taken. False
// only for an empty word.
bool AddSearchHistory(SearchHistory& history, std::u16string_view word);

}  // namespace tavrin
