#pragma once

#include <string>

namespace verdal {

// Where the program lives and where it keeps its settings. Directories end with "/".

// Directory of the running executable (from /proc/self/exe); empty when it cannot be found.
std::string ExecutableDirectory();

// The directory of the program's data (help pages, examples): $VERDAL_DATA_DIR when it names
// an absolute directory, else the first "share/verdal" found in the executable's directory or
// one of its three parents. That finds an installed prefix (/usr/bin -> /usr/share/verdal) and
// the build folder, which links build/share/verdal to the sources. Empty when none is found.
std::string ResourceDirectory();
// The same search from a given executable directory.
std::string FindResourceDirectory(const std::string& executableDirectory);

// The user's configuration directory: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config (home from $HOME, else from the password database).
std::string ConfigDirectory();

// The process's working directory, without a trailing slash; "/" when it cannot be found.
std::string CurrentDirectory();

// True when `path` names an existing regular file (following links).
bool RegularFileExists(const std::string& path);

// Creates `path` and its missing parents; returns a Windows error code (0 = success, also when
// the directory already exists).
int EnsureDirectory(const std::string& path);

}  // namespace verdal
