#include "platform/posix/host_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <system_error>

#include "platform/drives.h"
#include "platform/posix/drive_links.h"
#include "platform/posix/lookup_memo.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

// The names in a host folder by their folded form, each the smallest in byte order of those that
// fold alike; read once while a lookup memo lives. Nothing when the folder cannot be listed.
std::optional<FoldedNames> FoldedNamesIn(const fs::path& folder) {
    LookupMemo* const memo = ActiveLookupMemo();
    if (memo != nullptr) {
        if (const auto known = memo->folded_names.find(folder.native());
            known != memo->folded_names.end()) {
            return known->second;
        }
    }
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return std::nullopt;
    FoldedNames names;
    while (const dirent* entry = readdir(listing)) {
        const std::string_view candidate = entry->d_name;
        if (candidate == "." || candidate == "..") continue;
        auto [place, added] = names.try_emplace(FoldCase(candidate), candidate);
        if (!added && candidate < place->second) place->second = candidate;
    }
    closedir(listing);
    if (memo != nullptr) memo->folded_names.emplace(folder.native(), names);
    return names;
}

// The host spelling of `name` in `folder`: the exact name when the host has it, else the entry
// that equals it ignoring letter case (the smallest in byte order when several do, so that the
// choice never depends on the order the host lists them in). Nothing when neither exists.
std::optional<std::string> FindHostName(const fs::path& folder, const std::string& name) {
    struct stat info;
    if (lstat((folder / name).c_str(), &info) == 0) return name;
    const std::optional<FoldedNames> names = FoldedNamesIn(folder);
    if (!names) return std::nullopt;
    const auto found = names->find(FoldCase(name));
    if (found == names->end()) return std::nullopt;
    return found->second;
}

// Takes `location` one name further down, as Windows resolves a path: to the host name spelled
// exactly so where there is one, else to the one that matches ignoring letter case.
void ResolveComponent(char drive, const std::string& component, HostLocation& location) {
    // A hiding place mapped apart is reached through its link alone, so that items hidden
    // on the drive never land in a "recycled" folder the drive's own folder may hold.
    if (location.windows.IsDriveRoot() && IsHidingPlaceName(component)) {
        if (std::optional<fs::path> mapped = MappedHidingPlace(drive)) {
            struct stat info;
            location.host = *mapped;
            location.windows.components.push_back("recycled");
            location.exists = lstat(mapped->c_str(), &info) == 0;
            return;
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

}  // namespace

HostLocation ResolveWindowsPath(std::string_view text) {
    const auto what_failed = [&] { return "Cannot reach " + std::string(text); };
    if (text.empty()) throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed());
    const std::optional<WindowsPath> parsed = ParseWindowsPath(text);
    if (!parsed) throw WindowsError(ERROR_INVALID_NAME, what_failed());
    LookupMemo* const memo = ActiveLookupMemo();
    std::optional<Drive> asked;
    const std::optional<Drive>& drive =
        memo != nullptr ? memo->DriveOf(parsed->drive) : (asked = FindDrive(parsed->drive));
    if (!drive || !drive->ready) throw WindowsError(ERROR_NOT_READY, what_failed());

    // Each part of the path (c\windows, c\windows\system32, ...) as the memo knows it; the
    // longest part known is taken as it is, and the rest resolved a name at a time.
    const std::vector<std::string>& names = parsed->components;
    std::vector<std::string> parts;
    std::size_t resolved = 0;
    HostLocation location{WindowsPath{parsed->drive, {}}, drive->host_root, true};
    if (memo != nullptr) {
        std::string part(1, parsed->drive);
        for (const std::string& name : names) parts.push_back(part += '\\' + name);
        for (resolved = names.size(); resolved > 0; --resolved) {
            const auto known = memo->locations.find(parts[resolved - 1]);
            if (known == memo->locations.end()) continue;
            location = known->second;
            break;
        }
    }
    for (std::size_t next = resolved; next < names.size(); ++next) {
        ResolveComponent(parsed->drive, names[next], location);
        if (memo != nullptr) memo->locations.emplace(parts[next], location);
    }
    location.windows.ends_in_separator = parsed->ends_in_separator;
    // A name written as a folder ("C:\a.txt\") is no name for a file.
    struct stat info;
    if (location.windows.ends_in_separator && location.exists &&
        stat(location.host.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        throw WindowsError(ERROR_INVALID_NAME, what_failed());
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
