#include "settings/LineFile.h"

#include "platform/FileIO.h"
#include "platform/WinError.h"

namespace verdal {

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        const size_t end = newline > start && text[newline - 1] == '\r' ? newline - 1 : newline;
        lines.emplace_back(text.substr(start, end - start));
        start = newline + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

int ReadLineFile(const std::string& path, std::vector<std::string>& lines, TextEncoding* encoding,
                 int64_t maxBytes)
{
    lines.clear();
    std::string bytes;
    const int err = ReadRegularFile(path, bytes, maxBytes);
    if (err != kErrSuccess) {
        return err;
    }
    lines = SplitLines(DecodeText(bytes, encoding));
    return kErrSuccess;
}

int WriteLineFile(const std::string& path, const std::vector<std::string>& lines,
                  TextEncoding* encoding)
{
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos) {
            return kErrInvalidName;
        }
    }
    return WriteFileAtomic(path, EncodeText(JoinLines(lines), encoding));
}

}  // namespace verdal
