#include "app/DocumentRules.h"

#include "platform/DirectoryCheck.h"
#include "platform/Drives.h"
#include "platform/TextCase.h"
#include "settings/Parameters.h"

namespace verdal {

void AddToReopenList(std::array<std::string, 10>& oldFiles, const std::string& name)
{
    int hole = 9;
    for (int slot = 1; slot <= 8; ++slot) {
        if (SameTextCI(oldFiles[slot], name)) {
            hole = slot;
            break;
        }
    }
    for (int slot = hole; slot > 1; --slot) {
        oldFiles[slot] = oldFiles[slot - 1];
    }
    oldFiles[1] = name;
}

std::string RelativeDirectory(const std::string& path, const std::string& mountPoint)
{
    std::string rest = path;
    if (mountPoint != "/" && rest.compare(0, mountPoint.size(), mountPoint) == 0) {
        rest.erase(0, mountPoint.size());
    }
    std::string relative;
    for (char c : rest) {
        relative += c == '/' ? '\\' : c;
    }
    if (relative.empty() || relative.front() != '\\') {
        relative.insert(relative.begin(), '\\');
    }
    if (relative.back() != '\\') {
        relative += '\\';
    }
    return relative;
}

namespace {

std::string FileNamePart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Adds `text` unless an entry equal to it (letter case ignored) is there.
bool AddOnce(cStringList& list, const std::string& text)
{
    if (list.IndexOf(text) >= 0) {
        return false;
    }
    list.Add(text);
    return true;
}

}  // namespace

std::vector<DroppedPath> DescribeDroppedPaths(const std::vector<std::string>& paths)
{
    std::vector<DroppedPath> described;
    for (std::string path : paths) {
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        DroppedPath dropped{path, IsExistingDirectory(path)};
        if (dropped.Directory) {
            if (const auto mount = MountHolding(path)) {
                dropped.MountPoint = mount->MountPoint;
            }
        }
        described.push_back(std::move(dropped));
    }
    return described;
}

bool DropIntoProfile(cParameters& params, const std::vector<DroppedPath>& paths, bool ctrl,
                     bool shift)
{
    bool changed = false;
    for (const DroppedPath& dropped : paths) {
        const std::string& path = dropped.Path;
        if (dropped.Directory) {
            const std::string directory = RelativeDirectory(path, dropped.MountPoint);
            cStringList& list = shift ? params.ExcludeDirectories : params.SearchDirectories;
            // The directory with its marker covers the one without it.
            if (list.IndexOf(directory + "*") >= 0) {
                continue;
            }
            changed |= AddOnce(list, ctrl ? directory : directory + "*");
        } else {
            changed |=
                AddOnce(shift ? params.ExcludeFiles : params.CompareFiles, FileNamePart(path));
        }
    }
    return changed;
}

bool DropIntoBatch(cParameters& params, const std::vector<DroppedPath>& paths)
{
    bool changed = false;
    for (const DroppedPath& dropped : paths) {
        const std::string& path = dropped.Path;
        if (!dropped.Directory && path.size() > 4 &&
            path.compare(path.size() - 4, 4, ".vrd") == 0) {
            params.Batch.Profiles.Add(path, 0);
            changed = true;
        }
    }
    return changed;
}

}  // namespace verdal
