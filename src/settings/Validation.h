#pragma once

#include <string>

namespace verdal {

// Checks and repairs of what a user types as drive, directory, file name or mask.

// Deletes every \ / : * ? " < > | so the rest can serve as a file or directory name.
std::string RemoveInvalidFileNameChars(const std::string& name);

// A file mask may hold anything but / " < > |.
bool IsValidMask(const std::string& mask);

// A drive is a letter with a colon ("C:"), a share "\\Computer\Freigabe" without a trailing
// backslash, or an absolute Linux path without a trailing slash ("/" itself allowed) and
// without "." or ".." components; none may hold * ? " < > |.
bool IsValidDrive(const std::string& drive);

// A directory relative to its drive begins and ends with a backslash ("\" alone is valid),
// holds none of / : * ? " < > |, no "\\" and no "." or ".." component.
bool IsValidDirectory(const std::string& directory);

// Unless `directory` holds a macro: empty becomes "\"; otherwise a backslash is appended when
// it does not end with one and holds no "*" (the subdirectory marker).
void NormalizeDirectory(std::string& directory);

// True when `path` is an existing directory; never asks for a missing medium. The second
// form takes a profile's drive and backslash-relative directory.
bool DirectoryExistsQuiet(const std::string& path);
bool DirectoryExistsQuiet(const std::string& drive, const std::string& relativeDir);

}  // namespace verdal
