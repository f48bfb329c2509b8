#pragma once

#include <cstdint>
#include <string>

namespace verdal {

// Whole-file helpers on native paths. Results are Windows error codes (0 = success).

// Reads the whole file into `bytes`.
int ReadWholeFile(const std::string& path, std::string& bytes);

// Reads a file the user or another program may have put anywhere: only a regular file is
// read (a FIFO, device or directory gives 2004 without blocking), and only up to `maxBytes`
// (a larger one gives 2005 before anything is allocated for it).
int ReadRegularFile(const std::string& path, std::string& bytes, int64_t maxBytes);

// Writes `bytes` to a temporary file beside `path`, flushes it and renames it over `path`,
// so a failed save never destroys the previous version.
int WriteFileAtomic(const std::string& path, const std::string& bytes);

// An exclusive advisory lock (flock) on the file `path`, created when missing, held for the
// object's life, so that several instances change a shared file one after the other. When
// the file cannot be made there is no lock and the work goes on.
class cFileLock
{
public:
    explicit cFileLock(const std::string& path);
    ~cFileLock();
    cFileLock(const cFileLock&) = delete;
    cFileLock& operator=(const cFileLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace verdal
