#pragma once

#include <string>

namespace verdal {

// True when the native `path` exists and is a directory (or a link to one). Never prompts or
// blocks on a missing medium; a path that cannot be examined counts as missing.
bool IsExistingDirectory(const std::string& path);

}  // namespace verdal
