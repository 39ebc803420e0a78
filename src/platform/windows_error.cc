#include "platform/windows_error.h"

namespace platform {

std::string DescribeWindowsError(LONG code) {
    switch (code) {
        case ERROR_SUCCESS:
            return "The operation completed successfully.";
        case ERROR_FILE_NOT_FOUND:
            return "The system cannot find the file specified.";
        case ERROR_PATH_NOT_FOUND:
            return "The system cannot find the path specified.";
        case ERROR_TOO_MANY_OPEN_FILES:
            return "The system cannot open the file.";
        case ERROR_ACCESS_DENIED:
            return "Access is denied.";
        case ERROR_INVALID_HANDLE:
            return "The handle is invalid.";
        case ERROR_NOT_ENOUGH_MEMORY:
            return "Not enough memory resources are available to process this command.";
        case ERROR_INVALID_DATA:
            return "The data is invalid.";
        case ERROR_NOT_SAME_DEVICE:
            return "The system cannot move the file to a different disk drive.";
        case ERROR_NOT_READY:
            return "The device is not ready.";
        case ERROR_WRITE_FAULT:
            return "The system cannot write to the specified device.";
        case ERROR_READ_FAULT:
            return "The system cannot read from the specified device.";
        case ERROR_SHARING_VIOLATION:
            return "The process cannot access the file because it is being used by another "
                   "process.";
        case ERROR_LOCK_VIOLATION:
            return "The process cannot access the file because another process has locked a "
                   "portion of the file.";
        case ERROR_HANDLE_EOF:
            return "Reached the end of the file.";
        case ERROR_NOT_SUPPORTED:
            return "The request is not supported.";
        case ERROR_INVALID_PARAMETER:
            return "The parameter is incorrect.";
        case ERROR_DISK_FULL:
            return "There is not enough space on the disk.";
        case ERROR_INVALID_NAME:
            return "The filename, directory name, or volume label syntax is incorrect.";
        case ERROR_DIR_NOT_EMPTY:
            return "The directory is not empty.";
        case ERROR_BAD_PATHNAME:
            return "The specified path is invalid.";
        case ERROR_ALREADY_EXISTS:
            return "Cannot create a file when that file already exists.";
        case ERROR_FILENAME_EXCED_RANGE:
            return "The filename or extension is too long.";
        case ERROR_MORE_DATA:
            return "More data is available.";
        case ERROR_DIRECTORY:
            return "The directory name is invalid.";
        case ERROR_ARITHMETIC_OVERFLOW:
            return "Arithmetic result exceeded 32 bits.";
        case ERROR_BADDB:
            return "The configuration registry database is corrupt.";
        case ERROR_BADKEY:
            return "The configuration registry key is invalid.";
        case ERROR_CANTOPEN:
            return "The configuration registry key could not be opened.";
        case ERROR_CANTREAD:
            return "The configuration registry key could not be read.";
        case ERROR_CANTWRITE:
            return "The configuration registry key could not be written.";
        case ERROR_IO_DEVICE:
            return "The request could not be performed because of an I/O device error.";
        default:
            return "Windows error " + std::to_string(code) + ".";
    }
}

WindowsError::WindowsError(LONG code, const std::string& what_failed)
    : std::runtime_error(what_failed + ": " + DescribeWindowsError(code)), code_(code) {}

}  // namespace platform
