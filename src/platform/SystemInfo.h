#pragma once

#include <optional>
#include <string>

namespace verdal {

// Facts about the running system for the about box, macros and destination variations.

// Operating system: the code of `cParameters::OSVersion` (3 for every Linux kernel) and a
// name such as "Linux 6.1.0-18-amd64".
struct OSInfo
{
    int Code = 3;
    std::string Name;
};
OSInfo DetectOS();

// The value of an environment variable, or nothing when it is not set.
std::optional<std::string> GetEnvironment(const std::string& name);

// The user's name: $USERNAME, else $USER, else the account name; empty when none is known.
std::string UserName();

// The value of a %NAME% macro that names an environment variable: the variable when it is
// set; else, for the names profiles written on Windows use, their Linux counterparts:
// USERNAME the user's name, TEMP and TMP $TMPDIR or /tmp, USERPROFILE and HOMEPATH the home
// folder, APPDATA the configuration folder, COMPUTERNAME the host name. Nothing otherwise.
std::optional<std::string> EnvironmentMacro(const std::string& upperName);

}  // namespace verdal
