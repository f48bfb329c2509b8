#pragma once

#include <functional>
#include <string>

namespace verdal {

// Shortens `text` (UTF-8) in the middle until it fits `maxWidth` as measured by `width`, and
// marks the gap with " .. ": the GUI measures with a label's font, verdal-run in characters.
std::string ShortenToWidth(const std::string& text, int maxWidth,
                           const std::function<int(const std::string&)>& width);

}  // namespace verdal
