#include "platform/win32/system_path.h"

#include "platform/windows_error.h"

namespace platform::win32 {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

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
