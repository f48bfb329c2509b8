#pragma once

#include <string>
#include <string_view>

namespace verdal {

// Case-insensitive handling of UTF-8 text: Unicode case folding with an ASCII fast path.

// Folds `text` so that two names equal but for case fold to the same bytes: simple folding, one
// code point for one ("Maße" and "Masse" stay apart), and nothing folds from outside ASCII into
// it (the Kelvin sign is not "k").
std::string FoldCase(std::string_view text);
// Upper-cases `text` (Unicode).
std::string UpperCase(std::string_view text);
// <0, 0, >0 like strcmp, comparing folded text.
int CompareTextCI(std::string_view a, std::string_view b);
bool SameTextCI(std::string_view a, std::string_view b);

}  // namespace verdal
