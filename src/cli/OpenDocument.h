#pragma once

#include <string>

namespace verdal {

// Resets the settings object and reads the profile or batch file named on the command line
// (macros in the name expanded) into it; FileName becomes the expanded path. False when the
// file cannot be read: the reader has reported why through the presenter.
bool OpenDocument(const std::string& file);

}  // namespace verdal
