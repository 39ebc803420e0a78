#include "platform/file_system.h"

#include <algorithm>
#include <optional>

#include "platform/drives.h"
#include "platform/text_case.h"
#include "platform/utf16.h"
#include "platform/win32/system_error.h"
#include "platform/win32/system_path.h"
#include "platform/win32/windows_api.h"
#include "platform/windows_error.h"
#include "platform/windows_names.h"

namespace platform {
namespace {

using win32::FailIfInjected;
using win32::SystemPath;
using win32::ThrowLastError;

enum class Kind { kFolder, kFile, kAny };

// Hidden and system entries stay out of the lists, as the classic file and folder lists leave
// them out; so does a drive's hiding place, which the installer marks hidden and system anyway.
bool Listed(const WIN32_FIND_DATAW& entry, const WindowsPath& folder, const std::string& name,
            Kind kind) {
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return false;
    if (name == "." || name == ".." || !SpellableInWindowsPath(name)) return false;
    const bool folder_entry = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (kind == Kind::kFile) return !folder_entry;
    return folder_entry && !(folder.IsDriveRoot() && IsHidingPlaceName(name));
}

bool Matched(const WIN32_FIND_DATAW& entry, const std::string& name, std::string_view pattern,
             Kind kind) {
    const bool folder_entry = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    return (kind == Kind::kAny || (kind == Kind::kFolder) == folder_entry) &&
           SpellableInWindowsPath(name) && MatchesIgnoringCase(name, pattern);
}

// The entries of a kind in a folder: every one that is listed, or, given a pattern, every one
// whose name matches it, hidden or not. The system is given the pattern, so that it reads only
// the names that match; it also matches a pattern against each file's short 8.3 name, which
// "tessarn*.jnl" could match for a long name that does not, so each name found is matched again.
// Whether a listing is sorted as the lists show it, or left in the order the search found it.
enum class Order { kSorted, kAsFound };

std::vector<std::string> List(std::string_view folder_text, Kind kind,
                              std::optional<std::string_view> pattern = std::nullopt,
                              Order order = Order::kSorted) {
    const std::string what_failed = "Cannot read the folder " + std::string(folder_text);
    const WindowsPath folder = win32::ParseOrThrow(folder_text, what_failed);
    std::wstring search_for = SystemPath(folder);
    if (search_for.back() != L'\\') search_for += L'\\';
    search_for += pattern ? Wide(*pattern) : L"*";
    WIN32_FIND_DATAW entry;
    const HANDLE search =
        FindFirstFileExW(search_for.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
    std::vector<std::string> names;
    if (search == INVALID_HANDLE_VALUE) {
        // An empty root has not even "." and "..", and says there is no file, as does a folder
        // without a name that matches; any other folder that cannot be searched is missing or
        // unreadable.
        if (GetLastError() == ERROR_FILE_NOT_FOUND && (pattern || folder.IsDriveRoot())) {
            return names;
        }
        ThrowLastError(folder, what_failed);
    }
    do {
        std::string name = Utf8(entry.cFileName);
        const bool wanted =
            pattern ? Matched(entry, name, *pattern, kind) : Listed(entry, folder, name, kind);
        if (wanted) names.push_back(std::move(name));
    } while (FindNextFileW(search, &entry));
    const ::DWORD end = GetLastError();
    FindClose(search);
    if (end != ERROR_NO_MORE_FILES) throw WindowsError(win32::ResultOf(folder, end), what_failed);
    if (order == Order::kSorted) SortIgnoringCase(names);
    return names;
}

// The attributes of what a path names, links followed; nothing when it names nothing, with the
// system's reason left for GetLastError. A path written as a folder's ("C:\a.txt\") names no file.
std::optional<::DWORD> AttributesOf(const WindowsPath& path) {
    const ::DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    if (path.ends_in_separator && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_INVALID_NAME);
        return std::nullopt;
    }
    return attributes;
}

std::optional<::DWORD> AttributesOf(std::string_view text) {
    const std::optional<WindowsPath> path = ParseWindowsPath(text);
    if (!path) return std::nullopt;
    return AttributesOf(*path);
}

// Whether `inner` lies below `outer`, names compared as the file system compares them.
bool Inside(const WindowsPath& inner, const WindowsPath& outer) {
    return inner.drive == outer.drive && inner.components.size() > outer.components.size() &&
           std::equal(
               outer.components.begin(), outer.components.end(), inner.components.begin(),
               [](const std::string& a, const std::string& b) { return EqualIgnoringCase(a, b); });
}

// The name under which the folder holds an item, in the letter case it is stored in.
std::optional<std::string> StoredName(const WindowsPath& item) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileExW(SystemPath(item).c_str(), FindExInfoBasic, &entry,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(search);
    return Utf8(entry.cFileName);
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

WindowsPath FolderAsStored(std::string_view text) {
    const WindowsPath path =
        win32::ParseOrThrow(text, "Cannot open the folder " + std::string(text));
    const std::string what_failed = "Cannot open the folder " + FormatWindowsPath(path);
    const std::optional<::DWORD> attributes = AttributesOf(path);
    if (!attributes) ThrowLastError(path, what_failed);
    if (!(*attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    }
    WindowsPath stored{path.drive, {}};
    for (const std::string& component : path.components) {
        stored.components.push_back(component);
        if (std::optional<std::string> name = StoredName(stored)) {
            stored.components.back() = std::move(*name);
        }
    }
    return stored;
}

bool ItemExists(std::string_view path) {
    return AttributesOf(path).has_value();
}

bool FolderExists(std::string_view path) {
    const std::optional<::DWORD> attributes = AttributesOf(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(std::string_view path) {
    const std::optional<::DWORD> attributes = AttributesOf(path);
    return attributes && !(*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> WhyCannotHold(std::string_view path) {
    return WhyWindowsCannotHold(path);
}

void DeleteFileAt(std::string_view text) {
    const std::string what_failed = "Cannot delete the file " + std::string(text);
    const WindowsPath path = win32::ParseOrThrow(text, what_failed);
    const std::optional<::DWORD> attributes = AttributesOf(path);
    if (!attributes) ThrowLastError(path, what_failed);
    if (*attributes & FILE_ATTRIBUTE_DIRECTORY)
        throw WindowsError(ERROR_ACCESS_DENIED, what_failed);
    FailIfInjected(what_failed);
    if (!DeleteFileW(SystemPath(path).c_str())) ThrowLastError(path, what_failed);
}

void MoveItem(std::string_view from, std::string_view to) {
    const std::string what_failed = "Cannot move " + std::string(from) + " to " + std::string(to);
    const WindowsPath source = win32::ParseOrThrow(from, what_failed);
    if (source.IsDriveRoot()) throw WindowsError(ERROR_ACCESS_DENIED, what_failed);
    const std::optional<::DWORD> source_attributes = AttributesOf(source);
    if (!source_attributes) ThrowLastError(source, what_failed);
    const std::optional<WindowsPath> target = ParseWindowsPath(to);
    if (!target) {
        throw WindowsError(to.empty() ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_NAME, what_failed);
    }
    // Each drive letter is a volume of its own, also where two letters lead to one folder (a
    // substituted drive, or two links under Wine) and the system would rename across them.
    if (target->drive != source.drive) throw WindowsError(ERROR_NOT_SAME_DEVICE, what_failed);
    // The program's own refusals below come after a target that exists, as on Linux; the
    // system itself is asked only when there is none.
    const bool folder = *source_attributes & FILE_ATTRIBUTE_DIRECTORY;
    const bool file_as_folder = target->ends_in_separator && !folder;
    // A target below the source whose folder is no folder (the source is a file, or the folder
    // between is missing) leaves the system to answer that its path is not found.
    const std::optional<::DWORD> target_folder = AttributesOf(win32::FolderOf(*target));
    const bool into_itself =
        Inside(*target, source) && target_folder && (*target_folder & FILE_ATTRIBUTE_DIRECTORY);
    if (target->IsDriveRoot() || ((file_as_folder || into_itself) && AttributesOf(*target))) {
        throw WindowsError(ERROR_ALREADY_EXISTS, what_failed);
    }
    if (file_as_folder) throw WindowsError(ERROR_DIRECTORY, what_failed);
    if (into_itself) {
        throw WindowsError(ERROR_INVALID_PARAMETER, "Cannot move the folder " + std::string(from) +
                                                        " into itself, to " + std::string(to));
    }
    FailIfInjected(what_failed);
    // Without MOVEFILE_REPLACE_EXISTING the system never overwrites, and a target that is the
    // source itself in other letter case renames it to that spelling. Without
    // MOVEFILE_COPY_ALLOWED it never copies: a move is one rename or nothing.
    if (!MoveFileExW(SystemPath(source).c_str(), SystemPath(*target).c_str(),
                     MOVEFILE_WRITE_THROUGH)) {
        ThrowLastError(*target, what_failed);
    }
}

}  // namespace platform
