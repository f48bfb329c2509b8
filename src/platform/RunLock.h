#pragma once

#include <string>

namespace verdal {

// An advisory lock on an existing file (a profile while it runs), taken without waiting and held
// for the object's life. The system releases it when the process ends, however it ends, so a
// killed run never leaves a stale lock.
class cRunLock
{
public:
    enum class Outcome { Taken, Busy, Unavailable };

    cRunLock() = default;
    ~cRunLock();
    cRunLock(const cRunLock&) = delete;
    cRunLock& operator=(const cRunLock&) = delete;

    // Takes the lock without waiting: Busy when another holder has it, Unavailable when the
    // file cannot be opened or locked at all.
    Outcome TryLock(const std::string& path);
    void Release();

private:
    int fd_ = -1;
};

}  // namespace verdal
