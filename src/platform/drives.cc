#include "platform/drives.h"

#include <dirent.h>

#include <cctype>
#include <system_error>

#include "platform/prefix.h"
#include "platform/text_case.h"

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

// Where a link in dosdevices/ leads. A relative link is relative to the folder that holds it; the
// target is made absolute here so that callers never depend on the current folder.
std::optional<fs::path> ReadLink(const fs::path& dosdevices, const std::string& name) {
    std::error_code error;
    fs::path target = fs::read_symlink(dosdevices / name, error);
    if (error) return std::nullopt;
    if (target.is_relative()) target = (dosdevices / target).lexically_normal();
    return target;
}

std::optional<Drive> ReadDrive(const fs::path& dosdevices, char letter) {
    const std::optional<fs::path> root = ReadLink(dosdevices, std::string{letter, ':'});
    if (!root) return std::nullopt;
    return Drive{letter, *root, FolderReadable(*root)};
}

char LowerLetter(char letter) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
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
    const char lower = LowerLetter(letter);
    if (lower < 'a' || lower > 'z') return std::nullopt;
    return ReadDrive(PrefixFolder() / "dosdevices", lower);
}

bool IsHidingPlaceName(std::string_view name) {
    return FoldCase(name) == "recycled";
}

std::string MappedHidingPlaceLinkName(char letter) {
    return std::string{LowerLetter(letter), ':'} + "recycled";
}

std::optional<fs::path> MappedHidingPlace(char letter) {
    return ReadLink(PrefixFolder() / "dosdevices", MappedHidingPlaceLinkName(letter));
}

}  // namespace platform
