#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdal {

// Starting other programs and looking at the running ones.

// Splits a command line as Windows does: blanks separate, double quotes group, a backslash
// escapes a quote, "" inside quotes is one quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Starts a program detached from this one. Keeps the old convention of the callers: a result
// of 32 or more is success, below 32 it is the error code (2 = program not found).
int StartDetached(const std::vector<std::string>& argv);
int StartCommandLine(std::string_view commandLine);
// Opens a file or folder with the desktop's default application (xdg-open).
int OpenWithDesktop(const std::string& path);

// Runs a program, waits for it up to `timeoutMs` (it is killed after that) and returns its
// exit status, or std::nullopt when it could not run. Its standard output goes to `output`.
std::optional<int> RunCommand(const std::vector<std::string>& argv, std::string* output = nullptr,
                              int timeoutMs = 10000);

// Full path of a program found on PATH, or empty.
std::string FindProgram(std::string_view name);

// A running process, from /proc.
struct ProcessInfo
{
    int Pid = 0;
    std::string Name;         // the short command name
    std::string CommandLine;  // arguments joined by blanks
};
std::vector<ProcessInfo> ListProcesses();

}  // namespace verdal
