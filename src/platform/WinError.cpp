#include "platform/WinError.h"

#include <cerrno>

namespace verdal {

int WinErrorFromErrno(int err)
{
    switch (err) {
    case 0:
        return kErrSuccess;
    case ENOENT:
        return kErrFileNotFound;
    case ENOTDIR:
        return kErrPathNotFound;
    case EMFILE:
    case ENFILE:
        return kErrTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
        return kErrAccessDenied;
    case EROFS:
        return kErrWriteProtect;
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
        return kErrNotReady;
    case EIO:
        return kErrReadFault;
    case EBUSY:
    case ETXTBSY:
        return kErrSharingViolation;
    case EAGAIN:
        return kErrLockViolation;
    case EEXIST:
        return kErrAlreadyExists;
    case ENOTEMPTY:
        return kErrDirNotEmpty;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return kErrDiskFull;
    case ENAMETOOLONG:
        return kErrFilenameTooLong;
    case EINVAL:
    case EILSEQ:
        return kErrInvalidName;
    case EINTR:
    case ECANCELED:
        return kErrCancelled;
    case ESTALE:
        return 64;  // network name no longer available
    case ENETUNREACH:
    case EHOSTUNREACH:
        return 1231;  // network not reachable
    default:
        return kErrGenFailure;
    }
}

}  // namespace verdal
