#pragma once

#include <string>

namespace verdal {

// Whole-file helpers on native paths. Results are Windows error codes (0 = success).

// Reads the whole file into `bytes`.
int ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a temporary file beside `path`, flushes it and renames it over `path`,
// so a failed save never destroys the previous version.
int WriteFileAtomic(const std::string& path, const std::string& bytes);

}  // namespace verdal
