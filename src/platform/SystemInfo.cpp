#include "platform/SystemInfo.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <cstdlib>
#include <vector>

namespace verdal {

OSInfo DetectOS()
{
    OSInfo info;
    utsname names{};
    if (uname(&names) == 0) {
        info.Name = std::string(names.sysname) + " " + names.release;
    } else {
        info.Name = "Linux";
    }
    return info;
}

std::optional<std::string> GetEnvironment(const std::string& name)
{
    const char* value = std::getenv(name.c_str());
    if (!value) {
        return std::nullopt;
    }
    return std::string(value);
}

std::string UserName()
{
    for (const char* variable : {"USERNAME", "USER"}) {
        const auto value = GetEnvironment(variable);
        if (value && !value->empty()) {
            return *value;
        }
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    return {};
}

}  // namespace verdal
