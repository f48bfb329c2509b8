#include "platform/MimeGlobs.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

#include "platform/FileIO.h"

namespace verdal {
namespace {

constexpr const char* kSystemGlobs = "/usr/share/mime/globs2";

struct SuffixGlob
{
    int Weight = 50;
    std::string Type;
    std::string Suffix;  // ".txt"; lower case unless CaseSensitive
    bool CaseSensitive = false;
};

std::string AsciiLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return text;
}

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, ':')) {
        fields.push_back(field);
    }
    return fields;
}

// Only plain "*.ext" globs matter for attachments; literal names and other patterns are skipped.
bool ParseLine(const std::string& line, SuffixGlob& glob)
{
    const std::vector<std::string> f = SplitFields(line);
    if (f.size() < 3 || f[2].size() < 3 || f[2].compare(0, 2, "*.") != 0 ||
        f[2].find_first_of("*?[", 1) != std::string::npos) {
        return false;
    }
    glob.Weight = std::atoi(f[0].c_str());
    glob.Type = f[1];
    glob.CaseSensitive = f.size() > 3 && f[3].find("cs") != std::string::npos;
    glob.Suffix = glob.CaseSensitive ? f[2].substr(1) : AsciiLower(f[2].substr(1));
    return true;
}

std::vector<SuffixGlob> ReadGlobs(const std::string& path)
{
    std::vector<SuffixGlob> globs;
    std::string bytes;
    if (ReadWholeFile(path, bytes) != 0) {
        return globs;
    }
    std::istringstream in(bytes);
    std::string line;
    SuffixGlob glob;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '#' && ParseLine(line, glob)) {
            globs.push_back(glob);
        }
    }
    return globs;
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() > suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The heaviest glob wins, and among equal weights the longest ("*.tar.gz" before "*.gz").
std::string Lookup(const std::vector<SuffixGlob>& globs, const std::string& fileName)
{
    const std::string lower = AsciiLower(fileName);
    const SuffixGlob* best = nullptr;
    for (const SuffixGlob& g : globs) {
        if (!EndsWith(g.CaseSensitive ? fileName : lower, g.Suffix)) {
            continue;
        }
        if (!best || g.Weight > best->Weight ||
            (g.Weight == best->Weight && g.Suffix.size() > best->Suffix.size())) {
            best = &g;
        }
    }
    return best ? best->Type : std::string();
}

}  // namespace

std::string MimeTypeFromGlobs(const std::string& fileName)
{
    static const std::vector<SuffixGlob> systemGlobs = ReadGlobs(kSystemGlobs);
    return Lookup(systemGlobs, fileName);
}

std::string MimeTypeFromGlobs(const std::string& fileName, const std::string& globsPath)
{
    return Lookup(ReadGlobs(globsPath), fileName);
}

}  // namespace verdal
