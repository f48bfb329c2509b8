#pragma once

#include <functional>
#include <string>

namespace verdal {

// True when the native `path` exists and is a directory (or a link to one). Never prompts or
// blocks on a missing medium; a path that cannot be examined counts as missing.
bool IsExistingDirectory(const std::string& path);

// Test seam: called with the path before each look that waits on the file system holding it
// (whether a directory exists, resolving a real path), on the thread that looks. A test can
// hold it as a hung network mount holds the caller. An empty function removes it.
void SetPathLookHook(std::function<void(const std::string& path)> hook);
void NotifyPathLook(const std::string& path);

}  // namespace verdal
