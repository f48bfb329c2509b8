#include "platform/TextCase.h"

#include <unicode/ucasemap.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>
#include <unicode/utypes.h>

namespace verdal {
namespace {

bool IsAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

template <typename Convert>
std::string ConvertWithIcu(std::string_view text, Convert convert)
{
    UErrorCode status = U_ZERO_ERROR;
    UCaseMap* map = ucasemap_open("", U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status)) {
        return std::string(text);
    }
    std::string out(text.size() * 3 + 4, '\0');
    status = U_ZERO_ERROR;
    int32_t length = convert(map, out.data(), static_cast<int32_t>(out.size()), text.data(),
                             static_cast<int32_t>(text.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.assign(static_cast<size_t>(length), '\0');
        status = U_ZERO_ERROR;
        length = convert(map, out.data(), length, text.data(), static_cast<int32_t>(text.size()),
                         &status);
    }
    ucasemap_close(map);
    if (U_FAILURE(status)) {
        return std::string(text);
    }
    out.resize(static_cast<size_t>(length));
    return out;
}

}  // namespace

std::string FoldCase(std::string_view text)
{
    std::string out(text);
    if (IsAscii(text)) {
        for (char& c : out) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return out;
    }
    // One code point for one code point, as the Windows file systems compare names: full
    // folding would make "Maße" and "Masse" one file. Nothing outside ASCII folds onto ASCII,
    // so the Kelvin sign and the long s stay apart from "k" and "s".
    out.clear();
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {  // not UTF-8: the bytes stand for themselves
            out.append(text.substr(static_cast<size_t>(start), static_cast<size_t>(i - start)));
            continue;
        }
        UChar32 folded = u_foldCase(c, U_FOLD_CASE_DEFAULT);
        if (c >= 0x80 && folded < 0x80) {
            folded = c;
        }
        char buffer[U8_MAX_LENGTH];
        int32_t n = 0;
        U8_APPEND_UNSAFE(buffer, n, folded);
        out.append(buffer, static_cast<size_t>(n));
    }
    return out;
}

std::string UpperCase(std::string_view text)
{
    if (IsAscii(text)) {
        std::string out(text);
        for (char& c : out) {
            if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        return out;
    }
    return ConvertWithIcu(text, ucasemap_utf8ToUpper);
}

int CompareTextCI(std::string_view a, std::string_view b)
{
    if (IsAscii(a) && IsAscii(b)) {
        const size_t n = a.size() < b.size() ? a.size() : b.size();
        for (size_t i = 0; i < n; ++i) {
            char x = a[i], y = b[i];
            if (x >= 'A' && x <= 'Z')
                x = static_cast<char>(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z')
                y = static_cast<char>(y - 'A' + 'a');
            if (x != y) {
                return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
            }
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    return FoldCase(a).compare(FoldCase(b));
}

bool SameTextCI(std::string_view a, std::string_view b)
{
    return CompareTextCI(a, b) == 0;
}

}  // namespace verdal
