// Where a Windows path lies on the Linux host. It is resolved component by component, as
// Windows resolves it (windows_path.h), through the drive table (drives.h): an exact host name
// wins, otherwise the folder's names are compared ignoring letter case. So the text of a path,
// typed or read back from a register, cannot climb out of the folder its drive letter maps to,
// or out of its hiding place where the machine maps that apart; but a symbolic link inside that
// folder is followed like any folder, and may lead anywhere on the host. What must not be
// reached through a drive is therefore told by item identity (item_identity.h), not by where a
// path's text points.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/windows_path.h"

namespace platform {

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

// The Windows path of a host path: the drive whose root holds it most closely (C: before Z:).
// Nothing when no drive holds it.
std::optional<std::string> WindowsPathOfHost(const std::filesystem::path& host);

}  // namespace platform
