#pragma once

#include <string>
#include <string_view>

namespace verdal {

// Byte encodings of the program's text files: files written on Windows are Windows-1252,
// files this program writes are Windows-1252 when every character fits and UTF-8 otherwise.
enum class TextEncoding { Utf8, Windows1252 };

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Decoding file bytes into the program's UTF-8 strings: valid UTF-8 is taken as it is (a leading
// byte order mark is dropped); otherwise each line is taken as UTF-8 where it is valid UTF-8 and
// as Windows-1252 where not, so one line from another system leaves the others intact.
std::string DecodeText(std::string_view bytes, TextEncoding* detected = nullptr);
std::string Windows1252ToUtf8(std::string_view bytes);

// Encoding UTF-8 text for a file. EncodeText picks Windows-1252 when every character fits and
// the result cannot be mistaken for UTF-8 when read back; otherwise the text stays UTF-8.
std::string EncodeText(std::string_view utf8, TextEncoding* chosen = nullptr);
// Encodes in a given encoding (for appending to a file whose encoding is already fixed);
// characters that Windows-1252 lacks become "?".
std::string EncodeTextAs(std::string_view utf8, TextEncoding encoding);
// True when every character of `utf8` has a Windows-1252 byte.
bool FitsWindows1252(std::string_view utf8);

}  // namespace verdal
