#include "engine/Candidate.h"

#include <utility>

#include "platform/FileTimes.h"

namespace verdal {

namespace {

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

const char* ActionCaption(uint16_t action)
{
    switch (action & kActionMask) {
        case kForward:
            return "Vorwärts";
        case kSkip:
            return "Überspringen";
        case kDelete:
            return "Löschen";
        default:
            return "Rückwärts";
    }
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
    return time == 0 ? 0 : FileTimeToDateTime(time);
}

}  // namespace verdal
