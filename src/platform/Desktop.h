#pragma once

#include <string>

namespace verdal {

// Desktop integration after the freedesktop.org conventions: the user's folders, launchers
// (.desktop files) and the registration of the program's file types.

enum class XdgFolder { Desktop, Autostart, Applications, Config, Data };
// The folder's path without a trailing slash (the desktop from user-dirs.dirs).
std::string XdgFolderPath(XdgFolder folder);

// A launcher: the program with its arguments, written as a Windows-style command line
// ("\"/home/anna/Sicherung.vrd\" /mute"), started in `WorkingDirectory`.
struct Launcher
{
    std::string Name;
    std::string Program;
    std::string Arguments;
    std::string WorkingDirectory;
    std::string Icon;
    std::string Comment;
};
// The text of the .desktop file for `launcher`.
std::string LauncherText(const Launcher& launcher);
// Writes the launcher to `path` (".desktop" appended when missing), executable so that
// desktops trust it. Returns a Windows error code.
int WriteLauncher(std::string path, const Launcher& launcher);

// Registers .vrd and .vbf for `programPath`: a shared-mime-info package and a verdal.desktop
// entry in the user's data folder, then the desktop's databases are brought up to date. With
// `force` false nothing is written when a registration exists, the user's own or one that a
// package installed in $XDG_DATA_DIRS. Returns a Windows error code.
int RegisterFileTypes(const std::string& programPath, bool force);

}  // namespace verdal
