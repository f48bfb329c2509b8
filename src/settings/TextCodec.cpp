#include "settings/TextCodec.h"

#include <algorithm>

#include <array>
#include <cstdint>

namespace verdal {
namespace {

// Code points of the bytes 0x80..0x9F; the five bytes Windows leaves undefined map to the C1
// control of the same value, as Windows itself converts them, so they survive a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes the code point at `pos` and advances past it; kInvalid (advancing one byte) for a
// malformed sequence.
char32_t NextCodePoint(std::string_view s, size_t& pos)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t cp = 0, minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kInvalid;
    }
    if (pos + length > s.size()) {
        ++pos;
        return kInvalid;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kInvalid;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kInvalid;
    }
    pos += length;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The Windows-1252 byte of `cp`, or -1 when it has none.
int Windows1252Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

bool IsAscii(std::string_view s)
{
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool AnyLineMistakenForUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        const size_t length = newline == std::string_view::npos ? bytes.size() : newline;
        const std::string_view line = bytes.substr(0, length);
        if (!IsAscii(line) && IsValidUtf8(line)) {
            return true;
        }
        bytes.remove_prefix(std::min(bytes.size(), length + 1));
    }
    return false;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (NextCodePoint(bytes, pos) == kInvalid) {
            return false;
        }
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string DecodeText(std::string_view bytes, TextEncoding* detected)
{
    const TextEncoding encoding =
        IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    if (detected != nullptr) {
        *detected = encoding;
    }
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
    }
    if (encoding == TextEncoding::Utf8) {
        return std::string(bytes);
    }
    // Line by line: one name written in another code page must not garble every other line.
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        const size_t length = newline == std::string_view::npos ? bytes.size() : newline + 1;
        const std::string_view line = bytes.substr(0, length);
        if (IsValidUtf8(line)) {
            out.append(line);
        } else {
            out += Windows1252ToUtf8(line);
        }
        bytes.remove_prefix(length);
    }
    return out;
}

bool FitsWindows1252(std::string_view utf8)
{
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = NextCodePoint(utf8, pos);
        if (cp == kInvalid || Windows1252Byte(cp) < 0) {
            return false;
        }
    }
    return true;
}

std::string EncodeTextAs(std::string_view utf8, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) {
        return std::string(utf8);
    }
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const int b = Windows1252Byte(NextCodePoint(utf8, pos));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string EncodeText(std::string_view utf8, TextEncoding* chosen)
{
    TextEncoding encoding = TextEncoding::Utf8;
    std::string out;
    if (FitsWindows1252(utf8)) {
        out = EncodeTextAs(utf8, TextEncoding::Windows1252);
        // Windows-1252 bytes that happen to form valid UTF-8 ("Ã¤") would be read back as
        // different text (files are decoded line by line); such text is written as UTF-8.
        if (!AnyLineMistakenForUtf8(out)) {
            encoding = TextEncoding::Windows1252;
        }
    }
    if (encoding == TextEncoding::Utf8) {
        out.assign(utf8);
    }
    if (chosen != nullptr) {
        *chosen = encoding;
    }
    return out;
}

}  // namespace verdal
