#pragma once

#include <string>

#include "platform/FileStamp.h"

namespace verdal {

struct cParameters;

// The name under which the older of two versions changed on both sides is kept beside the
// newer one: "<stem> (Konflikt YYYY-MM-DD HHMMSS[ n])<ext>", `localTime` being the older
// version's last write in local time and `number` counting from 1 (1 adds nothing). A name
// that starts with its only dot (".bashrc") is all stem; a stem too long for the 255 bytes a
// name may have is cut at a character boundary.
std::string KeptVersionName(const std::string& fileName, FileTime localTime, int number);

// Keeps the file `path` (stamp `stamp` as the scan read it) under the first free kept-version
// name in its folder. Returns 0 and the new path in `keptPath`, or the error of the last try.
int KeepOlderVersion(const cParameters& params, const std::string& path, const FileStamp& stamp,
                     std::string& keptPath);

}  // namespace verdal
