#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/FileStamp.h"

namespace verdal {

// Conversions between FILETIME (100 ns since 1601), Unix time and calendar values, and setting
// a file's times with full precision.

// FILETIME of 1970-01-01 00:00 UTC.
constexpr int64_t kFileTimeOfUnixEpoch = 116444736000000000;

FileTime FileTimeFromUnix(int64_t seconds, int64_t nanoseconds);
// Splits a FILETIME into Unix seconds and nanoseconds (nanoseconds always 0..999999999).
void FileTimeToUnix(FileTime time, int64_t& seconds, int64_t& nanoseconds);

// The offset of local time from UTC in effect now, in seconds; a FILETIME is made local with
// this one offset whatever its date, so that stamps stay comparable across runs.
int64_t CurrentUtcOffsetSeconds();
// Pins the offset for tests; std::nullopt returns to the system's.
void SetTestUtcOffset(std::optional<int64_t> seconds);
FileTime UtcToLocalFileTime(FileTime utc);
FileTime LocalToUtcFileTime(FileTime local);

// The current time as a UTC FILETIME. While a test pins Now(), this is that local time made
// UTC with the (pinned) current offset.
FileTime UtcNow();
// The system clock as a UTC FILETIME, never pinned: the time base of change times, which the
// file system always takes from it.
FileTime SystemUtcNow();

// Calendar value of a FILETIME, taken as it stands (no time-zone shift), and back.
TDateTime FileTimeToDateTime(FileTime time);
FileTime DateTimeToFileTime(TDateTime value);

// Sets last-write and last-access times (UTC FILETIMEs) of `path` without following a
// symbolic link; returns a Windows error code.
int SetFileTimes(const std::string& path, FileTime lastWriteUtc, FileTime lastAccessUtc);

}  // namespace verdal
