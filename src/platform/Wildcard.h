#pragma once

#include <string_view>

namespace verdal {

// Windows wildcard matching of a file name against a mask, case-insensitive (Unicode folding):
// '*' any run of characters; '?' one character, or none before a dot or at the end; "*.*"
// every name; "*." names without a dot; "*.txt" names whose last extension is "txt".
bool MatchesWildcard(std::string_view name, std::string_view mask);

}  // namespace verdal
