#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/Candidate.h"
#include "engine/Snapshot.h"
#include "platform/FileStamp.h"
#include "settings/StringList.h"

namespace verdal {

class cParameters;
class cRunFrontEnd;

// The eight counters of a run's summary.
struct RunCounters
{
    int32_t Forward = 0;
    int32_t Backward = 0;
    int32_t Skipped = 0;
    int32_t Deleted = 0;
    int32_t DirsDeleted = 0;
    int32_t DirsCreated = 0;
    int32_t Verified = 0;
    int32_t Errors = 0;
    int32_t Warnings = 0;  // files left alone because no safe decision was possible
};

// A file the scan left alone because deciding it would have meant guessing.
struct RunConflict
{
    std::string Path;  // native
    std::string Reason;
};

// The state of one run, shared by all engine code: the settings, the front end, the roots
// and directory tables, the candidates with their header rows, the snapshot and the counters.
// Roots and relative directories keep the profile's drive + backslash form; the native roots
// are the file-system paths the platform layer resolved them to.
struct cRunContext
{
    cRunContext(cParameters& params, cRunFrontEnd* frontEnd);

    cParameters& Params;
    cRunFrontEnd* FrontEnd = nullptr;

    std::string ProfilePath;
    std::string SourceRoot;       // drive form, macros expanded, no trailing '\'
    std::string DestinationRoot;  // likewise
    std::string SourceNativeRoot;
    std::string DestinationNativeRoot;
    std::string DestinationBase;  // relative, with leading and trailing '\'
    bool SameDrive = false;

    // Effective search and exclude lists (macros expanded, sorted, no duplicates).
    cStringList SearchList{true};
    cStringList ExcludeList{true};

    // Index-aligned directory tables: entry i of one belongs to entry i of the other.
    std::vector<std::string> SourceDirs;
    std::vector<std::string> DestinationDirs;
    std::string CommonSourcePrefix;

    // Age window: AgeLimit 0 = none; AgeOlderThan keeps only files older than the limit.
    FileTime AgeLimit = 0;
    bool AgeOlderThan = false;

    // Files of each side that take part in the run (matched by a mask and decided).
    int64_t SourceFilesFound = 0;
    int64_t DestinationFilesFound = 0;

    cCandidateList Candidates;
    cFolderList Headers;
    cSnapshot Snapshot;
    RunCounters Counters;

    // Free space (-2 not ready, -1 unknown) and the projection after the run.
    int64_t SourceFree = -1;
    int64_t DestinationFree = -1;
    int64_t SourceProjected = 0;
    int64_t DestinationProjected = 0;
    int64_t BytesDone = 0;

    // Native paths of entries the scan left out because a backslash in their name cannot be
    // expressed in a profile; the driver logs them.
    std::vector<std::string> UnnamableEntries;
    // Files left alone because deciding them would have meant guessing; the driver logs them.
    std::vector<RunConflict> Conflicts;
    // Search or exclude entries refused because a "." or ".." component would leave the root.
    std::vector<std::string> RefusedEntries;
    // Directories that could not be read whole (native path and code) and directories reached
    // through a symbolic link or a file: their pairs are left alone, nothing in them is copied
    // or deleted. `BlockedPairs` marks those pairs by index.
    std::vector<std::pair<std::string, int>> UnreadableDirs;
    std::vector<std::string> LinkedDirs;
    std::vector<bool> BlockedPairs;
    // Per directory pair, the side whose folder names changed in case only since the last run,
    // by the snapshot: 1 source, 2 destination, 0 not known.
    std::vector<uint8_t> CaseRenamedSide;
    // Native paths of files renamed in case only since the last run, by the snapshot: a copy
    // onto them keeps their names.
    std::unordered_set<std::string> CaseRenamedFiles;
    // Folders of sides receiving copies whose file system could not be probed for case.
    std::vector<std::string> CaseUnchecked;

    bool PairBlocked(size_t index) const
    {
        return index < BlockedPairs.size() && BlockedPairs[index];
    }

    // Native path of a relative directory (and optional file name) on either side.
    std::string SourcePath(const std::string& relativeDir, const std::string& name = {}) const;
    std::string DestinationPath(const std::string& relativeDir, const std::string& name = {}) const;
    // Native paths of a candidate's two files.
    std::string SourceFile(const cCandidate& candidate) const;
    std::string DestinationFile(const cCandidate& candidate) const;

    // Lets the front end process its events; true when the run is to stop.
    bool PumpAndCheckAbort() const;
};

}  // namespace verdal
