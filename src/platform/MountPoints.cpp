#include "platform/MountPoints.h"

#include <dirent.h>

#include "platform/DirectoryCheck.h"
#include "platform/Drives.h"
#include "platform/FileIO.h"
#include "platform/Paths.h"

namespace verdal {
namespace {

// fstab writes blanks and tabs inside a mount point as octal escapes (\040).
std::string UnescapeOctal(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() &&
            text.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos) {
            out += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 +
                                     (text[i + 3] - '0'));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

bool Holds(std::string_view mountPoint, std::string_view path)
{
    if (mountPoint == "/") {
        return !path.empty() && path[0] == '/';
    }
    return path.substr(0, mountPoint.size()) == mountPoint &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

std::vector<std::string> ConfiguredMountPoints()
{
    const DriveSources& sources = CurrentDriveSources();
    std::vector<std::string> points;
    std::string text;
    if (ReadWholeFile(sources.Fstab, text) == 0) {
        points = ParseFstab(text);
    }
    for (const std::string& dirPath : sources.MountUnitDirs) {
        DIR* dir = ::opendir(dirPath.c_str());
        if (!dir) {
            continue;
        }
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name.size() > 6 && name.substr(name.size() - 6) == ".mount" &&
                ReadWholeFile(dirPath + "/" + std::string(name), text) == 0) {
                if (std::string where = MountUnitWhere(text); !where.empty()) {
                    points.push_back(std::move(where));
                }
            }
        }
        ::closedir(dir);
    }
    return points;
}

}  // namespace

std::vector<std::string> ParseFstab(std::string_view text)
{
    std::vector<std::string> points;
    for (std::string_view line : Lines(text)) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') {
            continue;
        }
        line.remove_prefix(first);
        const size_t gap = line.find_first_of(" \t");
        if (gap == std::string_view::npos) {
            continue;
        }
        std::string_view rest = line.substr(gap);
        rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t")));
        const std::string_view field = rest.substr(0, rest.find_first_of(" \t"));
        if (!field.empty() && field[0] == '/') {
            points.push_back(WithoutTrailingSlash(UnescapeOctal(field)));
        }
    }
    return points;
}

std::string MountUnitWhere(std::string_view text)
{
    for (std::string_view line : Lines(text)) {
        line.remove_prefix(std::min(line.size(), line.find_first_not_of(" \t")));
        if (line.substr(0, 6) != "Where=") {
            continue;
        }
        line.remove_prefix(6);
        while (!line.empty() &&
               (line.back() == ' ' || line.back() == '\r' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        if (!line.empty() && line[0] == '/') {
            return WithoutTrailingSlash(std::string(line));
        }
    }
    return {};
}

std::string UnmountedMountPointOf(const std::string& path)
{
    const std::vector<std::string> configured = ConfiguredMountPoints();
    if (configured.empty()) {
        return {};
    }
    const std::vector<MountEntry> mounted = ReadMountTable();
    // Without a mount table nothing can be judged; better to go on as before than to refuse
    // every run.
    if (mounted.empty()) {
        return {};
    }
    const std::string lexical = WithoutTrailingSlash(path);
    const std::string real = WithoutTrailingSlash(RealPathOf(lexical));
    std::string missing;
    for (const std::string& point : configured) {
        if (point == "/" || (!Holds(point, lexical) && !Holds(point, real)) ||
            point.size() <= missing.size()) {
            continue;
        }
        bool isMounted = false;
        for (const MountEntry& mount : mounted) {
            isMounted = isMounted || WithoutTrailingSlash(mount.MountPoint) == point;
        }
        if (!isMounted) {
            missing = point;
        }
    }
    return missing;
}

bool RootReady(const std::string& path)
{
    return IsExistingDirectory(path) && UnmountedMountPointOf(path).empty();
}

}  // namespace verdal
