#pragma once

#include <string>
#include <vector>

#include "engine/Listing.h"

namespace verdal {

// Reads one native directory into `listing`: files (symbolic links included, never followed)
// with their stamps, and sub-directory names. Sockets, FIFOs and devices are left out; entries
// whose name holds a backslash go to `unnamable` as native paths. An unreadable directory
// yields an empty listing.
void ReadNativeDirectory(const std::string& nativeDir, bool useUtc, cListing& listing,
                         std::vector<std::string>* unnamable);

}  // namespace verdal
