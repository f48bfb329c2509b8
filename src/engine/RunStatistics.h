#pragma once

#include <cstdint>

namespace verdal {

struct cRunContext;

// What the candidates of a run will do, for the space check and the review list: a count per
// action, the bytes to copy, and how much each side grows and frees.
struct RunStatistics
{
    int32_t Forward = 0, Skip = 0, Delete = 0, Backward = 0;
    int64_t BytesToCopy = 0;
    int64_t SourceGrowth = 0, SourceFreed = 0;
    int64_t DestinationGrowth = 0, DestinationFreed = 0;
};

// Counts the candidates' actions and sizes.
RunStatistics ComputeStatistics(const cRunContext& run);

// Fills run.SourceProjected / DestinationProjected from the free space and the statistics;
// on one drive both sides share one projection.
void ProjectFreeSpace(cRunContext& run, const RunStatistics& statistics);

}  // namespace verdal
