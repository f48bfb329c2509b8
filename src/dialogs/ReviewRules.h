#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Candidate.h"

namespace verdal {

struct cRunContext;
struct cOverviewParameters;
class cParameters;

// The rules of the review list, kept apart from the widgets so that they can be tested
// without painting anything.

// Whether a side's file exists: the scan leaves a missing file's time at zero.
inline bool SourceExists(const cCandidate& c)
{
    return c.Source.LastWrite != 0;
}
inline bool DestinationExists(const cCandidate& c)
{
    return c.Destination.LastWrite != 0;
}

// Gives the candidate the action `action` (1, 2, 4 or 8), keeping its flags. Forward without a
// source and Backward without a destination are refused silently. True when it changed.
bool SetAction(cCandidate& c, uint16_t action);
// One step in the ring Forward -> Skip -> Delete -> Backward -> Forward; Forward without a
// source becomes Skip, Backward without a destination becomes Forward.
void CycleAction(cCandidate& c);

// A candidate passes when it carries every flag whose filter is switched on.
bool PassesFilters(const cCandidate& c, const cOverviewParameters& view);

// A row of the list: a header (group) row or a candidate row, packed in four bytes.
struct ReviewRow
{
    int32_t Code;  // >= 0: candidate index; < 0: header -(index + 1)

    static ReviewRow Group(int header) { return {-(header + 1)}; }
    static ReviewRow Item(int candidate) { return {candidate}; }
    bool IsGroup() const { return Code < 0; }
    int Index() const { return Code < 0 ? -Code - 1 : Code; }
};

// The rows for the current headers: each group row, then, when the group is open, its
// candidates that pass the filters. The 32000-row limit of old list boxes does not apply.
std::vector<ReviewRow> BuildRows(const cFolderList& headers, const cCandidateList& candidates,
                                 const cOverviewParameters& view);

// Counts of a group's candidates per action: Forward, Skip, Delete, Backward.
using ActionCounts = std::array<int32_t, 4>;
int ActionSlot(uint16_t action);
ActionCounts CountGroup(const cFolder& group, const cCandidateList& candidates);
// The header that holds candidate `index` (headers cover the list in order), or -1.
int GroupOfCandidate(const cFolderList& headers, int index);

// Sorts the run's candidates by the mode and direction and rebuilds its headers, which start
// open or closed as the view says.
void SortRun(cRunContext& run, int sortingMode, bool reverse, bool openFolders);

// What the buttons of the list may do for a selection.
struct ReviewSelection
{
    int Rows = 0;                        // selected rows
    int Candidates = 0;                  // of them candidate rows
    const cCandidate* Single = nullptr;  // the candidate when exactly one row is selected
};
struct ReviewEnabling
{
    bool Actions = false, Open = false, CompareInternal = false, CompareExternal = false;
};
ReviewEnabling EnablingFor(const ReviewSelection& selection, bool externalConfigured);

// The text shown after an internal comparison: `result` is CompareFilesBytewise's code; a
// failure to read shows its error text instead of a verdict.
std::string InternalCompareText(const std::string& source, const std::string& destination,
                                int result);
// The argument list of the external comparison: the program, then the pattern split into
// arguments with "%1"/"%2" replaced inside each, so that no file name can add arguments.
std::vector<std::string> ExternalCompareArguments(const std::string& program,
                                                  const std::string& pattern,
                                                  const std::string& source,
                                                  const std::string& destination);

// A relative directory of the run's tables ("\\Daten\\Briefe\\") as the list shows it
// ("Daten/Briefe/"); the root is empty.
std::string RelativeDirText(const std::string& dir);

// Free-space text of a side: empty when the figure is unknown, else "%.3n MB bleiben" or
// "%.3n MB fehlen" (then `missing` is set).
std::string FreeSpaceText(int64_t free, int64_t projected, bool& missing);
// "%.3n MB Transfer".
std::string TransferText(int64_t bytes);

// The view settings that browsing in the list changes: kept when the list opens and put back
// when it closes, so the profile's saved view stays as it was.
class cSaveParameters
{
public:
    explicit cSaveParameters(cParameters& params);
    ~cSaveParameters();
    cSaveParameters(const cSaveParameters&) = delete;
    cSaveParameters& operator=(const cSaveParameters&) = delete;

private:
    cParameters& params_;
    bool oneLine_, reverse_, filterSizes_, filterDouble_, filterProperties_;
    uint8_t sortingMode_;
};

}  // namespace verdal
