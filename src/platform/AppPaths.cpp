#include "platform/AppPaths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/WinError.h"

namespace verdal {
namespace {

std::string WithSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

std::string HomeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    return "/";
}

bool IsDirectory(const std::string& path)
{
    struct stat st
    {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::string ExecutableDirectory()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return {};
    }
    std::string path(buffer, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

std::string ResourceDirectory()
{
    return FindResourceDirectory(ExecutableDirectory());
}

std::string FindResourceDirectory(const std::string& executableDirectory)
{
    if (const char* dir = std::getenv("VERDAL_DATA_DIR");
        dir && dir[0] == '/' && IsDirectory(dir)) {
        return WithSlash(dir);
    }
    if (executableDirectory.empty() || executableDirectory[0] != '/') {
        return {};
    }
    std::string dir = WithSlash(executableDirectory);
    for (int level = 0; level <= 3; ++level) {
        if (IsDirectory(dir + "share/verdal")) {
            return dir + "share/verdal/";
        }
        if (dir == "/") {
            break;
        }
        dir.pop_back();
        dir.erase(dir.rfind('/') + 1);
    }
    return {};
}

std::string ConfigDirectory()
{
    // The XDG base directory rules ignore relative values.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        return WithSlash(xdg);
    }
    return WithSlash(HomeDirectory()) + ".config/";
}

std::string CurrentDirectory()
{
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string("/");
}

bool RegularFileExists(const std::string& path)
{
    struct stat st
    {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int EnsureDirectory(const std::string& path)
{
    std::string dir = path;
    while (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
    if (dir.empty()) {
        return kErrPathNotFound;
    }
    // Existing levels answer EEXIST; only a real failure ends the walk.
    for (size_t pos = dir.find('/', 1);; pos = dir.find('/', pos + 1)) {
        if (::mkdir(dir.substr(0, pos).c_str(), 0777) != 0 && errno != EEXIST) {
            return WinErrorFromErrno(errno);
        }
        if (pos == std::string::npos) {
            break;
        }
    }
    struct stat st
    {};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? kErrSuccess : kErrPathNotFound;
}

}  // namespace verdal
