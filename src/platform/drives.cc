#include "platform/drives.h"

#include <dirent.h>

#include <cctype>
#include <system_error>

#include "platform/prefix.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

// A folder is ready when it can be opened for listing: a dangling link, a removed medium or a
// folder without read permission all make the drive "not ready", as an empty drive is on Windows.
bool FolderReadable(const fs::path& folder) {
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return false;
    closedir(listing);
    return true;
}

std::optional<Drive> ReadDrive(const fs::path& dosdevices, char letter) {
    const fs::path link = dosdevices / (std::string(1, letter) + ":");
    std::error_code error;
    fs::path target = fs::read_symlink(link, error);
    if (error) return std::nullopt;
    // A relative link is relative to the folder that holds it; the drive's root is made absolute
    // here so that callers never depend on the current folder.
    if (target.is_relative()) target = (dosdevices / target).lexically_normal();
    return Drive{letter, target, FolderReadable(target)};
}

}  // namespace

std::string Drive::text() const {
    return std::string{letter, ':'};
}

std::vector<Drive> ListDrives() {
    const fs::path dosdevices = PrefixFolder() / "dosdevices";
    std::vector<Drive> drives;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (std::optional<Drive> drive = ReadDrive(dosdevices, letter)) drives.push_back(*drive);
    }
    return drives;
}

std::optional<Drive> FindDrive(char letter) {
    const int lower = std::tolower(static_cast<unsigned char>(letter));
    if (lower < 'a' || lower > 'z') return std::nullopt;
    return ReadDrive(PrefixFolder() / "dosdevices", static_cast<char>(lower));
}

}  // namespace platform
