#pragma once

#include <cstdint>
#include <string>

namespace verdal {

class cParameters;
class cRunFrontEnd;

// Results of a run: no error, aborted without errors, errors (errors outweigh an abort).
enum RunResult : int {
    kRunOk = 0,
    kRunAborted = 1,
    kRunErrors = 2,
};

// How a run is carried out. A dry run stops after the review list: it shows the decisions
// and changes nothing, not even the log.
struct RunOptions
{
    bool DryRun = false;
    // Answers the mass-delete question with Yes, for a run that is meant to empty a side.
    bool AllowMassDelete = false;
};

// One complete run of the profile that `params` holds: checks, scan, review list, the passes,
// the snapshot and the log. `batchFile` is empty for a single profile; `condition` (0..2, 255
// outside a batch) and `trigger` (0..5) only appear in the log. Questions go through the
// installed presenter, windows through `frontEnd`.
int RunProfile(cParameters& params, cRunFrontEnd& frontEnd, const std::string& profilePath,
               const std::string& batchFile, uint8_t condition, uint32_t trigger,
               const RunOptions& options = {});

}  // namespace verdal
