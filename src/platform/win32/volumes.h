// What the program asks of volumes on Windows, kept for the life of a DriveTableSnapshot
// (drives.h). Under Wine every volume query is a call into its mount manager, another process,
// and costs a hundred times an item's attributes; one Hide or Unhide asks about the same two or
// three volumes a dozen times, for the identities of the items it looks at (item_identity.h) and
// the medium it works on (medium.h). A medium changed meanwhile goes unseen here, as in the
// drive table, but every file operation on it still fails on its own.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/windows_api.h"

namespace platform::win32 {

struct VolumeInformation {
    ::DWORD serial;
    std::string label;
};

// What the volume in a drive (a lower-case letter) says of itself, asked at the drive's root.
// Nothing when it cannot say, with the system's reason left for GetLastError.
std::optional<VolumeInformation> VolumeInDrive(char letter);

// The serial number of the volume that holds an open file or folder. Nothing when it cannot be
// read, with the system's reason left for GetLastError.
std::optional<::DWORD> SerialOfVolumeHolding(HANDLE item);

}  // namespace platform::win32
