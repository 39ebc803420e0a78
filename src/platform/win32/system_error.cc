#include "platform/win32/system_error.h"

#include <optional>

#include "platform/drives.h"
#include "platform/fault_injection.h"
#include "platform/windows_error.h"

namespace platform::win32 {

LONG ResultOf(const WindowsPath& path, ::DWORD error) {
    switch (error) {
        case ERROR_FILE_EXISTS:
            return ERROR_ALREADY_EXISTS;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_NOT_READY:
        case ERROR_INVALID_DRIVE:
        case ERROR_UNRECOGNIZED_VOLUME:
        case ERROR_BAD_NETPATH:
        case ERROR_NO_MEDIA_IN_DRIVE: {
            const std::optional<Drive> drive = FindDrive(path.drive);
            if (!drive || !drive->ready) return ERROR_NOT_READY;
            return static_cast<LONG>(error);
        }
        default:
            return static_cast<LONG>(error);
    }
}

void ThrowLastError(const WindowsPath& path, const std::string& what_failed) {
    const ::DWORD error = GetLastError();
    throw WindowsError(ResultOf(path, error), what_failed);
}

void FailIfInjected(const std::string& what_failed) {
    if (fault_injection::ShouldFail()) throw WindowsError(ERROR_IO_DEVICE, what_failed);
}

}  // namespace platform::win32
