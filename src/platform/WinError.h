#pragma once

namespace verdal {

// Windows error numbers the program reports (ErrorText turns them into German), plus the
// program's own codes.
enum WinError : int {
    kErrSuccess = 0,
    kErrFileNotFound = 2,
    kErrPathNotFound = 3,
    kErrTooManyOpenFiles = 4,
    kErrAccessDenied = 5,
    kErrWriteProtect = 19,
    kErrNotReady = 21,
    kErrWriteFault = 29,
    kErrReadFault = 30,
    kErrGenFailure = 31,
    kErrSharingViolation = 32,
    kErrLockViolation = 33,
    kErrFileExists = 80,
    kErrDiskFull = 112,
    kErrInvalidName = 123,
    kErrDirNotEmpty = 145,
    kErrAlreadyExists = 183,
    kErrFilenameTooLong = 206,
    kErrCancelled = 1235,
    kErrSizesDiffer = 2000,
    kErrContentsDiffer = 2001,
    kErrInvalidFormat = 2002,
    kErrSnapshotUnavailable = 2003,
    kErrNotRegularFile = 2004,
    kErrFileTooLarge = 2005,
};

// Maps an errno value to the Windows error code the program expects.
int WinErrorFromErrno(int err);

}  // namespace verdal
