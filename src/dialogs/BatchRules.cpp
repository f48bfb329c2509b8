#include "dialogs/BatchRules.h"

#include <algorithm>

#include "dialogs/DriveLook.h"
#include "platform/DirNames.h"
#include "platform/Paths.h"
#include "platform/TextCase.h"

namespace verdal {

void MoveItem(std::vector<cStringList::Item>& items, int from, int to)
{
    const int count = static_cast<int>(items.size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to) {
        return;
    }
    cStringList::Item item = items[from];
    items.erase(items.begin() + from);
    items.insert(items.begin() + to, std::move(item));
}

std::vector<int> MoveRowsForDrop(std::vector<cStringList::Item>& items,
                                 const std::vector<int>& selected, int target)
{
    std::vector<int> moved;
    if (selected.empty() || target < 0 || target >= static_cast<int>(items.size())) {
        return moved;
    }
    if (selected.front() >= target) {
        for (size_t k = 0; k < selected.size(); ++k) {
            const int to =
                std::min(target + static_cast<int>(k), static_cast<int>(items.size()) - 1);
            MoveItem(items, selected[k], to);
            moved.push_back(to);
        }
    } else {
        for (size_t k = 0; k < selected.size(); ++k) {
            const int row = selected[selected.size() - 1 - k];
            const int to = std::max(target - static_cast<int>(k), 0);
            MoveItem(items, row, to);
            moved.push_back(to);
        }
    }
    std::sort(moved.begin(), moved.end());
    return moved;
}

int DropTargetRow(int rowUnderMouse, int rowCount)
{
    if (rowCount <= 0) {
        return -1;
    }
    return rowUnderMouse >= 0 && rowUnderMouse < rowCount ? rowUnderMouse : rowCount - 1;
}

ProfileEntryParts SplitProfileEntry(const std::string& entry)
{
    const size_t cut = entry.find_last_of("/\\");
    if (cut == std::string::npos) {
        return {{}, entry};
    }
    return {entry.substr(0, cut + 1), entry.substr(cut + 1)};
}

DrivePath StartDriveAndDirectory(const cStringList& profiles)
{
    if (!profiles.Empty()) {
        const std::string folder = SplitProfileEntry(profiles[0]).Folder;
        if (!folder.empty()) {
            // Finding the folder's drive looks at its mount; on one that does not answer the
            // folder is taken below "/" rather than waited for.
            std::string belowRoot = folder;
            std::replace(belowRoot.begin(), belowRoot.end(), '/', '\\');
            return LookAtDrive<DrivePath>(folder, [folder] { return SplitNativeFolder(folder); })
                .value_or(DrivePath{"/", DialogDirectory(belowRoot)});
        }
    }
    return {"C:", "\\"};
}

std::vector<std::string> ProfileFilesIn(const std::string& folder)
{
    std::vector<std::string> files;
    ListEntryNamesBounded(folder, NameKind::Files, DriveLookTimeout(), files);
    std::vector<std::string> names;
    for (const std::string& name : files) {
        if (name.size() >= 4 && SameTextCI(name.substr(name.size() - 4), ".vrd")) {
            names.push_back(name);
        }
    }
    return names;
}

std::string ProfilePath(const std::string& folder, const std::string& name)
{
    if (!name.empty() && name.front() == '/') {
        return name;
    }
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\') {
        return folder + name;
    }
    return folder + "/" + name;
}

}  // namespace verdal
