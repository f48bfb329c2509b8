#include "mail/MimeCoders.h"

#include <algorithm>
#include <cstdint>

#include "mail/MailErrors.h"

namespace verdal {
namespace {

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr size_t kMaxParagraph = 24576;
constexpr size_t kPieceLength = 65;
// Bytes of UTF-8 per encoded-word keeps each word within the 75 characters RFC 2047 allows.
constexpr size_t kWordBytes = 45;

void AppendBase64Group(std::string& out, std::string_view bytes, size_t at)
{
    const size_t n = std::min<size_t>(3, bytes.size() - at);
    uint32_t group = 0;
    for (size_t i = 0; i < 3; ++i) {
        group = (group << 8) | (i < n ? static_cast<unsigned char>(bytes[at + i]) : 0u);
    }
    for (size_t i = 0; i < 4; ++i) {
        out += i <= n ? kBase64Alphabet[(group >> (18 - 6 * i)) & 0x3F] : '=';
    }
}

void AppendHex(std::string& out, unsigned char c)
{
    out += '=';
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 0x0F];
}

void AppendQuotedPiece(std::string& out, std::string_view piece, bool lastOfParagraph)
{
    for (size_t i = 0; i < piece.size(); ++i) {
        const auto c = static_cast<unsigned char>(piece[i]);
        // A blank at the very end of a line would be eaten by mail transports.
        const bool trailingBlank = lastOfParagraph && c == ' ' && i + 1 == piece.size();
        if (c < 32 || c == '=' || c >= 128 || trailingBlank) {
            AppendHex(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
}

size_t PieceLength(std::string_view rest)
{
    if (rest.size() <= kPieceLength) {
        return rest.size();
    }
    const size_t blank = rest.substr(0, kPieceLength + 1).rfind(' ');
    // A blank at the very start would give an empty piece and never advance.
    return blank != std::string_view::npos && blank > 0 ? blank : kPieceLength;
}

void EncodeParagraph(std::string& out, std::string_view paragraph)
{
    if (paragraph.size() > kMaxParagraph) {
        throw EMessageError("Paragraph is too large");
    }
    do {
        const size_t length = PieceLength(paragraph);
        const bool last = length == paragraph.size();
        AppendQuotedPiece(out, paragraph.substr(0, length), last);
        paragraph.remove_prefix(length);
        if (!last) {
            out += "=\r\n";
        }
    } while (!paragraph.empty());
}

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string WithoutLineBreaks(std::string_view text)
{
    std::string clean(text);
    for (char& c : clean) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return clean;
}

bool NeedsEncodedWords(std::string_view text)
{
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 127 || (u < 32 && u != '\t')) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 128) {
            return false;
        }
    }
    return true;
}

std::string Base64Encode(std::string_view bytes, size_t lineLength)
{
    std::string out;
    const size_t groupsPerLine = lineLength / 4;
    size_t groupsInLine = 0;
    for (size_t at = 0; at < bytes.size(); at += 3) {
        AppendBase64Group(out, bytes, at);
        if (groupsPerLine && ++groupsInLine == groupsPerLine) {
            out += "\r\n";
            groupsInLine = 0;
        }
    }
    if (groupsPerLine && groupsInLine) {
        out += "\r\n";
    }
    return out;
}

std::string QuotedPrintableEncode(std::string_view text)
{
    std::string out;
    while (!text.empty()) {
        const size_t lf = text.find('\n');
        std::string_view paragraph = text.substr(0, lf);
        if (lf != std::string_view::npos && !paragraph.empty() && paragraph.back() == '\r') {
            paragraph.remove_suffix(1);
        }
        EncodeParagraph(out, paragraph);
        if (lf == std::string_view::npos) {
            break;
        }
        out += "\r\n";
        text.remove_prefix(lf + 1);
    }
    return out;
}

std::string EncodeHeaderText(std::string_view utf8)
{
    const std::string clean = WithoutLineBreaks(utf8);
    if (!NeedsEncodedWords(clean)) {
        return clean;
    }
    std::string out;
    std::string_view rest = clean;
    while (!rest.empty()) {
        size_t length = std::min(kWordBytes, rest.size());
        while (length < rest.size() && length > 1 && IsContinuationByte(rest[length])) {
            --length;  // never split a character between two words
        }
        if (!out.empty()) {
            out += "\r\n ";
        }
        out += "=?utf-8?B?" + Base64Encode(rest.substr(0, length), 0) + "?=";
        rest.remove_prefix(length);
    }
    return out;
}

std::string MimeParameter(std::string_view name, std::string_view value)
{
    const std::string clean = WithoutLineBreaks(value);
    std::string out(name);
    if (!NeedsEncodedWords(clean)) {
        out += "=\"";
        for (const char c : clean) {
            if (c == '"' || c == '\\') {
                out += '\\';
            }
            out += c;
        }
        return out + "\"";
    }
    out += "*=utf-8''";
    for (const char c : clean) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
            u == '.' || u == '-' || u == '_') {
            out += c;
        } else {
            out += '%';
            out += kHexDigits[u >> 4];
            out += kHexDigits[u & 0x0F];
        }
    }
    return out;
}

}  // namespace verdal
