#pragma once

#include <string>
#include <vector>

namespace verdal {

// The rules by which the source and destination dialogs edit directory and file entries,
// apart from the widgets so that tests reach them directly.

// A directory as the user typed it, in the form a profile keeps: empty becomes "\", a missing
// trailing "\" is added (unless the text holds a macro or a "*"), and a missing leading "\"
// too, so that "Sicherung" means the same as "\Sicherung\" for every later check.
std::string DialogDirectory(std::string text);

// A native folder split into the drive that holds it and the directory below that drive.
struct DrivePath
{
    std::string Drive, Directory;
};
DrivePath SplitNativeFolder(const std::string& folder);

// The entry that adding `directory` (already in the form above) to `list` yields, or an empty
// string when it or its subdirectory form is listed already (case ignored). `fromTree` adds the
// subdirectory marker unconditionally when `withSubdirectories`; from the edit field only when
// the text holds no "*" yet.
std::string DirectoryEntryToAdd(const std::string& directory, bool withSubdirectories,
                                bool fromTree, const std::vector<std::string>& list);

// Toggles the subdirectory marker: "\Daten\*" -> "\Daten\", "\Daten\" -> "\Daten\*"; an entry
// with a "*" elsewhere stays as it is.
std::string ToggledSubdirectoryMarker(const std::string& entry);

// The entry without its subdirectory marker, as the directory field shows it.
std::string WithoutSubdirectoryMarker(const std::string& entry);

// Base and extension of a file name; the extension begins at the last dot and keeps it.
struct SplitName
{
    std::string Base;
    std::string Extension;
};
SplitName SplitFileName(const std::string& name);

// "*" plus the extension: "Brief.doc" -> "*.doc", "README" -> "*".
std::string TypeMask(const std::string& name);

// The file list's order: by name (base, then extension) or by type (extension, then base),
// case ignored, reversed when not `ascending`.
std::vector<std::string> SortedFileNames(const std::vector<std::string>& names, bool byType,
                                         bool ascending);

// The sort state of the file list: clicking the sorting column flips its direction, clicking
// the other one makes it the sorting column with its own remembered direction.
struct FileSortState
{
    bool ByType = false;
    bool NameAscending = true;
    bool TypeAscending = true;

    void Click(bool typeColumn);
    bool Ascending() const { return ByType ? TypeAscending : NameAscending; }
};

// The hand-added drives, most recent first: `drive` moves or goes to the top, and the oldest
// beyond `keep` entries are dropped. Case is ignored for letters and shares.
void PushHandDrive(std::vector<std::string>& drives, const std::string& drive, int keep);

// True when two drive texts name the same drive (letters and shares ignore case).
bool SameDrive(const std::string& a, const std::string& b);

}  // namespace verdal
