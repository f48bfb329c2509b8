#pragma once

#include <string>
#include <vector>

namespace verdal {

// What verdal-run was asked to do.
enum class CliMode { Run, Summary, Help, Version, Invalid };

// The parsed command line of verdal-run.
struct cArguments
{
    CliMode Mode = CliMode::Invalid;
    std::string File;     // profile or batch file as given (macros not yet expanded)
    std::string IniPath;  // --ini: the options file to use instead of the usual one
    bool DryRun = false;
    bool Interactive = false;
    bool AllowMassDelete = false;  // answers the mass-delete question with Yes
    std::string Error;             // German text when Mode is Invalid
};

// Parses the arguments after the program name:
//   verdal-run [--ini DATEI] [--dry-run] [--interactive] [--allow-mass-delete] DATEI
//   verdal-run [--ini DATEI] --summary DATEI
//   verdal-run --help | --version
// "--" ends the options, so a file name may begin with "-".
cArguments ParseArguments(const std::vector<std::string>& args);

// The German usage text printed by --help and after a wrong command line.
std::string UsageText();

}  // namespace verdal
