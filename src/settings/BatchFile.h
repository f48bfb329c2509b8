#pragma once

#include <string>
#include <vector>

#include "settings/DocumentLines.h"
#include "settings/Parameters.h"

namespace verdal {

// The batch file (".vbf"): the profiles to run in a row with their continuation conditions,
// the batch's warning and automation settings and its schedule. Only `cParameters::Batch`,
// FileKind and OldFormat are touched; the profile fields stay as they are. The readers start
// after the first line and return false for a malformed file.

inline constexpr const char* kBatchMarker = "Verdal 5.00 Batch File";
inline constexpr const char* kBatchMarkers[] = {"Verdal 5.00 Batch File", "Verdal 4.00 Batch File"};
inline constexpr const char* kVersion3BatchMarker = "Verdal 3.00 Batch File";

// The current layout (also "Verdal 4.00 Batch File"), with three "Extra Data" blocks.
bool ReadCurrentBatch(cLineReader& reader, cParameters& p);
// The version-3 layout: settings, then one profile path per line up to the end of the file.
bool ReadVersion3Batch(cLineReader& reader, cParameters& p);

// The lines of the current layout, first line included, all three blocks written.
std::vector<std::string> BatchLines(const cParameters& p);

}  // namespace verdal
