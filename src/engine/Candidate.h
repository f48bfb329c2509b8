#pragma once

#include <cstdint>
#include <string>

#include "engine/EraseList.h"
#include "platform/Clock.h"
#include "platform/FileStamp.h"

namespace verdal {

// Bits of a candidate's Category word: the action (exactly one of the low four bits), flags
// set by the decisions, and the marks of execution in the high byte.
enum CategoryBits : uint16_t {
    kForward = 1,
    kSkip = 2,
    kDelete = 4,
    kBackward = 8,
    kActionMask = 15,
    kSizeWarning = 32,
    kDoubleChange = 64,
    kPropertiesOnly = 128,
    kToVerify = 256,
    kDone = 512,
};

// Common base of the rows of the review list: Kind is 'C' for a candidate, 'F' for a header.
struct cGeneric
{
    char Kind = 0;
};

// One file that a run copies, skips (lists only) or deletes.
struct cCandidate : cGeneric
{
    // Builds a candidate as the scan does; ShowSize/ShowTime come from the side the action
    // concerns (the source for Forward, the destination for Backward, and for Skip and Delete
    // the source unless it is missing).
    cCandidate(uint16_t category, const FileStamp& destination, const FileStamp& source,
               std::string name, std::string ext, int32_t dirIndex);

    int32_t DirIndex = 0;
    std::string Name;  // file name before its last '.'
    std::string Ext;   // from the last '.' on, empty without one
    int64_t ShowSize = 0;
    FileTime ShowTime = 0;
    FileStamp Source;
    TDateTime SourceDate = 0;
    FileStamp Destination;
    TDateTime DestinationDate = 0;
    uint16_t Category = 0;
    // The file's name on a side where it differs in case from Name + Ext (a pair matched
    // case-insensitively); empty when it is the same.
    std::string SourceCaseName;
    std::string DestinationCaseName;

    std::string FileName() const { return Name + Ext; }
    std::string SourceFileName() const
    {
        return SourceCaseName.empty() ? FileName() : SourceCaseName;
    }
    std::string DestinationFileName() const
    {
        return DestinationCaseName.empty() ? FileName() : DestinationCaseName;
    }
    uint16_t Action() const { return Category & kActionMask; }
};

// A header row of the review list: a group of consecutive candidates of the sorted list.
struct cFolder : cGeneric
{
    cFolder(std::string caption, int32_t first, bool open);

    std::string Caption;
    int32_t First = 0;
    int32_t Last = 0;
    uint16_t Reserved = 0;
    bool Open = true;
};

using cCandidateList = cEraseList<cCandidate>;
using cFolderList = cEraseList<cFolder>;

// The review list's text of an action: "Vorwärts", "Überspringen", "Löschen", "Rückwärts".
const char* ActionCaption(uint16_t action);

// Splits a file name at its last '.' into name and extension (with the dot).
void SplitFileName(const std::string& fileName, std::string& name, std::string& ext);

// FILETIME as a calendar value (days since 1899-12-30); a missing file's zero time stays 0.
TDateTime FileTimeToDate(FileTime time);

}  // namespace verdal
