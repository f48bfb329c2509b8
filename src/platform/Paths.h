#pragma once

#include <map>
#include <string>
#include <string_view>

namespace verdal {

// Turning a profile's drive + backslash-relative directory + name into a native path.
// The core keeps the drive + backslash form everywhere; only these functions know Linux paths.

// The three forms a drive may take: "/media/anna/STICK", "C:", "\\nas\fotos".
enum class DriveForm { Invalid, MountPath, Letter, Share };
DriveForm DriveFormOf(std::string_view drive);

// The letter -> native root map of the options file ("C:" -> "/" unless set otherwise).
void SetDriveLetters(std::map<char, std::string> letters);
const std::map<char, std::string>& DriveLetters();

// Native root of a drive (no trailing slash except "/" itself). kErrNotReady (21) when the
// letter is unknown, the share is not mounted, the root does not exist or lies below a
// configured mount point that is not mounted now; kErrInvalidName
// (123) for text that is no drive at all.
int ResolveDriveRoot(std::string_view drive, std::string& root);

// Joins a native root, a relative directory with backslashes ("\Daten\Briefe\") and a name.
std::string JoinNativePath(std::string_view root, std::string_view relativeDir,
                           std::string_view name = {});

// ResolveDriveRoot followed by JoinNativePath.
int BuildNativePath(std::string_view drive, std::string_view relativeDir, std::string_view name,
                    std::string& path);

// True when a backslash-relative directory or name holds a "." or ".." component, which
// would lead a run out of its drive root.
bool HasDotComponent(std::string_view relative);
// The real path of `path` with links resolved: the longest existing leading part resolved,
// the rest appended as it stands. Empty when nothing of it exists.
std::string RealPathOf(const std::string& path);

// The drive text of the mount that holds `path` (the mount point, or "\\host\share").
std::string DriveOfPath(const std::string& path);

}  // namespace verdal
