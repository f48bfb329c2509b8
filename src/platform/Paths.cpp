#include "platform/Paths.h"

#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/DirectoryCheck.h"
#include "platform/Drives.h"
#include "platform/MountPoints.h"
#include "platform/TextCase.h"
#include "platform/WinError.h"

namespace verdal {
namespace {

std::map<char, std::string> g_letters = {{'C', "/"}};

int ReadyRoot(std::string candidate, std::string& root)
{
    while (candidate.size() > 1 && candidate.back() == '/') {
        candidate.pop_back();
    }
    if (candidate.empty() || !RootReady(candidate)) {
        return kErrNotReady;
    }
    root = std::move(candidate);
    return kErrSuccess;
}

int ResolveShare(std::string_view drive, std::string& root)
{
    std::string mountPoint;
    for (const MountEntry& mount : ReadMountTable()) {
        if (SameTextCI(ShareNameOf(mount), drive)) {
            mountPoint = mount.MountPoint;  // the last mount of a share wins
        }
    }
    for (const DriveInfo& share : mountPoint.empty() ? GvfsShares() : std::vector<DriveInfo>()) {
        if (SameTextCI(share.Name, drive)) {
            mountPoint = share.Root;
            break;
        }
    }
    return mountPoint.empty() ? kErrNotReady : ReadyRoot(mountPoint, root);
}

}  // namespace

DriveForm DriveFormOf(std::string_view drive)
{
    if (drive.find_first_of("*?\"<>|") != std::string_view::npos) {
        return DriveForm::Invalid;
    }
    if (drive.size() == 2 && drive[1] == ':' &&
        ((drive[0] >= 'A' && drive[0] <= 'Z') || (drive[0] >= 'a' && drive[0] <= 'z'))) {
        return DriveForm::Letter;
    }
    if (drive.size() >= 5 && drive.substr(0, 2) == "\\\\" && drive.back() != '\\' &&
        drive.find('/') == std::string_view::npos) {
        const std::string_view rest = drive.substr(2);
        const size_t slash = rest.find('\\');
        if (slash != std::string_view::npos && slash > 0 &&
            rest.find('\\', slash + 1) == std::string_view::npos) {
            return DriveForm::Share;
        }
        return DriveForm::Invalid;
    }
    if (!drive.empty() && drive[0] == '/' && (drive.size() == 1 || drive.back() != '/')) {
        return DriveForm::MountPath;
    }
    return DriveForm::Invalid;
}

void SetDriveLetters(std::map<char, std::string> letters)
{
    g_letters.clear();
    for (auto& [letter, root] : letters) {
        const char upper =
            (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 32) : letter;
        g_letters[upper] = std::move(root);
    }
}

const std::map<char, std::string>& DriveLetters()
{
    return g_letters;
}

int ResolveDriveRoot(std::string_view drive, std::string& root)
{
    switch (DriveFormOf(drive)) {
        case DriveForm::MountPath:
            return ReadyRoot(std::string(drive), root);
        case DriveForm::Letter: {
            const char letter = static_cast<char>(drive[0] & ~0x20);
            const auto it = g_letters.find(letter);
            return it == g_letters.end() ? kErrNotReady : ReadyRoot(it->second, root);
        }
        case DriveForm::Share:
            return ResolveShare(drive, root);
        case DriveForm::Invalid:
            break;
    }
    return kErrInvalidName;
}

std::string JoinNativePath(std::string_view root, std::string_view relativeDir,
                           std::string_view name)
{
    std::string path(root);
    while (!path.empty() && path.back() == '/') {
        path.pop_back();
    }
    std::string rest(relativeDir);
    for (char& c : rest) {
        if (c == '\\') {
            c = '/';
        }
    }
    if (rest.empty() || rest[0] != '/') {
        rest.insert(rest.begin(), '/');
    }
    if (!name.empty() && rest.back() != '/') {
        rest += '/';
    }
    path += rest;
    path += name;
    return path;
}

int BuildNativePath(std::string_view drive, std::string_view relativeDir, std::string_view name,
                    std::string& path)
{
    std::string root;
    const int code = ResolveDriveRoot(drive, root);
    if (code != kErrSuccess) {
        return code;
    }
    path = JoinNativePath(root, relativeDir, name);
    return kErrSuccess;
}

bool HasDotComponent(std::string_view relative)
{
    size_t pos = 0;
    while (pos <= relative.size()) {
        size_t end = relative.find_first_of("\\/", pos);
        if (end == std::string_view::npos) {
            end = relative.size();
        }
        const std::string_view part = relative.substr(pos, end - pos);
        if (part == "." || part == "..") {
            return true;
        }
        pos = end + 1;
    }
    return false;
}

std::string RealPathOf(const std::string& path)
{
    std::string head = path;
    std::string tail;
    while (!head.empty()) {
        char* resolved = ::realpath(head.c_str(), nullptr);
        if (resolved) {
            std::string result(resolved);
            std::free(resolved);
            if (!tail.empty() && result.back() != '/') {
                result += '/';
            }
            return result + tail;
        }
        const size_t slash = head.find_last_of('/', head.size() > 1 ? head.size() - 2 : 0);
        if (slash == std::string::npos) {
            break;
        }
        std::string part = head.substr(slash + 1);
        if (!part.empty() && part.back() == '/') {
            part.pop_back();
        }
        tail = tail.empty() ? part : part + "/" + tail;
        head = slash == 0 ? "/" : head.substr(0, slash);
    }
    return {};
}

std::string DriveOfPath(const std::string& path)
{
    const DriveInfo info = DriveInfoOf(path);
    return info.Name.empty() ? std::string("/") : info.Name;
}

}  // namespace verdal
