#pragma once

#include <string>
#include <vector>

namespace verdal {

struct cRunContext;
class cDirCache;

// The five forms of a directory entry of the search and exclude lists.
enum class EntryForm {
    Plain,       // \Base\        the entry itself
    Subtree,     // \Base\*       the base and everything below it
    StartsWith,  // \Base\abc*    directories below the base with a component starting abc
    EndsWith,    // \Base\*abc    ... with a component ending abc
    Contains,    // \Base\*abc*   ... whose path below the base contains abc
};

struct DirectoryPattern
{
    EntryForm Form = EntryForm::Plain;
    std::string Base;  // up to and including the last '\'
    std::string Text;  // the abc of the pattern forms
};

DirectoryPattern ParseDirectoryEntry(const std::string& entry);

// Appends the directories an entry stands for on a side (native root + cache of its listings).
// Stops early when the run's abort flag is set.
void ExpandDirectoryEntry(const cRunContext& run, cDirCache& cache, const std::string& nativeRoot,
                          const std::string& entry, std::vector<std::string>& out);

// The common leading part of all entries, cut after its last '\' (one entry: itself).
std::string CommonPrefix(const std::vector<std::string>& entries);

// Source-relative directory -> destination-relative directory and back; empty when the entry
// lies outside the mapped part.
std::string MapToDestination(const cRunContext& run, const std::string& entry);
std::string MapToSource(const cRunContext& run, const std::string& entry);

// Builds SourceDirs, DestinationDirs (index-aligned, sorted) and CommonSourcePrefix from the
// effective search and exclude lists. A `fixedPrefix` is used instead of computing the prefix
// (the snapshot rebuilds the tables with the prefix of its run).
void BuildDirectoryTables(cRunContext& run, cDirCache& sourceCache, cDirCache& destinationCache,
                          const std::string* fixedPrefix = nullptr);

}  // namespace verdal
