#pragma once

#include <iosfwd>

namespace verdal {

struct cArguments;

// verdal-run --summary FILE: reads the profile or batch file (macros in its name expanded)
// into the settings object and prints its settings summary, one line per node, indented by
// two blanks per level. Returns the exit code: 0, or 3 when the file cannot be read (the
// reader has reported why through the presenter).
int RunSummaryCommand(const cArguments& args, std::ostream& out);

}  // namespace verdal
