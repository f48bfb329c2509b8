#include "platform/Wildcard.h"

#include <string>
#include <vector>

#include "platform/TextCase.h"

namespace verdal {
namespace {

// Mask tokens after the DOS rewriting: a '*' before a dot stops at the last dot of the name,
// a '?' may match nothing at a dot or the end, and a dot before '?', '*' or the end may match
// the end of the name.
enum : char32_t {
    kAny = 0x110000,  // '*'
    kAnyToLastDot,    // '*' followed by '.'
    kOneOrNone,       // '?'
    kDotOrEnd,        // '.' followed by '?', '*' or the end
};

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        if (lead >= 0x80 && lead < 0xC0) {
            length = 1;  // a stray continuation byte stands for itself
            code = lead;
        }
        for (int k = 1; k < length && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        out += code;
        i += static_cast<size_t>(length);
    }
    return out;
}

std::u32string Tokenize(const std::u32string& mask)
{
    std::u32string tokens;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char32_t next = i + 1 < mask.size() ? mask[i + 1] : 0;
        if (mask[i] == U'*') {
            tokens += next == U'.' ? kAnyToLastDot : kAny;
        } else if (mask[i] == U'?') {
            tokens += kOneOrNone;
        } else if (mask[i] == U'.' && (next == U'?' || next == U'*' || next == 0)) {
            tokens += kDotOrEnd;
        } else {
            tokens += mask[i];
        }
    }
    return tokens;
}

class Matcher
{
public:
    Matcher(std::u32string name, std::u32string tokens)
        : name_(std::move(name)),
          tokens_(std::move(tokens)),
          lastDot_(name_.rfind(U'.')),
          seen_((tokens_.size() + 1) * (name_.size() + 1), false)
    {}

    bool Match(size_t t, size_t n)
    {
        // Each (token, position) pair is tried once, which keeps stars from going exponential.
        const size_t key = t * (name_.size() + 1) + n;
        if (seen_[key]) {
            return false;
        }
        seen_[key] = true;
        if (t == tokens_.size()) {
            return n == name_.size();
        }
        const bool atEnd = n == name_.size();
        switch (tokens_[t]) {
            case kAny:
                return Match(t + 1, n) || (!atEnd && Match(t, n + 1));
            case kAnyToLastDot:
                return Match(t + 1, n) || (!atEnd && n != lastDot_ && Match(t, n + 1));
            case kOneOrNone:
                if (atEnd || name_[n] == U'.') {
                    return Match(t + 1, n);
                }
                return Match(t + 1, n + 1);
            case kDotOrEnd:
                if (atEnd) {
                    return Match(t + 1, n);
                }
                return name_[n] == U'.' && Match(t + 1, n + 1);
            default:
                return !atEnd && name_[n] == tokens_[t] && Match(t + 1, n + 1);
        }
    }

private:
    std::u32string name_;
    std::u32string tokens_;
    size_t lastDot_;
    std::vector<bool> seen_;
};

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view mask)
{
    if (mask == "*" || mask == "*.*") {
        return true;
    }
    Matcher matcher(DecodeUtf8(FoldCase(name)), Tokenize(DecodeUtf8(FoldCase(mask))));
    return matcher.Match(0, 0);
}

}  // namespace verdal
