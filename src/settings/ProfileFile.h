#pragma once

#include <string>
#include <vector>

#include "settings/DocumentLines.h"
#include "settings/Parameters.h"

namespace verdal {

// The profile file (".vrd"): one value per line, the meaning given by the position. The
// readers start after the first line (which chose the layout) and fill the profile fields of
// `p`; they return false for a malformed file, leaving `p` partly filled (callers read into a
// copy). The common success steps (Untitled, Modified, LastFile) are the caller's.

// First lines of the profile layouts.
inline constexpr const char* kProfileMarker = "Verdal 5.0 Profile";
inline constexpr const char* kProfileMarkers[] = {"Verdal 5.0 Profile", "Verdal 4.2 Profile",
                                                  "Verdal 4.1 Profile", "Verdal 4.00 Workfile"};
inline constexpr const char* kVersion3ProfileMarker = "Verdal 3.00 Workfile";
inline constexpr const char* kUnversionedProfileMarks[] = {"0", "1", "11"};

// The current layout (also the four older names of it), with the five "Extra Data" blocks.
bool ReadCurrentProfile(cLineReader& reader, cParameters& p);
// The version-3 layout ("Verdal 3.00 Workfile").
bool ReadVersion3Profile(cLineReader& reader, cParameters& p);
// The unversioned oldest layout (first line "0", "1" or "11").
bool ReadUnversionedProfile(cLineReader& reader, cParameters& p);

// Reads a profile or batch file of any layout into `params` as LoadFromFile does, but shows
// nothing (so that it may run off the window's thread); false with the error code when the file
// cannot be read whole, `params` then as it was.
bool ReadDocumentFile(const std::string& path, cParameters& params, int& error);

// The lines of the current layout, first line included, all five blocks written.
std::vector<std::string> ProfileLines(const cParameters& p);

}  // namespace verdal
