// The drive table: every drive letter is a symbolic link <prefix>/dosdevices/<letter>: to a host
// folder. A drive is "not ready" when its link dangles or its folder cannot be read.
//
// A drive's hiding place is the folder "recycled" under its root, unless a second link,
// <prefix>/dosdevices/<letter>:recycled, names another host folder for it: one that stays out of
// the drive folder's own listing (see home_drive.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Drive {
    char letter;                      // lower case, 'a'..'z'
    std::filesystem::path host_root;  // the link's target, made absolute against dosdevices/
    bool ready;
    // What a drive list shows beside the letter: the volume's label on Windows, the name of the
    // drive's host folder here ("drive_c", or "/" for the host's root).
    std::string label;
    std::string text() const;  // "c:" — the letter and colon only, as a drive list reads it
};

// While one lives on this thread, the drive table is read once and kept: an operation that
// resolves many paths (a Hide, an Unhide) then reads dosdevices/ once, not once a path. A medium
// pulled meanwhile goes unseen here, but every file operation on it still fails on its own.
class DriveTableSnapshot {
  public:
    DriveTableSnapshot();
    ~DriveTableSnapshot();
    DriveTableSnapshot(const DriveTableSnapshot&) = delete;
    DriveTableSnapshot& operator=(const DriveTableSnapshot&) = delete;

  private:
    bool outermost_;
};

// All drives of the machine, ordered by letter. Reads dosdevices/ anew on every call, but for
// the life of a DriveTableSnapshot.
std::vector<Drive> ListDrives();

// The drive of a letter in either case, or nothing when the machine has no such drive.
std::optional<Drive> FindDrive(char letter);

// Whether a name directly under a drive's root names its hiding place, in any letter case.
bool IsHidingPlaceName(std::string_view name);

// "h:recycled": the name of the link that maps the hiding place of a drive (lower-case letter).
std::string MappedHidingPlaceLinkName(char letter);

// The host folder a drive's hiding place is mapped to, made absolute; nothing when the drive
// has no such link and its hiding place is the "recycled" folder under its root.
std::optional<std::filesystem::path> MappedHidingPlace(char letter);

}  // namespace platform
