#pragma once

#include <string>
#include <vector>

namespace verdal {

// Titles of the top-level windows: the window manager's client list (EWMH _NET_CLIENT_LIST)
// of the X display named by DISPLAY, each by _NET_WM_NAME or else WM_NAME. Empty when there is
// no display, no window manager list or the display cannot be opened.
std::vector<std::string> TopLevelWindowTitles();

// What the application trigger searches: the window titles above in an X session that keeps a
// client list; otherwise (a Wayland session, no display) the names and command lines of the
// running processes, since no window titles can be read there.
std::vector<std::string> ApplicationTexts();

}  // namespace verdal
