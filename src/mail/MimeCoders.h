#pragma once

#include <string>
#include <string_view>

namespace verdal {

// Content transfer encodings of MIME bodies and attachments.

// Base64 with the standard alphabet and "=" fill. With a line length (76 for bodies), every
// line, the last one included, ends with CR LF; with 0 the result is one unbroken line.
std::string Base64Encode(std::string_view bytes, size_t lineLength = 76);

// Quoted-printable, paragraph by paragraph (a paragraph ends at a line feed; a CR right before
// it belongs to the line break). Each paragraph is cut into pieces of at most 65 characters,
// before the last blank among the next 66 where there is one; pieces but the last end with a
// soft line break "=". Throws EMessageError "Paragraph is too large" beyond 24576 bytes.
std::string QuotedPrintableEncode(std::string_view text);

// Header values: printable ASCII stays as it is; text with other characters becomes UTF-8
// encoded-words. Line breaks are turned into blanks so a value can never start a new header.
std::string EncodeHeaderText(std::string_view utf8);

// A MIME parameter such as name="Log.txt"; a non-ASCII value uses the extended form
// name*=utf-8''Log%20M%C3%A4rz.txt so that the file name survives.
std::string MimeParameter(std::string_view name, std::string_view value);

// True when every byte is below 128.
bool IsAscii(std::string_view text);

}  // namespace verdal
