#pragma once

#include <string>
#include <vector>

#include "engine/Candidate.h"

namespace verdal {

// Sort modes of the candidate list (the profile's SortingMode).
enum SortingMode : int {
    kSortPath = 0,
    kSortName = 1,
    kSortType = 2,
    kSortSize = 3,
    kSortDate = 4,
    kSortCategory = 5,
};

// <0, 0, >0: the order of two candidates under a sort mode (before ReverseOrder).
int CompareCandidates(const cCandidate& a, const cCandidate& b, int sortingMode);

// Sorts the list by the mode; `reverse` negates the comparison.
void SortCandidates(cCandidateList& candidates, int sortingMode, bool reverse);

// Header rows for a sorted list: a new group wherever the mode's group key changes. Path
// captions show the source directory with `commonPrefix` replaced by "...\".
void BuildHeaders(const cCandidateList& candidates, int sortingMode,
                  const std::vector<std::string>& sourceDirs, const std::string& commonPrefix,
                  bool open, cFolderList& headers);

}  // namespace verdal
