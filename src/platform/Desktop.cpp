#include "platform/Desktop.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>

#include "platform/AppPaths.h"
#include "platform/FileIO.h"
#include "platform/Process.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

std::string HomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    const passwd* pw = ::getpwuid(::getuid());
    return pw && pw->pw_dir ? pw->pw_dir : "/";
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string DataDirectory()
{
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') {
        return WithoutTrailingSlash(data);
    }
    return HomeDirectory() + "/.local/share";
}

// XDG_DESKTOP_DIR="$HOME/Schreibtisch" from user-dirs.dirs.
std::string DesktopDirectory()
{
    std::string text;
    if (ReadWholeFile(XdgFolderPath(XdgFolder::Config) + "/user-dirs.dirs", text) == 0) {
        const std::string key = "XDG_DESKTOP_DIR=\"";
        const size_t start = text.find(key);
        const size_t end = start == std::string::npos ? start : text.find('"', start + key.size());
        if (end != std::string::npos) {
            std::string value = text.substr(start + key.size(), end - start - key.size());
            if (value.rfind("$HOME", 0) == 0) {
                value = HomeDirectory() + value.substr(5);
            }
            if (!value.empty() && value[0] == '/') {
                return WithoutTrailingSlash(value);
            }
        }
    }
    return HomeDirectory() + "/Desktop";
}

// Value escapes of the desktop entry format.
std::string EscapeValue(const std::string& value)
{
    std::string out;
    for (const char c : value) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

// One argument of an Exec line: quoted when it holds a reserved character, '%' doubled.
std::string ExecArgument(const std::string& arg)
{
    const bool quote =
        arg.empty() || arg.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
    std::string out = quote ? "\"" : "";
    for (const char c : arg) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            out += '\\';
        }
        out += c == '%' ? std::string("%%") : std::string(1, c);
    }
    return quote ? out + "\"" : out;
}

std::string ExecLine(const std::string& program, const std::string& arguments)
{
    std::string line = ExecArgument(program);
    for (const std::string& arg : SplitCommandLine(arguments)) {
        line += ' ' + ExecArgument(arg);
    }
    return line;
}

// Writes `text` unless the file already holds it; `changed` tells whether it wrote.
int WriteIfChanged(const std::string& path, const std::string& text, bool& changed)
{
    std::string old;
    changed = ReadWholeFile(path, old) != 0 || old != text;
    return changed ? WriteFileAtomic(path, text) : kErrSuccess;
}

// True when a package has registered the file types for every user: an entry of our own in
// the user's folder would hide the system's one (its icon, its keywords) and outlive the
// package.
bool InstalledSystemWide()
{
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string list = dirs && *dirs ? dirs : "/usr/local/share/:/usr/share/";
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) {
            end = list.size();
        }
        const std::string dir = WithoutTrailingSlash(list.substr(start, end - start));
        if (!dir.empty() && dir[0] == '/' && RegularFileExists(dir + "/mime/packages/verdal.xml") &&
            RegularFileExists(dir + "/applications/verdal.desktop")) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

const char kMimePackage[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-verdal-profile\">\n"
    "    <comment>Verdal Profile</comment>\n"
    "    <comment xml:lang=\"de\">Verdal-Profil</comment>\n"
    "    <glob pattern=\"*.vrd\"/>\n"
    "  </mime-type>\n"
    "  <mime-type type=\"application/x-verdal-batch\">\n"
    "    <comment>Verdal Batch File</comment>\n"
    "    <comment xml:lang=\"de\">Verdal-Stapeldatei</comment>\n"
    "    <glob pattern=\"*.vbf\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

}  // namespace

std::string XdgFolderPath(XdgFolder folder)
{
    switch (folder) {
        case XdgFolder::Desktop:
            return DesktopDirectory();
        case XdgFolder::Autostart:
            return XdgFolderPath(XdgFolder::Config) + "/autostart";
        case XdgFolder::Applications:
            return DataDirectory() + "/applications";
        case XdgFolder::Config:
            return WithoutTrailingSlash(ConfigDirectory());
        case XdgFolder::Data:
            break;
    }
    return DataDirectory();
}

std::string LauncherText(const Launcher& launcher)
{
    std::string text = "[Desktop Entry]\nType=Application\nName=" + EscapeValue(launcher.Name) +
                       "\nExec=" + EscapeValue(ExecLine(launcher.Program, launcher.Arguments)) +
                       "\n";
    if (!launcher.WorkingDirectory.empty()) {
        text += "Path=" + EscapeValue(launcher.WorkingDirectory) + "\n";
    }
    if (!launcher.Icon.empty()) {
        text += "Icon=" + EscapeValue(launcher.Icon) + "\n";
    }
    if (!launcher.Comment.empty()) {
        text += "Comment=" + EscapeValue(launcher.Comment) + "\n";
    }
    return text + "Terminal=false\n";
}

int WriteLauncher(std::string path, const Launcher& launcher)
{
    if (path.size() < 8 || path.compare(path.size() - 8, 8, ".desktop") != 0) {
        path += ".desktop";
    }
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        if (const int code = EnsureDirectory(path.substr(0, slash))) {
            return code;
        }
    }
    if (const int code = WriteFileAtomic(path, LauncherText(launcher))) {
        return code;
    }
    return ::chmod(path.c_str(), 0755) == 0 ? kErrSuccess : kErrAccessDenied;
}

int RegisterFileTypes(const std::string& programPath, bool force)
{
    const std::string mimeDir = DataDirectory() + "/mime";
    const std::string packagePath = mimeDir + "/packages/verdal.xml";
    const std::string applications = XdgFolderPath(XdgFolder::Applications);
    const std::string entryPath = applications + "/verdal.desktop";
    if (!force && ((RegularFileExists(packagePath) && RegularFileExists(entryPath)) ||
                   InstalledSystemWide())) {
        return kErrSuccess;
    }
    if (const int code = EnsureDirectory(mimeDir + "/packages")) {
        return code;
    }
    if (const int code = EnsureDirectory(applications)) {
        return code;
    }
    const std::string entry =
        "[Desktop Entry]\nType=Application\nName=Verdal 5\n"
        "Comment=Verzeichnisse synchronisieren\nExec=" +
        EscapeValue(ExecArgument(programPath)) +
        " %f\nIcon=verdal\nMimeType=application/x-verdal-profile;"
        "application/x-verdal-batch;\nCategories=Utility;\n"
        "Terminal=false\n";
    bool packageChanged = false, entryChanged = false;
    if (const int code = WriteIfChanged(packagePath, kMimePackage, packageChanged)) {
        return code;
    }
    if (const int code = WriteIfChanged(entryPath, entry, entryChanged)) {
        return code;
    }
    // The databases are rebuilt only when something changed: this runs at every start.
    if (packageChanged) {
        RunCommand({"update-mime-database", mimeDir}, nullptr, 30000);
    }
    if (entryChanged) {
        RunCommand({"update-desktop-database", applications}, nullptr, 30000);
    }
    return kErrSuccess;
}

}  // namespace verdal
