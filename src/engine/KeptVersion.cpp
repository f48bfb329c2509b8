#include "engine/KeptVersion.h"

#include "platform/FileCopy.h"
#include "platform/FileTimes.h"
#include "platform/WinError.h"
#include "settings/GermanFormat.h"
#include "settings/Parameters.h"

namespace verdal {

namespace {

// Enough for any folder a person keeps; beyond it something else is wrong.
constexpr int kMaxKeptNumber = 999;

}  // namespace

std::string KeptVersionName(const std::string& fileName, FileTime localTime, int number)
{
    const size_t dot = fileName.rfind('.');
    const bool hasExt = dot != std::string::npos && dot > 0;
    const std::string stem = hasExt ? fileName.substr(0, dot) : fileName;
    const std::string ext = hasExt ? fileName.substr(dot) : std::string();
    std::string name =
        stem + " (Konflikt " + FormatDateTime("yyyy-mm-dd hhnnss", FileTimeToDateTime(localTime));
    if (number > 1)
        name += " " + std::to_string(number);
    return name + ")" + ext;
}

int KeepOlderVersion(const cParameters& params, const std::string& path, const FileStamp& stamp,
                     std::string& keptPath)
{
    const size_t slash = path.rfind('/') + 1;
    const std::string folder = path.substr(0, slash);
    const std::string fileName = path.substr(slash);
    const FileTime local = params.UseUTC ? UtcToLocalFileTime(stamp.LastWrite) : stamp.LastWrite;
    int code = kErrAlreadyExists;
    for (int number = 1; number <= kMaxKeptNumber && code == kErrAlreadyExists; ++number) {
        keptPath = folder + KeptVersionName(fileName, local, number);
        code = KeepUnderSecondName(path, keptPath);
    }
    return code;
}

}  // namespace verdal
