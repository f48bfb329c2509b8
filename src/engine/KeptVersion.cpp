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
// The longest name a Linux file system takes, in bytes.
constexpr size_t kMaxNameBytes = 255;

// Cuts `text` to at most `bytes` bytes without splitting a UTF-8 character.
std::string CutUtf8(const std::string& text, size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
        --bytes;
    return text.substr(0, bytes);
}

}  // namespace

std::string KeptVersionName(const std::string& fileName, FileTime localTime, int number)
{
    const size_t dot = fileName.rfind('.');
    const bool hasExt = dot != std::string::npos && dot > 0;
    const std::string stem = hasExt ? fileName.substr(0, dot) : fileName;
    const std::string ext = hasExt ? fileName.substr(dot) : std::string();
    std::string mark =
        " (Konflikt " + FormatDateTime("yyyy-mm-dd hhnnss", FileTimeToDateTime(localTime));
    if (number > 1)
        mark += " " + std::to_string(number);
    mark += ")" + ext;
    // A long name loses the end of its stem rather than the mark that tells what it is.
    const size_t room = kMaxNameBytes > mark.size() ? kMaxNameBytes - mark.size() : 0;
    return CutUtf8(stem, room) + mark;
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
