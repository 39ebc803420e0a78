#include <string>

#include "platform/drives.h"
#include "platform/utf16.h"
#include "platform/win32/system_path.h"
#include "platform/win32/windows_api.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace platform {

std::string CurrentFolder() {
    std::wstring folder(MAX_PATH, L'\0');
    ::DWORD size = GetCurrentDirectoryW(static_cast<::DWORD>(folder.size()), folder.data());
    if (size >= folder.size()) {
        folder.resize(size);
        size = GetCurrentDirectoryW(static_cast<::DWORD>(folder.size()), folder.data());
    }
    folder.resize(size < folder.size() ? size : 0);
    // A folder on a network share (\\server\share) has no drive letter to show it by.
    if (const std::optional<WindowsPath> path = ParseWindowsPath(Utf8(folder))) {
        return FormatWindowsPath(*path);
    }
    for (const Drive& drive : ListDrives(DriveLabels::kLeftOut)) {
        if (drive.ready) return FormatWindowsPath(WindowsPath{drive.letter, {}});
    }
    throw WindowsError(ERROR_NOT_READY, "Cannot find a ready drive for the current folder");
}

}  // namespace platform
