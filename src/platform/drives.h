// The drive table: the drive letters of the machine, each ready or not. On Windows these are the
// system's drives, and a drive is "not ready" when its volume does not answer (no medium). On
// Linux every drive letter is a symbolic link <prefix>/dosdevices/<letter>: to a host folder, and
// a drive is "not ready" when its link dangles or its folder cannot be read (posix/drive_links.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Drive {
    char letter;  // lower case, 'a'..'z'
    // Where the drive's root lies for the host: the link's target made absolute on Linux, "C:\\"
    // on Windows.
    std::filesystem::path host_root;
    bool ready;
    // What a drive list shows beside the letter: the volume's label on Windows, the name of the
    // drive's host folder on Linux ("drive_c", or "/" for the host's root). On Windows, where
    // reading it is a query of the volume, only ListDrives reads it, and only when asked to.
    std::string label;
    std::string text() const;  // "c:" — the letter and colon only, as a drive list reads it
};

// While one lives on this thread, the drive table is read once and kept: an operation that
// resolves many paths (a Hide, an Unhide) then reads it once, not once a path. A medium
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

// Whether ListDrives reads each ready drive's label: a drive list shows them, an operation on
// items has no use for them.
enum class DriveLabels { kRead, kLeftOut };

// All drives of the machine, ordered by letter. Reads the table anew on every call, but for
// the life of a DriveTableSnapshot.
std::vector<Drive> ListDrives(DriveLabels labels = DriveLabels::kRead);

// The ready drives alone, ordered by letter, as ListDrives(DriveLabels::kLeftOut) lists them:
// an operation on items, which looks into every hiding place, has no use for the others. On
// Windows a drive whose root answers is known to be a drive without the system's letter mask,
// which only a drive that is not ready needs to tell it from a letter without a drive, and which
// under Wine is a call into its mount manager costing a hundred root queries.
std::vector<Drive> ListReadyDrives();

// The drive of a letter in either case, or nothing when the machine has no such drive.
std::optional<Drive> FindDrive(char letter);

// Whether a name directly under a drive's root names its hiding place, in any letter case.
bool IsHidingPlaceName(std::string_view name);

}  // namespace platform
