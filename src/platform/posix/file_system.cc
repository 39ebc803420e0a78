#include "platform/file_system.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/drives.h"
#include "platform/fault_injection.h"
#include "platform/posix/host_error.h"
#include "platform/posix/host_path.h"
#include "platform/posix/lookup_memo.h"
#include "platform/posix/no_replace_rename.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

enum class Kind { kFolder, kFile, kOther, kAny };

// What a folder's entry is. The folder listing itself tells for most entries, which spares a
// look at each of a big folder's entries; links count as what they lead to, and an entry that
// cannot be examined (a dangling link, a name removed meanwhile) is neither file nor folder.
Kind KindOf(int folder, const dirent& entry) {
    mode_t mode = 0;
    if (entry.d_type == DT_DIR) {
        mode = S_IFDIR;
    } else if (entry.d_type == DT_REG) {
        mode = S_IFREG;
    } else {
        struct stat info;
        if (fstatat(folder, entry.d_name, &info, 0) != 0) return Kind::kOther;
        mode = info.st_mode;
    }
    if (S_ISDIR(mode)) return Kind::kFolder;
    return S_ISREG(mode) ? Kind::kFile : Kind::kOther;
}

// Before a host call: when the fault injector says so, the call fails as a failing disk would.
void FailIfInjected(const std::string& what_failed) {
    if (fault_injection::ShouldFail()) {
        throw WindowsError(WindowsErrorFromErrno(EIO), what_failed);
    }
}

// The hiding place of a drive stays out of every listing of its root, in any letter case, as
// resolution would find it in any letter case.
bool IsHidingPlace(const HostLocation& folder, std::string_view name) {
    return folder.windows.IsDriveRoot() && IsHidingPlaceName(name);
}

// The entries of a kind in a folder: every one that is not hidden, or, given a pattern, every one
// whose name matches it, hidden or not. Entries of any kind need no look at what each one is.
// Whether a listing is sorted as the lists show it, or left in the order the search found it.
enum class Order { kSorted, kAsFound };

std::vector<std::string> List(std::string_view folder, Kind kind,
                              std::optional<std::string_view> pattern = std::nullopt,
                              Order order = Order::kSorted) {
    const std::string what_failed = "Cannot read the folder " + std::string(folder);
    const HostLocation location = ResolveWindowsPath(folder, what_failed);
    if (!location.exists) throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    DIR* listing = opendir(location.host.c_str());
    if (listing == nullptr) throw WindowsError(WindowsErrorFromErrno(errno), what_failed);

    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(listing);
        if (entry == nullptr) break;
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || !SpellableInWindowsPath(name)) continue;
        // A leading dot hides an entry.
        if (pattern ? !MatchesIgnoringCase(name, *pattern) : name.front() == '.') continue;
        if (kind == Kind::kAny || (KindOf(dirfd(listing), *entry) == kind &&
                                   !(kind == Kind::kFolder && IsHidingPlace(location, name)))) {
            names.emplace_back(name);
        }
    }
    const int read_errno = errno;
    closedir(listing);
    if (read_errno != 0) throw WindowsError(WindowsErrorFromErrno(read_errno), what_failed);

    if (order == Order::kSorted) SortIgnoringCase(names);
    return names;
}

std::optional<HostLocation> TryResolve(std::string_view path) {
    try {
        return ResolveWindowsPath(path);
    } catch (const WindowsError&) {
        return std::nullopt;
    }
}

