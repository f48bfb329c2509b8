#include "platform/SystemInfo.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/AppPaths.h"

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

std::optional<std::string> EnvironmentMacro(const std::string& upperName)
{
    if (auto value = GetEnvironment(upperName)) {
        return value;
    }
    const auto withoutSlash = [](std::string path) {
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        return path;
    };
    if (upperName == "USERNAME") {
        return UserName();
    }
    if (upperName == "TEMP" || upperName == "TMP") {
        const auto tmpdir = GetEnvironment("TMPDIR");
        return tmpdir && !tmpdir->empty() ? withoutSlash(*tmpdir) : std::string("/tmp");
    }
    if (upperName == "USERPROFILE" || upperName == "HOMEPATH") {
        const auto home = GetEnvironment("HOME");
        if (home && !home->empty()) {
            return withoutSlash(*home);
        }
        const passwd* entry = getpwuid(getuid());
        return std::string(entry && entry->pw_dir ? entry->pw_dir : "/");
    }
    if (upperName == "APPDATA") {
        return withoutSlash(ConfigDirectory());
    }
    if (upperName == "COMPUTERNAME") {
        char host[HOST_NAME_MAX + 1] = {};
        if (gethostname(host, sizeof host - 1) == 0) {
            return std::string(host);
        }
    }
    return std::nullopt;
}

}  // namespace verdal
