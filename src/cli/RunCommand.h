#pragma once

#include <iosfwd>

namespace verdal {

struct cArguments;

// verdal-run FILE: reads the profile or batch file (macros in its name expanded) and runs it
// with trigger 0 and a terminal front end; Ctrl+C stops the run so that its log still gets the
// summary. Prints the log file's path afterwards (mail goes out as the profile asks). With
// --dry-run it prints the decisions and changes nothing, not even the log. Returns the exit
// code: the run's result 0, 1 or 2 (a batch's highest), 3 when the file cannot be read.
int RunFileCommand(const cArguments& args, std::ostream& out, std::ostream& err, std::istream& in);

}  // namespace verdal