// The mode of what path names, following links; nothing when it cannot be resolved or is missing.
std::optional<mode_t> ModeOf(std::string_view path) {
    const std::optional<HostLocation> location = TryResolve(path);
    struct stat info;
    if (!location || !location->exists || stat(location->host.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info.st_mode;
}

LONG MissingItemCode(const HostLocation& location) {
    return ParentFolderExists(location) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// Gives an item the name it has ignoring letter case, spelled as typed.
void RenameToLetterCase(const std::filesystem::path& item, const std::string& name,
                        const std::string& what_failed) {
    if (item.filename() == name) return;
    FailIfInjected(what_failed);
    NoteMoved(item, item.parent_path() / name);
    if (const int rename_errno = RenameNoReplace(item, item.parent_path() / name)) {
        throw WindowsError(WindowsErrorFromErrno(rename_errno), what_failed);
    }
}

bool Inside(const WindowsPath& inner, const WindowsPath& outer) {
    return inner.components.size() > outer.components.size() &&
           std::equal(outer.components.begin(), outer.components.end(), inner.components.begin());
}

}  // namespace

std::vector<std::string> ListSubFolders(std::string_view folder) {
    return List(folder, Kind::kFolder);
}

std::vector<std::string> ListFiles(std::string_view folder) {
    return List(folder, Kind::kFile);
}

std::vector<std::string> ListFilesMatching(std::string_view folder, std::string_view pattern) {
    return List(folder, Kind::kFile, pattern);
}

std::vector<std::string> ListItemsMatching(std::string_view folder, std::string_view pattern) {
    return List(folder, Kind::kAny, pattern, Order::kAsFound);
}

WindowsPath FolderAsStored(std::string_view path) {
    const HostLocation location = ResolveWindowsPath(path);
    struct stat info;
    if (!location.exists || stat(location.host.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        throw WindowsError(ERROR_PATH_NOT_FOUND,
                           "Cannot open the folder " + FormatWindowsPath(location.windows));
    }
    return location.windows;
}

bool ItemExists(std::string_view path) {
    const std::optional<HostLocation> location = TryResolve(path);
    return location && location->exists;
}

bool FolderExists(std::string_view path) {
    const std::optional<mode_t> mode = ModeOf(path);
    return mode && S_ISDIR(*mode);
}

bool FileExists(std::string_view path) {
    const std::optional<mode_t> mode = ModeOf(path);
    return mode && S_ISREG(*mode);
}

std::optional<std::string> WhyCannotHold(std::string_view) {
    return std::nullopt;
}

void DeleteFileAt(std::string_view path) {
    const std::string what_failed = "Cannot delete the file " + std::string(path);
    const HostLocation location = ResolveWindowsPath(path, what_failed);
    if (!location.exists) throw WindowsError(MissingItemCode(location), what_failed);
    struct stat info;
    // Windows refuses to delete a folder as a file; unlink() would say EISDIR, or on some
    // systems remove it.
    if (lstat(location.host.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        throw WindowsError(ERROR_ACCESS_DENIED, what_failed);
    }
    FailIfInjected(what_failed);
    ForgetLookupsIn(location.host.parent_path());
    if (unlink(location.host.c_str()) != 0) {
        throw WindowsError(WindowsErrorFromErrno(errno), what_failed);
    }
}

void MoveItem(std::string_view from, std::string_view to) {
    const std::string what_failed = "Cannot move " + std::string(from) + " to " + std::string(to);
    const HostLocation source = ResolveWindowsPath(from, what_failed);
    if (source.windows.IsDriveRoot()) throw WindowsError(ERROR_ACCESS_DENIED, what_failed);
    if (!source.exists) throw WindowsError(MissingItemCode(source), what_failed);
    // A drive letter is a volume of its own, as on Windows, even where two letters lead into one
    // host file system and the rename itself would work.
    const std::optional<WindowsPath> target_path = ParseWindowsPath(to);
    if (!target_path) {
        throw WindowsError(to.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME, what_failed);
    }
    if (target_path->drive != source.windows.drive) {
        throw WindowsError(ERROR_NOT_SAME_DEVICE, what_failed);
    }
    // A name that differs from an existing one only in letter case resolves to it, so it
    // counts as taken, as it does on Windows; unless that item is the source itself, which a
    // move then leaves where it is, with its name in the letter case the target gives.
    const HostLocation target = ResolveWindowsPath(to, what_failed);
    if (target.exists && target.host == source.host) {
        RenameToLetterCase(source.host, target_path->components.back(), what_failed);
        return;
    }
    if (target.exists) throw WindowsError(ERROR_ALREADY_EXISTS, what_failed);
    if (!ParentFolderExists(target)) throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    struct stat info;
    if (target.windows.ends_in_separator && lstat(source.host.c_str(), &info) == 0 &&
        !S_ISDIR(info.st_mode)) {
        throw WindowsError(ERROR_DIRECTORY, what_failed);
    }
    if (Inside(target.windows, source.windows)) {
        throw WindowsError(ERROR_INVALID_PARAMETER, "Cannot move the folder " + std::string(from) +
                                                        " into itself, to " + std::string(to));
    }
    FailIfInjected(what_failed);
    NoteMoved(source.host, target.host);
    if (const int rename_errno = RenameNoReplace(source.host, target.host); rename_errno != 0) {
        throw WindowsError(WindowsErrorFromErrno(rename_errno), what_failed);
    }
}

}  // namespace platform
