#include "platform/prefix.h"

#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/windows_error.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr) return entry->pw_dir;
    return "/";
}

[[noreturn]] void ThrowCannotPrepare(const fs::path& prefix, int host_errno) {
    throw WindowsError(WindowsErrorFromErrno(host_errno),
                       "Cannot create the machine folder " + prefix.string());
}

void CreateLayout(const fs::path& root, const fs::path& prefix) {
    std::error_code error;
    fs::create_directories(root / "drive_c" / "windows" / "system32", error);
    if (!error) fs::create_directory(root / "drive_c" / "recycled", error);
    if (!error) fs::create_directory(root / "dosdevices", error);
    if (!error) fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:", error);
    if (!error) fs::create_directory_symlink("/", root / "dosdevices" / "z:", error);
    if (error) ThrowCannotPrepare(prefix, error.value());
}

}  // namespace

fs::path PrefixFolder() {
    if (const char* prefix = std::getenv("TESSARN_PREFIX"); prefix != nullptr && *prefix != '\0') {
        return prefix;
    }
    // A relative XDG_DATA_HOME is invalid and must be ignored, as every XDG-aware program does.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return fs::path(data) / "tessarn";
    }
    return HomeFolder() / ".local" / "share" / "tessarn";
}

void PrepareMachine() {
    const fs::path prefix = PrefixFolder();
    struct stat info;
    if (lstat(prefix.c_str(), &info) == 0) {
        // An empty folder (made with mktemp -d for a trial, say) is a machine not yet set up;
        // the rename below replaces an empty folder as it would create a missing one.
        std::error_code unreadable;
        if (!S_ISDIR(info.st_mode) || !fs::is_empty(prefix, unreadable) || unreadable) return;
    } else if (errno != ENOENT) {
        ThrowCannotPrepare(prefix, errno);
    }

    // The layout is built beside the prefix and renamed into place in one step, so a start that
    // dies half-way never leaves a half-made machine that later starts would take as it is, and
    // two copies starting together cannot both build into the same folder.
    std::error_code error;
    fs::path parent = prefix.parent_path();
    if (parent.empty()) parent = ".";
    fs::create_directories(parent, error);
    if (error) ThrowCannotPrepare(prefix, error.value());
    std::string hidden_name = ".";
    hidden_name += prefix.filename().string();
    hidden_name += ".new-XXXXXX";
    std::string pattern = (parent / hidden_name).string();
    if (mkdtemp(pattern.data()) == nullptr) ThrowCannotPrepare(prefix, errno);
    // mkdtemp leaves the folder readable by its owner only, which suits a machine that holds the
    // password's check value.
    const fs::path building = pattern;
    try {
        CreateLayout(building, prefix);
        if (rename(building.c_str(), prefix.c_str()) != 0) {
            const int rename_errno = errno;
            fs::remove_all(building, error);
            // Another copy finished first; its machine is as good as ours.
            if (rename_errno == EEXIST || rename_errno == ENOTEMPTY) return;
            ThrowCannotPrepare(prefix, rename_errno);
        }
    } catch (const WindowsError&) {
        fs::remove_all(building, error);
        throw;
    }
}

}  // namespace platform
