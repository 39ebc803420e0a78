#include "platform/medium.h"

#include <string>

#include "platform/drives.h"
#include "platform/win32/system_error.h"
#include "platform/win32/system_path.h"
#include "platform/win32/volumes.h"
#include "platform/win32/windows_api.h"

namespace platform {

Medium MediumOf(std::string_view folder_path) {
    const std::string what_failed = "Cannot tell which medium holds " + std::string(folder_path);
    const WindowsPath path = win32::ParseOrThrow(folder_path, what_failed);
    const std::optional<Drive> drive = FindDrive(path.drive);
    if (!drive || !drive->ready) throw WindowsError(ERROR_NOT_READY, what_failed);
    const ::DWORD attributes = GetFileAttributesW(win32::SystemPath(path).c_str());
    // A folder that is not there is a path not found, whether or not its parent is.
    if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
        SetLastError(ERROR_PATH_NOT_FOUND);
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) win32::ThrowLastError(path, what_failed);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    }
    // The serial number is the volume's own, written when it was formatted: it comes back with
    // the medium under whatever letter, and another medium in the same drive has another.
    const std::optional<win32::VolumeInformation> volume = win32::VolumeInDrive(path.drive);
    if (!volume) win32::ThrowLastError(path, what_failed);
    std::string identity;
    for (int i = 0; i < 4; ++i) identity += static_cast<char>((volume->serial >> (8 * i)) & 0xFF);
    return Medium(std::move(identity), volume->label);
}

}  // namespace platform
