#include "settings/ShortenText.h"

namespace verdal {
namespace {

constexpr const char* kGap = " .. ";

bool StartsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// Byte offset of character `index` (counted from 0).
size_t OffsetOf(const std::string& text, size_t index)
{
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (StartsCharacter(text[i]) && seen++ == index) {
            return i;
        }
    }
    return text.size();
}

size_t CharacterCount(const std::string& text)
{
    size_t count = 0;
    for (const char c : text) {
        count += StartsCharacter(c) ? 1 : 0;
    }
    return count;
}

}  // namespace

std::string ShortenToWidth(const std::string& text, int maxWidth,
                           const std::function<int(const std::string&)>& width)
{
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
        const size_t begin = OffsetOf(result, index);
        result.erase(begin, OffsetOf(result, index + 1) - begin);
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
