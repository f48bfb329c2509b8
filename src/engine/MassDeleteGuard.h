#pragma once

namespace verdal {

struct cRunContext;
class cLog;

// Guards against wiping a side because the other one looks empty (an unmounted or emptied
// drive): when the run's deletions would remove every file it found on one side, ten or more,
// while the other side holds no file at all, the user is asked first (message 30017). "No",
// or a message that is not shown, turns those deletions into Skip and logs a warning.
void GuardMassDeletion(cRunContext& run, cLog& log);

}  // namespace verdal
