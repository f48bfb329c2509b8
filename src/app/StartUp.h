#pragma once

#include <QStringList>
#include <functional>
#include <string>

class QApplication;

namespace verdal {

// What the command line asks: a file to open and the mute switch, which counts only as the
// second argument and in any letter case ("/mute" alone is the name of a file).
struct CommandLine
{
    std::string File;
    bool Mute = false;
};
CommandLine ParseCommandLine(const QStringList& arguments);

// The German message for an options file that exists but cannot be read; empty when it reads.
std::string OptionsFileProblem(const std::string& path);

// The splash picture stays at least this long, so it can be seen on a fast start.
inline constexpr qint64 kSplashMinimumMs = 1500;
// Shows the splash and holds it, painting, until `elapsedMs` (milliseconds since it was shown;
// empty = the real clock) reaches the minimum. False when the picture cannot be read.
bool ShowSplash(const std::function<qint64()>& elapsedMs = {});

// Ties the windows to the menu entry (verdal.desktop) and its icon in task bars and docks.
void SetDesktopIdentity();

// The program from start to end: options, splash, main window, message loop, placements and
// options written back. Returns the exit code.
int RunProgram(QApplication& app);

}  // namespace verdal
