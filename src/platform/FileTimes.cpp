#include "platform/FileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <cerrno>
#include <climits>
#include <cmath>
#include <ctime>

#include "platform/WinError.h"

namespace verdal {
namespace {

std::optional<int64_t> g_testOffset;

constexpr int64_t kTicksPerSecond = 10000000;
constexpr double kTicksPerDay = 864000000000.0;
// Days from 1601-01-01 to 1899-12-30, the origin of calendar values.
constexpr double kDaysFrom1601To1899 = 109205.0;

timespec ToTimespec(FileTime time)
{
    int64_t seconds = 0, nanoseconds = 0;
    FileTimeToUnix(time, seconds, nanoseconds);
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(seconds);
    ts.tv_nsec = static_cast<long>(nanoseconds);
    return ts;
}

}  // namespace

FileTime FileTimeFromUnix(int64_t seconds, int64_t nanoseconds)
{
    // Times before 1601 or far beyond any calendar (a hostile or broken file system) are
    // clamped rather than overflowed.
    constexpr int64_t kMinSeconds = -kFileTimeOfUnixEpoch / kTicksPerSecond;
    constexpr int64_t kMaxSeconds = (INT64_MAX - kFileTimeOfUnixEpoch) / kTicksPerSecond - 1;
    if (seconds < kMinSeconds) {
        return 0;
    }
    if (seconds > kMaxSeconds) {
        return static_cast<FileTime>(kFileTimeOfUnixEpoch + kMaxSeconds * kTicksPerSecond);
    }
    const int64_t ticks = kFileTimeOfUnixEpoch + seconds * kTicksPerSecond + nanoseconds / 100;
    return ticks < 0 ? 0 : static_cast<FileTime>(ticks);
}

void FileTimeToUnix(FileTime time, int64_t& seconds, int64_t& nanoseconds)
{
    const int64_t ticks = static_cast<int64_t>(time) - kFileTimeOfUnixEpoch;
    seconds = ticks / kTicksPerSecond;
    int64_t rest = ticks % kTicksPerSecond;
    if (rest < 0) {
        rest += kTicksPerSecond;
        --seconds;
    }
    nanoseconds = rest * 100;
}

int64_t CurrentUtcOffsetSeconds()
{
    if (g_testOffset) {
        return *g_testOffset;
    }
    const time_t now = std::time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return local.tm_gmtoff;
}

void SetTestUtcOffset(std::optional<int64_t> seconds)
{
    g_testOffset = seconds;
}

FileTime UtcToLocalFileTime(FileTime utc)
{
    return static_cast<FileTime>(static_cast<int64_t>(utc) +
                                 CurrentUtcOffsetSeconds() * kTicksPerSecond);
}

FileTime LocalToUtcFileTime(FileTime local)
{
    return static_cast<FileTime>(static_cast<int64_t>(local) -
                                 CurrentUtcOffsetSeconds() * kTicksPerSecond);
}

FileTime UtcNow()
{
    if (NowIsPinned()) {
        return LocalToUtcFileTime(DateTimeToFileTime(Now()));
    }
    return SystemUtcNow();
}

FileTime SystemUtcNow()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return FileTimeFromUnix(now.tv_sec, now.tv_nsec);
}

TDateTime FileTimeToDateTime(FileTime time)
{
    // Whole days and the day's ticks apart, so the fraction keeps its precision.
    const auto days = static_cast<int64_t>(time / 864000000000ULL);
    const auto ticks = static_cast<double>(time % 864000000000ULL);
    return static_cast<double>(days) - kDaysFrom1601To1899 + ticks / kTicksPerDay;
}

FileTime DateTimeToFileTime(TDateTime value)
{
    const double days = value + kDaysFrom1601To1899;
    if (days <= 0) {
        return 0;
    }
    const double whole = std::floor(days);
    const auto ticks = static_cast<uint64_t>(std::llround((days - whole) * kTicksPerDay));
    return static_cast<FileTime>(static_cast<uint64_t>(whole) * 864000000000ULL + ticks);
}

int SetFileTimes(const std::string& path, FileTime lastWriteUtc, FileTime lastAccessUtc)
{
    const timespec times[2] = {ToTimespec(lastAccessUtc), ToTimespec(lastWriteUtc)};
    if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        return WinErrorFromErrno(errno);
    }
    return kErrSuccess;
}

}  // namespace verdal
