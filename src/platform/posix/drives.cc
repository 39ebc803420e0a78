#include "platform/drives.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <system_error>

#include "platform/posix/drive_links.h"
#include "platform/posix/lookup_memo.h"
#include "platform/posix/prefix.h"

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

// What a DriveTableSnapshot keeps: the letters, each link and each drive as first read.
struct Snapshot {
    fs::path dosdevices;
    std::map<std::string, std::optional<fs::path>> links;
    std::map<char, std::optional<Drive>> drives;
    std::optional<std::vector<char>> letters;
};
thread_local Snapshot* snapshot = nullptr;

Snapshot* SnapshotOf(const fs::path& dosdevices) {
    return snapshot != nullptr && snapshot->dosdevices == dosdevices ? snapshot : nullptr;
}

// Where a link in dosdevices/ leads. A relative link is relative to the folder that holds it; the
// target is made absolute here so that callers never depend on the current folder.
std::optional<fs::path> ReadLink(const fs::path& dosdevices, const std::string& name) {
    Snapshot* kept = SnapshotOf(dosdevices);
    if (kept != nullptr) {
        if (const auto found = kept->links.find(name); found != kept->links.end()) {
            return found->second;
        }
    }
    std::error_code error;
    std::optional<fs::path> target = fs::read_symlink(dosdevices / name, error);
    if (error) target.reset();
    if (target && target->is_relative()) target = (dosdevices / *target).lexically_normal();
    if (kept != nullptr) kept->links[name] = target;
    return target;
}

std::optional<Drive> ReadDrive(const fs::path& dosdevices, char letter) {
    Snapshot* kept = SnapshotOf(dosdevices);
    if (kept != nullptr) {
        if (const auto found = kept->drives.find(letter); found != kept->drives.end()) {
            return found->second;
        }
    }
    std::optional<Drive> drive;
    if (const std::optional<fs::path> root = ReadLink(dosdevices, std::string{letter, ':'})) {
        const std::string label =
            root->filename().empty() ? root->string() : root->filename().string();
        drive = Drive{letter, *root, FolderReadable(*root), label};
    }
    if (kept != nullptr) kept->drives[letter] = drive;
    return drive;
}

// The drive letters there are, in order. One listing finds them, rather than asking for all 26.
std::vector<char> ReadLetters(const fs::path& dosdevices) {
    Snapshot* kept = SnapshotOf(dosdevices);
    if (kept != nullptr && kept->letters) return *kept->letters;
    std::vector<char> letters;
    if (DIR* listing = opendir(dosdevices.c_str())) {
        while (const dirent* entry = readdir(listing)) {
            const std::string_view name = entry->d_name;
            if (name.size() == 2 && name[1] == ':' && name[0] >= 'a' && name[0] <= 'z') {
                letters.push_back(name[0]);
            }
        }
        closedir(listing);
    }
    std::sort(letters.begin(), letters.end());
    if (kept != nullptr) kept->letters = letters;
    return letters;
}

char LowerLetter(char letter) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
}

}  // namespace

DriveTableSnapshot::DriveTableSnapshot() : outermost_(snapshot == nullptr) {
    if (!outermost_) return;
    snapshot = new Snapshot{PrefixFolder() / "dosdevices", {}, {}, std::nullopt};
    BeginLookupMemo();
}

DriveTableSnapshot::~DriveTableSnapshot() {
    if (!outermost_) return;
    EndLookupMemo();
    delete snapshot;
    snapshot = nullptr;
}

// A label is the name of the drive's host folder, known without asking anything more.
std::vector<Drive> ListDrives(DriveLabels) {
    const fs::path dosdevices = PrefixFolder() / "dosdevices";
    std::vector<Drive> drives;
    for (const char letter : ReadLetters(dosdevices)) {
        if (std::optional<Drive> drive = ReadDrive(dosdevices, letter)) drives.push_back(*drive);
    }
    return drives;
}

std::vector<Drive> ListReadyDrives() {
    std::vector<Drive> drives = ListDrives(DriveLabels::kLeftOut);
    std::erase_if(drives, [](const Drive& drive) { return !drive.ready; });
    return drives;
}

std::optional<Drive> FindDrive(char letter) {
    const char lower = LowerLetter(letter);
    if (lower < 'a' || lower > 'z') return std::nullopt;
    return ReadDrive(PrefixFolder() / "dosdevices", lower);
}

std::string MappedHidingPlaceLinkName(char letter) {
    return std::string{LowerLetter(letter), ':'} + "recycled";
}

std::optional<fs::path> MappedHidingPlace(char letter) {
    return ReadLink(PrefixFolder() / "dosdevices", MappedHidingPlaceLinkName(letter));
}

}  // namespace platform
