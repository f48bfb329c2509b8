#pragma once

#include <cstdint>

namespace verdal {

// Windows file attribute bits as the program uses them.
enum FileAttribute : uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrDirectory = 0x10,
    kAttrArchive = 0x20,
};

// FILETIME: 100-ns units since 1601-01-01.
using FileTime = uint64_t;

// What the program knows of one file: attributes, last-write time (local unless UseUTC),
// size and change time.
struct FileStamp
{
    uint32_t Attributes = 0;
    FileTime LastWrite = 0;
    int64_t Size = 0;
    // Inode change time, UTC: moves with every write, rename, restore (cp -p) or mode change,
    // even when the last-write time is put back.
    FileTime Changed = 0;

    bool operator==(const FileStamp&) const = default;
};

}  // namespace verdal
