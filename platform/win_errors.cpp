#include "platform/win_errors.h"

#include <cerrno>

namespace tavo::platform {

int WindowsErrorOf(int e) {
    switch (e) {
        case 0:
            return 0;
        case ENOENT:
            return 2;  // ERROR_FILE_NOT_FOUND
        case ENOTDIR:
            return 3;  // ERROR_PATH_NOT_FOUND
        case EMFILE:
            return 4;  // ERROR_TOO_MANY_OPEN_FILES
        case EACCES:
        case EPERM:
        case EROFS:
            return 5;  // ERROR_ACCESS_DENIED
        case ENOMEM:
            return 8;  // ERROR_NOT_ENOUGH_MEMORY
        case ENOEXEC:
            return 193;  // ERROR_BAD_EXE_FORMAT
        case EBUSY:
        case ETXTBSY:
            return 32;  // ERROR_SHARING_VIOLATION
        case EWOULDBLOCK:
            return 33;  // ERROR_LOCK_VIOLATION
        case EEXIST:
            return 183;  // ERROR_ALREADY_EXISTS
        case ENOTEMPTY:
            return 145;  // ERROR_DIR_NOT_EMPTY
        case ENOSPC:
            return 112;  // ERROR_DISK_FULL
        case ENAMETOOLONG:
            return 206;  // ERROR_FILENAME_EXCED_RANGE
        case EINVAL:
            return 87;  // ERROR_INVALID_PARAMETER
        default:
            return 31;  // ERROR_GEN_FAILURE
    }
}

}  // namespace tavo::platform
