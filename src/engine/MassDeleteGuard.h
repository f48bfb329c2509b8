#pragma once

namespace verdal {

struct cRunContext;
class cLog;

// Guards against wiping a side because the other one looks empty or wrong (an unmounted,
// emptied or retargeted drive): when the run's deletions would remove at least half of the
// files that take part in the run on one side, and at least five, the user is asked first
// (message 30017), whatever else the run does and whatever the other side holds. "No", or a
// message that is not shown, turns those deletions into Skip, logs a warning and counts an
// error, so such a run never ends as a success. `allow` answers the question with Yes.
void GuardMassDeletion(cRunContext& run, cLog& log, bool allow = false);

}  // namespace verdal
