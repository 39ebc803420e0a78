// Renaming a host file or folder without ever replacing an existing target, the guarantee behind
// MoveItem. The kernel gives it in one step (renameat2 with RENAME_NOREPLACE); a file system that
// refuses the flag gets a fallback.
#pragma once

#include <filesystem>

namespace platform {

// Renames from to to; 0 on success, else the host errno (EEXIST when to exists).
int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

// What RenameNoReplace does where the file system refuses RENAME_NOREPLACE: a hard link and an
// unlink for a file, a check and a rename for a folder.
int RenameNoReplaceFallback(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace platform
