// Windows paths ("C:\Docs\report.txt") and their host counterparts.
//
// A Windows path is resolved component by component, as Windows resolves it: '\' and '/' both
// separate; "." and ".." are applied to the text and never climb above the drive's root
// (C:\..\x is C:\x); the last name loses its trailing dots and spaces and a folder on the way
// one trailing dot ("C:\Docs.\report.txt. " is C:\Docs\report.txt), while a folder's trailing
// spaces are part of its name; an exact host name wins, otherwise the folder's names are compared
// ignoring letter case. So the text of a path, typed or read back from a register, cannot climb
// out of the folder its drive letter maps to, or out of its hiding place where the machine maps
// that apart (drives.h); but a symbolic link inside that folder is followed like any folder, and
// may lead anywhere on the host. What must not be reached through a drive is therefore told by
// host identity, not by where a path's text points.
#pragma once

#include <filesystem>
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

struct HostLocation {
    WindowsPath windows;         // components spelled as found on the host where they exist
    std::filesystem::path host;  // the host path the Windows path names
    bool exists;                 // whether host exists (without following a final symlink)
};

// Resolves a Windows path to its host location. Throws WindowsError: ERROR_PATH_NOT_FOUND for an
// empty text, ERROR_INVALID_NAME for a text that is no drive path or names a file with a trailing
// separator, ERROR_NOT_READY for a missing or unreadable drive.
HostLocation ResolveWindowsPath(std::string_view text);
// The same, but a failure's sentence is what_failed ("Cannot move C:\a to C:\b"), so that an
// operation on several paths names all of them.
HostLocation ResolveWindowsPath(std::string_view text, const std::string& what_failed);

// Whether the folder that holds the location exists (a drive root's "folder" always does).
bool ParentFolderExists(const HostLocation& location);

// Whether a host name can be a component of a Windows path: a backslash would split it, and
// trailing spaces or dots would be dropped from it as the path's last name.
bool SpellableInWindowsPath(std::string_view host_name);

// The Windows path of a host path: the drive whose root holds it most closely (C: before Z:).
// Nothing when no drive holds it.
std::optional<std::string> WindowsPathOfHost(const std::filesystem::path& host);

// The process's current folder as a Windows path; the root of the first ready drive when no
// drive holds it.
std::string CurrentFolder();

}  // namespace platform
