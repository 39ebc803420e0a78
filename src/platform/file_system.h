// The file operations the program makes, on Windows paths, with Windows semantics.
//
// Hidden entries are never listed (on Windows those with the hidden or system attribute, on Linux
// those whose host name starts with a dot), nor a drive's hiding place (the folder "recycled"
// under its root).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/windows_path.h"

namespace platform {

// Names of a folder's sub-folders / files, sorted by name ignoring letter case. Throws
// WindowsError when the folder cannot be read (ERROR_NOT_READY for a drive that is not ready).
std::vector<std::string> ListSubFolders(std::string_view folder);
std::vector<std::string> ListFiles(std::string_view folder);

// Names of a folder's files that match `pattern` (text_case.h: '*' for any run of characters,
// the rest ignoring letter case), sorted as ListFiles sorts them, hidden ones included: it finds
// the program's own files beside the register by name. Where the system can search a folder by
// name, as Windows can, the other files are never read one by one, however many there are
// (C:\Windows\System32 holds thousands). Throws as ListFiles does.
std::vector<std::string> ListFilesMatching(std::string_view folder, std::string_view pattern);
// Names of a folder's items of every kind (files, folders, links) that match `pattern`, hidden or
// not, in the order the search finds them: what a hiding place holds under the names Hide gives,
// read in one search without a look at each item, and unsorted, since a full hiding place holds
// 32,767 of them. Throws as ListFiles does.
std::vector<std::string> ListItemsMatching(std::string_view folder, std::string_view pattern);

// The folder at `path` as the file system spells it, each name in the letter case it is stored
// in. Throws WindowsError: ERROR_NOT_READY for a drive that is not ready, ERROR_PATH_NOT_FOUND
// when no folder is there, ERROR_INVALID_NAME for a text that is no drive path.
WindowsPath FolderAsStored(std::string_view path);

// Existence tests; false for anything that cannot be resolved. Never throw.
bool ItemExists(std::string_view path);
bool FolderExists(std::string_view path);
bool FileExists(std::string_view path);

// Why an item at this path would be out of reach of the system's own tools, as windows_names.h
// words it, or nothing. On Windows, a name Windows reserves (CON, "Docs ", ...); the Linux stand-in
// holds every name its host holds, and its paths reach them all.
std::optional<std::string> WhyCannotHold(std::string_view path);

// Deletes a file (not a folder). Throws WindowsError.
void DeleteFileAt(std::string_view path);

// Moves (renames) a file or a folder as a whole, contents included, within one drive. Never
// overwrites; a target that names the source itself, in any letter case, leaves the item where
// it is with its name spelled as the target spells it. Throws WindowsError when the source is
// missing (ERROR_FILE_NOT_FOUND), is a drive root (ERROR_ACCESS_DENIED), the target exists
// (ERROR_ALREADY_EXISTS), the target's folder is missing (ERROR_PATH_NOT_FOUND), a file's target
// ends in a backslash (ERROR_DIRECTORY), a drive is not ready (ERROR_NOT_READY), or source and
// target lie on different drive letters (ERROR_NOT_SAME_DEVICE), even where both letters map
// into one host file system.
void MoveItem(std::string_view from, std::string_view to);

}  // namespace platform
