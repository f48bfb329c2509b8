#include "settings/Validation.h"

#include <string_view>

#include "platform/DirectoryCheck.h"
#include "platform/Paths.h"
#include "settings/Macros.h"

namespace verdal {
namespace {

bool HoldsAnyOf(const std::string& text, std::string_view characters)
{
    return text.find_first_of(characters) != std::string::npos;
}

}  // namespace

std::string RemoveInvalidFileNameChars(const std::string& name)
{
    std::string result;
    result.reserve(name.size());
    for (const char c : name) {
        if (std::string_view("\\/:*?\"<>|").find(c) == std::string_view::npos) {
            result += c;
        }
    }
    return result;
}

bool IsValidMask(const std::string& mask)
{
    return !HoldsAnyOf(mask, "/\"<>|");
}

bool IsValidDrive(const std::string& drive)
{
    switch (DriveFormOf(drive)) {
        case DriveForm::Letter:
        case DriveForm::Share:
            return true;
        case DriveForm::MountPath:
            // A root reached through "." or ".." or "//" is refused: the run must know its root.
            return !HasDotComponent(drive) && drive.find("//") == std::string::npos;
        case DriveForm::Invalid:
            break;
    }
    return false;
}

bool IsValidDirectory(const std::string& directory)
{
    if (directory.empty() || HoldsAnyOf(directory, "/:*?\"<|>") ||
        directory.find("\\\\") != std::string::npos || HasDotComponent(directory)) {
        return false;
    }
    return directory.front() == '\\' && directory.back() == '\\';
}

void NormalizeDirectory(std::string& directory)
{
    if (HasMacro(directory)) {
        return;
    }
    if (directory.empty()) {
        directory = "\\";
    } else if (directory.back() != '\\' && directory.find('*') == std::string::npos) {
        directory += '\\';
    }
}

bool DirectoryExistsQuiet(const std::string& path)
{
    return IsExistingDirectory(path);
}

bool DirectoryExistsQuiet(const std::string& drive, const std::string& relativeDir)
{
    std::string path;
    return BuildNativePath(drive, relativeDir, {}, path) == 0 && IsExistingDirectory(path);
}

}  // namespace verdal
