#pragma once

#include <vector>

#include "platform/SessionEnd.h"

namespace verdal::test {

// The session ends a test program asked for; the shared test main installs a recorder of them
// before every test, so no test can end the session of the person running it.
std::vector<SessionAction>& RecordedSessionEnds();
// Puts the shared recorder back (for tests that installed an ender of their own).
void InstallSessionRecorder();

}  // namespace verdal::test
