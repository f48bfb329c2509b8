#pragma once

#include <functional>
#include <string>
#include <vector>

namespace verdal {

// Names of one directory's entries for the windows that browse a drive: the directory tree
// wants the subdirectories, the source dialog's file list the rest. Only names are read, no
// stamps, and links are never taken for directories.

enum class NameKind { Directories, Files };

// Reads the names of `kind` in `nativeDir`, sorted case-insensitively. Returns a Windows
// error code; an unreadable directory leaves `names` empty.
int ListEntryNames(const std::string& nativeDir, NameKind kind, std::vector<std::string>& names);

// Like ListEntryNames, but gives up after `timeoutMs` (a dead network mount must not hold the
// window): kErrNotReady then. The reading thread finishes on its own and its result is dropped.
int ListEntryNamesBounded(const std::string& nativeDir, NameKind kind, int timeoutMs,
                          std::vector<std::string>& names);

// Test seam: called with the directory at the start of every listing (counting them, or
// holding one back to act as a slow mount). An empty function removes it.
void SetEntryNamesObserver(std::function<void(const std::string& nativeDir, NameKind kind)> hook);

}  // namespace verdal
