#include "platform/win32/system_path.h"

#include "platform/utf16.h"
#include "platform/windows_error.h"

namespace platform::win32 {

WindowsPath ParseOrThrow(std::string_view text, const std::string& what_failed) {
    if (text.empty()) throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    std::optional<WindowsPath> path = ParseWindowsPath(text);
    if (!path) throw WindowsError(ERROR_INVALID_NAME, what_failed);
    return std::move(*path);
}

std::wstring SystemPath(const WindowsPath& path) {
    return L"\\\\?\\" + Wide(FormatWindowsPath(path));
}

WindowsPath FolderOf(const WindowsPath& path) {
    WindowsPath folder{path.drive, path.components};
    if (!folder.components.empty()) folder.components.pop_back();
    return folder;
}

}  // namespace platform::win32
