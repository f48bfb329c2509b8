#pragma once

#include <atomic>

namespace verdal {

// Terminal services of verdal-run.

// True when standard error is a terminal (progress lines are shown only there).
bool StderrIsTerminal();

// Lets Ctrl+C (SIGINT) and SIGTERM set the given flags instead of ending the process, so a
// run can stop at its next test and still write its summary. A second signal while the
// flags are already set ends the process the usual way.
void SetFlagsOnInterrupt(std::atomic<bool>* first, std::atomic<bool>* second);

}  // namespace verdal
