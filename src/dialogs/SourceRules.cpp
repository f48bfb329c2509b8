#include "dialogs/SourceRules.h"

#include <algorithm>

#include "platform/Paths.h"
#include "platform/TextCase.h"
#include "settings/Macros.h"
#include "settings/Validation.h"

namespace verdal {
namespace {

bool EqualIgnoreCase(const std::string& a, const std::string& b)
{
    return CompareTextCI(a, b) == 0;
}

bool Listed(const std::vector<std::string>& list, const std::string& entry)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& item) { return EqualIgnoreCase(item, entry); });
}

}  // namespace

std::string DialogDirectory(std::string text)
{
    NormalizeDirectory(text);
    if (text.front() != '\\') {
        text.insert(text.begin(), '\\');
    }
    return text;
}

DrivePath SplitNativeFolder(const std::string& folder)
{
    DrivePath result;
    result.Drive = DriveOfPath(folder);
    std::string root;
    std::string rest = folder;
    if (ResolveDriveRoot(result.Drive, root) == 0 && rest.compare(0, root.size(), root) == 0) {
        rest = rest.substr(root.size());
    }
    std::replace(rest.begin(), rest.end(), '/', '\\');
    result.Directory = DialogDirectory(rest);
    return result;
}

std::string DirectoryEntryToAdd(const std::string& directory, bool withSubdirectories,
                                bool fromTree, const std::vector<std::string>& list)
{
    if (Listed(list, directory) || Listed(list, directory + "*")) {
        return {};
    }
    const bool hasStar = directory.find('*') != std::string::npos;
    if (withSubdirectories && (fromTree || !hasStar)) {
        return directory + "*";
    }
    return directory;
}

std::string ToggledSubdirectoryMarker(const std::string& entry)
{
    if (!entry.empty() && entry.back() == '*') {
        const bool afterBackslash = entry.size() >= 2 && entry[entry.size() - 2] == '\\';
        return afterBackslash || HasMacro(entry) ? entry.substr(0, entry.size() - 1) : entry;
    }
    return entry.find('*') == std::string::npos ? entry + "*" : entry;
}

std::string WithoutSubdirectoryMarker(const std::string& entry)
{
    return !entry.empty() && entry.back() == '*' ? entry.substr(0, entry.size() - 1) : entry;
}

SplitName SplitFileName(const std::string& name)
{
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return {name, {}};
    }
    return {name.substr(0, dot), name.substr(dot)};
}

std::string TypeMask(const std::string& name)
{
    return "*" + SplitFileName(name).Extension;
}

std::vector<std::string> SortedFileNames(const std::vector<std::string>& names, bool byType,
                                         bool ascending)
{
    struct Row
    {
        std::string Key;
        const std::string* Name;
    };
    std::vector<Row> rows;
    rows.reserve(names.size());
    for (const std::string& name : names) {
        const SplitName split = SplitFileName(name);
        rows.push_back(
            {byType ? split.Extension + split.Base : split.Base + split.Extension, &name});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return CompareTextCI(a.Key, b.Key) < 0; });
    std::vector<std::string> sorted;
    sorted.reserve(rows.size());
    for (const Row& row : rows) {
        sorted.push_back(*row.Name);
    }
    if (!ascending) {
        std::reverse(sorted.begin(), sorted.end());
    }
    return sorted;
}

void FileSortState::Click(bool typeColumn)
{
    if (typeColumn == ByType) {
        bool& ascending = ByType ? TypeAscending : NameAscending;
        ascending = !ascending;
    }
    ByType = typeColumn;
}

bool SameDrive(const std::string& a, const std::string& b)
{
    if (DriveFormOf(a) == DriveForm::MountPath || DriveFormOf(b) == DriveForm::MountPath) {
        return a == b;
    }
    return EqualIgnoreCase(a, b);
}

void PushHandDrive(std::vector<std::string>& drives, const std::string& drive, int keep)
{
    std::erase_if(drives, [&](const std::string& item) { return SameDrive(item, drive); });
    drives.insert(drives.begin(), drive);
    if (static_cast<int>(drives.size()) > keep) {
        drives.resize(static_cast<size_t>(std::max(keep, 0)));
    }
}

}  // namespace verdal
