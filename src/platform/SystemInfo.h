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

}  // namespace verdal
