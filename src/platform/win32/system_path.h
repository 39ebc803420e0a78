// Windows paths as the Win32 calls take them: UTF-16, with the "\\?\" prefix.
#pragma once

#include <string>
#include <string_view>

#include "platform/windows_path.h"

namespace platform::win32 {

// Parses a path the program names, with the program's own refusals: throws WindowsError with
// what_failed, ERROR_PATH_NOT_FOUND for an empty text and ERROR_INVALID_NAME for one that is no
// drive path (relative, "C:name", a NUL, a folder "...").
WindowsPath ParseOrThrow(std::string_view text, const std::string& what_failed);

// The text a Win32 call gets for a parsed path: "\\?\C:\Docs\report.txt". The path rules have
// been applied once, by ParseWindowsPath, as on Linux; the prefix keeps the system from applying
// its own again (dropping what a folder's name ends in, or taking "con" for the console), and
// lifts the 260-character limit.
std::wstring SystemPath(const WindowsPath& path);

// The folder that holds the path's item; a drive's root for a root.
WindowsPath FolderOf(const WindowsPath& path);

}  // namespace platform::win32
