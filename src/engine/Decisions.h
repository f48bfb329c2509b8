#pragma once

#include <cstdint>
#include <string>

#include "platform/FileStamp.h"

namespace verdal {

struct cRunContext;
class cListing;
struct DirEntry;

// Orphan action codes of the profile's orphan modes.
enum OrphanMode : uint8_t {
    kOrphanForward = 0,
    kOrphanSkip = 1,
    kOrphanDelete = 2,
    kOrphanBackward = 3,
    kOrphanForwardOrBackward = 4,
    kOrphanSnapshot = 5,
    kOrphanOnlyOrphans = 6,
};

// One file of a directory pair as a decision routine sees it: the file found on its own side
// and both sides' listings and relative directories.
struct DecisionInput
{
    const DirEntry& File;
    const cListing& Source;
    const cListing& Destination;
    const std::string& SourceDir;
    const std::string& DestinationDir;
};

// What a routine decided: the category, both stamps, and the name of each side's file (they
// differ when the pair was matched case-insensitively).
struct Decision
{
    uint16_t Category = 0;
    FileStamp Source;
    FileStamp Destination;
    std::string SourceName;
    std::string DestinationName;
    // No pair could be made without guessing: several names on a side equal but for case, or
    // times that cannot tell which version is newer. The file is left alone and logged.
    std::string Conflict;
};

// Sets the run's age window from the profile's AgeMode: none, relative (today minus
// MidnightShift minus RelativeAge days), absolute (day AbsoluteAge), or since the last
// successful run; bit 4 reverses it to "older than".
void SetAgeWindow(cRunContext& run);

// -1, 0 or +1: `a` older, equal within the tolerance (and, with IgnoreDST, an hour apart),
// newer. A zero `b` (missing file) makes `a` newer.
int CompareTimes(const cRunContext& run, FileTime a, FileTime b);
// Whether the sizes differ by the CheckSizes factor (never against an empty other file).
bool SizeWarning(const cRunContext& run, int64_t thisSize, int64_t otherSize);

// The six decision routines; each returns true when a candidate is to be made.
// A source file matching the compare masks.
bool CompareForward(const cRunContext& run, const DecisionInput& in, Decision& out);
// A destination file matching the compare masks.
bool CompareBackward(const cRunContext& run, const DecisionInput& in, Decision& out);
// A source file matching the enforce masks.
bool EnforceForward(const cRunContext& run, const DecisionInput& in, Decision& out);
// A destination file matching the enforce masks.
bool EnforceDelete(const cRunContext& run, const DecisionInput& in, Decision& out);
// A source / destination file matching the delete masks.
bool DeleteFromSource(const cRunContext& run, const DecisionInput& in, Decision& out);
bool DeleteFromDestination(const cRunContext& run, const DecisionInput& in, Decision& out);

}  // namespace verdal
