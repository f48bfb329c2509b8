#include "engine/Candidate.h"

#include <utility>

namespace verdal {

namespace {

// 1601-01-01 to 1899-12-30 in days, and FILETIME units per day.
constexpr double kEpochDays = 109205.0;
constexpr double kTicksPerDay = 864000000000.0;

const FileStamp& ShownSide(uint16_t action, const FileStamp& destination, const FileStamp& source)
{
    if (action == kForward)
        return source;
    if (action == kBackward)
        return destination;
    // Skip and Delete: the side that exists, the source when both do. A missing side has a
    // zero time.
    return (source.LastWrite >> 32) == 0 ? destination : source;
}

}  // namespace

cCandidate::cCandidate(uint16_t category, const FileStamp& destination, const FileStamp& source,
                       std::string name, std::string ext, int32_t dirIndex)
    : DirIndex(dirIndex),
      Name(std::move(name)),
      Ext(std::move(ext)),
      Source(source),
      SourceDate(FileTimeToDate(source.LastWrite)),
      Destination(destination),
      DestinationDate(FileTimeToDate(destination.LastWrite)),
      Category(category)
{
    Kind = 'C';
    const FileStamp& shown = ShownSide(category & kActionMask, destination, source);
    ShowSize = shown.Size;
    ShowTime = shown.LastWrite;
}

cFolder::cFolder(std::string caption, int32_t first, bool open)
    : Caption(std::move(caption)), First(first), Last(first), Open(open)
{
    Kind = 'F';
}

void SplitFileName(const std::string& fileName, std::string& name, std::string& ext)
{
    const auto dot = fileName.rfind('.');
    if (dot == std::string::npos) {
        name = fileName;
        ext.clear();
        return;
    }
    name = fileName.substr(0, dot);
    ext = fileName.substr(dot);
}

TDateTime FileTimeToDate(FileTime time)
{
    if (time == 0)
        return 0;
    return static_cast<double>(time) / kTicksPerDay - kEpochDays;
}

}  // namespace verdal
