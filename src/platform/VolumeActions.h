#pragma once

#include <string>

namespace verdal {

// Actions on the medium behind a drive.

// Unmounts and powers off the removable device that holds `root` (udisksctl); a drive that
// cannot be ejected is left alone and counts as success. Returns a Windows error code.
int EjectDrive(const std::string& root);

// Opens the desktop's disk utility so the user can format the medium; false when none is
// installed.
bool OfferFormat();

}  // namespace verdal
