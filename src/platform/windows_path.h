// Windows paths ("C:\Docs\report.txt") as the program writes and reads them, and the rules by
// which Windows reads their text: '\' and '/' both separate; "." and ".." are applied to the
// text and never climb above the drive's root (C:\..\x is C:\x); the last name loses its
// trailing dots and spaces and a folder on the way one trailing dot ("C:\Docs.\report.txt. " is
// C:\Docs\report.txt), while a folder's trailing spaces are part of its name. Names match
// ignoring letter case wherever the file system looks them up.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct WindowsPath {
    char drive;                           // lower case
    std::vector<std::string> components;  // normalised: no ".", ".." or empty parts
    // The text ended in a separator ("C:\Docs\"), as only a folder's path may.
    bool ends_in_separator = false;
    bool IsDriveRoot() const { return components.empty(); }
};

// Parses "X:\a\b" (a drive letter, a colon, then an optional absolute path) and normalises it.
// Nothing for a text without a drive letter and colon, with a NUL character, or with a folder
// "...", which would read as "..".
std::optional<WindowsPath> ParseWindowsPath(std::string_view text);

// "C:\" for a root, "C:\a\b" otherwise (upper-case drive letter, no trailing backslash).
std::string FormatWindowsPath(const WindowsPath& path);

// Whether a host name can be a component of a Windows path: a backslash would split it, and
// trailing spaces or dots would be dropped from it as the path's last name.
bool SpellableInWindowsPath(std::string_view host_name);

// The process's current folder as a Windows path; the root of the first ready drive when no
// drive holds it.
std::string CurrentFolder();

}  // namespace platform
