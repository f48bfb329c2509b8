#include "engine/RunStatistics.h"

#include "engine/RunContext.h"

namespace verdal {

RunStatistics ComputeStatistics(const cRunContext& run)
{
    RunStatistics s;
    for (const auto& item : run.Candidates.Items()) {
        const cCandidate& c = *item;
        const bool dataToCopy = !(c.Category & kPropertiesOnly);
        switch (c.Action()) {
            case kForward:
                ++s.Forward;
                s.DestinationGrowth += c.Source.Size - c.Destination.Size;
                s.BytesToCopy += dataToCopy ? c.Source.Size : 0;
                break;
            case kBackward:
                ++s.Backward;
                s.SourceGrowth += c.Destination.Size - c.Source.Size;
                s.BytesToCopy += dataToCopy ? c.Destination.Size : 0;
                break;
            case kDelete:
                ++s.Delete;
                s.SourceFreed += c.Source.Size;
                s.DestinationFreed += c.Destination.Size;
                break;
            case kSkip:
                ++s.Skip;
                break;
            default:
                break;
        }
    }
    return s;
}

void ProjectFreeSpace(cRunContext& run, const RunStatistics& s)
{
    if (run.SameDrive) {
        const int64_t shared = run.SourceFree + s.SourceFreed + s.DestinationFreed -
                               s.SourceGrowth - s.DestinationGrowth;
        run.SourceProjected = run.DestinationProjected = shared;
        return;
    }
    run.SourceProjected = run.SourceFree + s.SourceFreed - s.SourceGrowth;
    run.DestinationProjected = run.DestinationFree + s.DestinationFreed - s.DestinationGrowth;
}

}  // namespace verdal
