#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/EraseList.h"

namespace verdal {

struct cRunContext;

// The files of one directory at the time the snapshot was taken.
struct cSnapItem
{
    std::string Directory;           // relative, with leading and trailing '\'
    std::vector<std::string> Files;  // names as listed
};

// Which files existed on each side at the end of the last run. Lets a two-way run tell a
// file that is new on one side from one that was deleted on the other.
class cSnapshot
{
public:
    cEraseList<cSnapItem> SourceRecords;
    cEraseList<cSnapItem> DestinationRecords;

    // Reads the snapshot file; returns a Windows error code (0 = read, 2003 = no path).
    int ReadSnapshot(const std::string& path, cRunContext& run);
    // Lists both sides of every directory pair of `run` and saves the result atomically.
    int WriteSnapshot(const std::string& path, cRunContext& run);

    // Whether the directory's record (case-insensitive) holds the name (case-insensitive).
    bool WasInSource(const std::string& directory, const std::string& name) const;
    bool WasInDestination(const std::string& directory, const std::string& name) const;

    void Clear();

private:
    using Index = std::unordered_map<std::string, std::unordered_set<std::string>>;
    static void AddToIndex(Index& index, const cSnapItem& item);
    static bool Lookup(const Index& index, const std::string& directory, const std::string& name);

    Index sourceIndex_;
    Index destinationIndex_;
};

}  // namespace verdal
