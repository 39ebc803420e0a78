#include "platform/posix/host_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <system_error>

#include "platform/drives.h"
#include "platform/posix/drive_links.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

// The host spelling of `name` in `folder`: the exact name when the host has it, else the entry
// that equals it ignoring letter case (the smallest in byte order when several do, so that the
// choice never depends on the order the host lists them in). Nothing when neither exists.
std::optional<std::string> FindHostName(const fs::path& folder, const std::string& name) {
    struct stat info;
    if (lstat((folder / name).c_str(), &info) == 0) return name;
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return std::nullopt;
    const std::string wanted = FoldCase(name);
    std::optional<std::string> found;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view candidate = entry->d_name;
        if (candidate == "." || candidate == "..") continue;
        if (FoldCase(candidate) == wanted && (!found || candidate < *found)) {
            found = std::string(candidate);
        }
    }
    closedir(listing);
    return found;
}

}  // namespace

HostLocation ResolveWindowsPath(std::string_view text) {
    const std::string what_failed = "Cannot reach " + std::string(text);
    if (text.empty()) throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    const std::optional<WindowsPath> parsed = ParseWindowsPath(text);
    if (!parsed) throw WindowsError(ERROR_INVALID_NAME, what_failed);
    const std::optional<Drive> drive = FindDrive(parsed->drive);
    if (!drive || !drive->ready) throw WindowsError(ERROR_NOT_READY, what_failed);

    HostLocation location{WindowsPath{parsed->drive, {}}, drive->host_root, true};
    location.windows.ends_in_separator = parsed->ends_in_separator;
    for (const std::string& component : parsed->components) {
        // A hiding place mapped apart is reached through its link alone, so that items hidden
        // on the drive never land in a "recycled" folder the drive's own folder may hold.
        if (location.windows.IsDriveRoot() && IsHidingPlaceName(component)) {
            if (std::optional<fs::path> mapped = MappedHidingPlace(parsed->drive)) {
                struct stat info;
                location.host = *mapped;
                location.windows.components.push_back("recycled");
                location.exists = lstat(mapped->c_str(), &info) == 0;
                continue;
            }
        }
        std::string host_name = component;
        // Below a missing component nothing can exist; the rest is kept as typed.
        if (location.exists) {
            if (std::optional<std::string> found = FindHostName(location.host, component)) {
                host_name = *found;
            } else {
                location.exists = false;
            }
        }
        location.host /= host_name;
        location.windows.components.push_back(host_name);
    }
    // A name written as a folder ("C:\a.txt\") is no name for a file.
    struct stat info;
    if (location.windows.ends_in_separator && location.exists &&
        stat(location.host.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        throw WindowsError(ERROR_INVALID_NAME, what_failed);
    }
    return location;
}

HostLocation ResolveWindowsPath(std::string_view text, const std::string& what_failed) {
    try {
        return ResolveWindowsPath(text);
    } catch (const WindowsError& error) {
        throw WindowsError(error.code(), what_failed);
    }
}

bool ParentFolderExists(const HostLocation& location) {
    if (location.windows.IsDriveRoot()) return true;
    struct stat info;
    return stat(location.host.parent_path().c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::string> WindowsPathOfHost(const fs::path& host) {
    std::error_code error;
    const fs::path absolute = fs::absolute(host, error);
    if (error) return std::nullopt;
    const fs::path target = fs::weakly_canonical(absolute, error);
    if (error) return std::nullopt;

    std::optional<WindowsPath> best;
    std::ptrdiff_t best_depth = -1;
    for (const Drive& drive : ListDrives()) {
        if (!drive.ready) continue;
        const fs::path root = fs::weakly_canonical(drive.host_root, error);
        if (error) continue;
        const auto [root_end, rest] =
            std::mismatch(root.begin(), root.end(), target.begin(), target.end());
        const std::ptrdiff_t depth = std::distance(root.begin(), root.end());
        if (root_end != root.end() || depth <= best_depth) continue;
        WindowsPath path{drive.letter, {}};
        bool spellable = true;
        for (auto part = rest; part != target.end(); ++part) {
            if (part->empty()) continue;
            spellable = spellable && SpellableInWindowsPath(part->string());
            path.components.push_back(part->string());
        }
        if (!spellable) continue;
        best = std::move(path);
        best_depth = depth;
    }
    if (!best) return std::nullopt;
    return FormatWindowsPath(*best);
}

std::string CurrentFolder() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    if (!error) {
        if (std::optional<std::string> path = WindowsPathOfHost(current)) return *path;
    }
    for (const Drive& drive : ListDrives()) {
        if (drive.ready) return FormatWindowsPath(WindowsPath{drive.letter, {}});
    }
    throw WindowsError(ERROR_NOT_READY, "Cannot find a ready drive for the current folder");
}

}  // namespace platform
