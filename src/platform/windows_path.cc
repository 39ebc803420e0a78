#include "platform/windows_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <system_error>

#include "platform/drives.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

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

std::optional<WindowsPath> ParseWindowsPath(std::string_view text) {
    if (text.size() < 2 || text[1] != ':') return std::nullopt;
    const auto letter = static_cast<unsigned char>(text[0]);
    if (letter > 0x7F || !std::isalpha(letter)) return std::nullopt;
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(2);
    // "C:name" would be relative to the drive's current folder, which this machine does not keep.
    if (!rest.empty() && !IsSeparator(rest.front())) return std::nullopt;

    WindowsPath path{static_cast<char>(std::tolower(letter)), {}};
    while (!rest.empty()) {
        const auto end = std::find_if(rest.begin(), rest.end(), IsSeparator);
        std::string_view component = rest.substr(0, static_cast<std::size_t>(end - rest.begin()));
        const bool followed_by_separator = end != rest.end();
        rest.remove_prefix(std::min(rest.size(), component.size() + 1));
        if (component.empty()) continue;
        path.ends_in_separator = followed_by_separator;
        if (component == ".") continue;
        if (component == "..") {
            if (!path.components.empty()) path.components.pop_back();
            continue;
        }
        // Windows drops one trailing dot of a folder on the way ("C:\Docs.\a" is C:\Docs\a), but
        // keeps its trailing spaces.
        if (followed_by_separator && component.ends_with('.')) component.remove_suffix(1);
        // "...\" is left as a folder named "..", which no Windows file system accepts; taken as
        // a name here it would climb out of the drive's folder on the host.
        if (component == "..") return std::nullopt;
        path.components.emplace_back(component);
    }
    // The last name loses all its trailing dots and spaces; one made of nothing else leaves the
    // path ending at the folder before it.
    if (!path.ends_in_separator && !path.components.empty()) {
        std::string& last = path.components.back();
        last.erase(last.find_last_not_of(". ") + 1);
        if (last.empty()) {
            path.components.pop_back();
            path.ends_in_separator = true;
        }
    }
    if (path.components.empty()) path.ends_in_separator = false;
    return path;
}

std::string FormatWindowsPath(const WindowsPath& path) {
    std::string text{static_cast<char>(std::toupper(static_cast<unsigned char>(path.drive))), ':'};
    if (path.components.empty()) return text + '\\';
    for (const std::string& component : path.components) text += '\\' + component;
    return text;
}

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

bool SpellableInWindowsPath(std::string_view host_name) {
    return !host_name.empty() && host_name.find('\\') == std::string_view::npos &&
           host_name.back() != ' ' && host_name.back() != '.';
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
