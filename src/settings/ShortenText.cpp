#include "settings/ShortenText.h"

#include "settings/GermanFormat.h"

namespace verdal {

std::string ShortenToWidth(const std::string& text, int maxWidth,
                           const std::function<int(const std::string&)>& width)
{
    constexpr const char* kGap = " .. ";
    std::string result = text;
    bool shortened = false;
    size_t gapAt = 0;
    int measured = width(result);
    const int gapWidth = width(kGap);
    // Removing the character at position length div 2 (counted from 1) keeps both ends; a
    // single character is removed too, so the loop always ends.
    while (measured > maxWidth && !result.empty()) {
        const size_t count = CharacterCount(result);
        const size_t index = count / 2 > 0 ? count / 2 - 1 : 0;
        const size_t begin = FirstCharacters(result, index).size();
        result.erase(begin, FirstCharacters(result, index + 1).size() - begin);
        gapAt = begin;
        shortened = true;
        measured = width(result) + gapWidth;
    }
    if (shortened) {
        result.insert(gapAt, kGap);
    }
    return result;
}

}  // namespace verdal
