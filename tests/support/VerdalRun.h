#pragma once

#include <string>

#include "support/TestDir.h"

namespace verdal::test {

// Runs the built verdal-run `binary` with `arguments` (already quoted for the shell) as a user
// would, kept inside `dir`: its home, configuration and data folders (the trash among them) lie
// in `dir`, its options file is `dir`/v.ini, `input` is its standard input, and its output and
// errors land in `dir`'s "out" and "err". Returns the exit code; a hang ends after a minute
// with 124 instead of stopping the test run.
int RunVerdalRun(TestDir& dir, const std::string& binary, const std::string& arguments,
                 const std::string& input = {});

}  // namespace verdal::test
