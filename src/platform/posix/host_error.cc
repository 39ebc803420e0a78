#include "platform/posix/host_error.h"

#include <cerrno>

namespace platform {

LONG WindowsErrorFromErrno(int host_errno) {
    switch (host_errno) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
        case ELOOP:
            return ERROR_PATH_NOT_FOUND;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return ERROR_ACCESS_DENIED;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        case ENODEV:
        case ENXIO:
        case ENOMEDIUM:
            return ERROR_NOT_READY;
        case EBUSY:
        case ETXTBSY:
            return ERROR_SHARING_VIOLATION;
        case EAGAIN:
            return ERROR_LOCK_VIOLATION;
        case ENOSYS:
        case EOPNOTSUPP:
            return ERROR_NOT_SUPPORTED;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return ERROR_DISK_FULL;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case EOVERFLOW:
            return ERROR_ARITHMETIC_OVERFLOW;
        default:
            // EIO and whatever else the host reports: the medium failed the request.
            return ERROR_IO_DEVICE;
    }
}

}  // namespace platform
