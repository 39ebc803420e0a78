#include "platform/posix/prefix.h"

#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/posix/home_drive.h"
#include "platform/posix/home_hiding_place.h"
#include "platform/posix/host_error.h"
#include "platform/windows_error.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowCannotPrepare(const fs::path& prefix, int host_errno) {
    throw WindowsError(WindowsErrorFromErrno(host_errno),
                       "Cannot create the machine folder " + prefix.string());
}

// A first start builds its machine in a hidden folder beside the prefix, holding a lock on it
// until the folder is renamed into place. One that died half-way left its folder behind, and
// nothing else would ever remove it; its lock died with it, which tells it from the folder of
// another copy starting at the same moment.
std::string BuildFolderStem(const fs::path& prefix) {
    // Appended piece by piece: GCC 12 warns wrongly of overlap on "." + name at -O3.
    std::string stem = ".";
    stem += prefix.filename().string();
    stem += ".new-";
    return stem;
}

int LockBuildFolder(const fs::path& folder, int how) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (flock(fd, how) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

void RemoveAbandonedBuilds(const fs::path& parent, const fs::path& prefix) {
    const std::string stem = BuildFolderStem(prefix);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(parent, error)) {
        const std::string name = entry.path().filename().string();
        // mkdtemp's six characters follow the stem; nothing else is ours to remove.
        if (name.size() != stem.size() + 6 || !name.starts_with(stem)) continue;
        const int fd = LockBuildFolder(entry.path(), LOCK_EX | LOCK_NB);
        if (fd < 0) continue;
        std::error_code ignored;
        fs::remove_all(entry.path(), ignored);
        close(fd);
    }
}

void CreateLayout(const fs::path& root, const fs::path& prefix) {
    std::error_code error;
    fs::create_directories(root / "drive_c" / "windows" / "system32", error);
    if (!error) fs::create_directory(root / "drive_c" / "recycled", error);
    if (!error) fs::create_directory(root / "dosdevices", error);
    if (!error) fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:", error);
    if (!error) fs::create_directory_symlink("/", root / "dosdevices" / "z:", error);
    if (!error) MapHomeDrive(root, error);
    if (error) ThrowCannotPrepare(prefix, error.value());
}

// Whether the machine is there to use. A missing folder, or an empty one (made with mktemp -d
// for a trial, say), is a machine not yet set up; a file in its place, or a folder that cannot be
// read, is a failure to tell, never a machine without drives.
bool MachineIsSetUp(const fs::path& prefix) {
    struct stat info;
    if (stat(prefix.c_str(), &info) != 0) {
        if (errno != ENOENT) ThrowCannotPrepare(prefix, errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        throw WindowsError(ERROR_DIRECTORY, "Cannot use " + prefix.string() +
                                                " as the machine folder, since it is a file");
    }
    std::error_code unreadable;
    const bool empty = fs::is_empty(prefix, unreadable);
    if (unreadable) {
        throw WindowsError(WindowsErrorFromErrno(unreadable.value()),
                           "Cannot read the machine folder " + prefix.string());
    }
    return !empty;
}

// Builds the layout beside the prefix and renames it into place in one step, so a start that
// dies half-way never leaves a half-made machine that later starts would take as it is, and two
// copies starting together cannot both build into the same folder. False when the build folder
// was taken before it could be locked.
bool BuildMachine(const fs::path& prefix, const fs::path& parent) {
    std::string pattern = (parent / (BuildFolderStem(prefix) + "XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) ThrowCannotPrepare(prefix, errno);
    // mkdtemp leaves the folder readable by its owner only, which suits a machine that holds the
    // password's check value.
    const fs::path building = pattern;
    const int lock = LockBuildFolder(building, LOCK_EX);
    if (lock < 0) return false;
    std::error_code error;
    try {
        CreateLayout(building, prefix);
        if (rename(building.c_str(), prefix.c_str()) != 0) {
            const int rename_errno = errno;
            // Another copy finished first; its machine is as good as ours.
            if ((rename_errno != EEXIST && rename_errno != ENOTEMPTY) || !MachineIsSetUp(prefix)) {
                ThrowCannotPrepare(prefix, rename_errno);
            }
            fs::remove_all(building, error);
        }
    } catch (const WindowsError&) {
        fs::remove_all(building, error);
        close(lock);
        throw;
    }
    close(lock);
    return true;
}

}  // namespace

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr) return entry->pw_dir;
    return "/";
}

fs::path PrefixFolder() {
    if (const char* prefix = std::getenv("TESSARN_PREFIX"); prefix != nullptr && *prefix != '\0') {
        // "/machine/" and "/machine" are one folder; the first would have no name of its own,
        // and the machine would be built inside itself.
        // Every path the program resolves asks for the prefix, so the last one is kept.
        thread_local std::string last_text;
        thread_local fs::path last_folder;
        if (last_text != prefix) {
            fs::path folder = fs::path(prefix).lexically_normal();
            if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
            last_text = prefix;
            last_folder = std::move(folder);
        }
        return last_folder;
    }
    // A relative XDG_DATA_HOME is invalid and must be ignored, as every XDG-aware program does.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return fs::path(data) / "tessarn";
    }
    return HomeFolder() / ".local" / "share" / "tessarn";
}

void PrepareMachine() {
    const fs::path prefix = PrefixFolder();
    fs::path parent = prefix.parent_path();
    if (parent.empty()) parent = ".";
    RemoveAbandonedBuilds(parent, prefix);
    if (MachineIsSetUp(prefix)) {
        MoveHomeHidingPlaceOutOfMachine(prefix);
        return;
    }

    std::error_code error;
    fs::create_directories(parent, error);
    if (error) ThrowCannotPrepare(prefix, error.value());
    // Another copy's clean-up may take a build folder in the instant before it is locked; the
    // next one is locked in time, since that copy has cleaned up by then.
    for (int attempt = 1; !BuildMachine(prefix, parent); ++attempt) {
        if (attempt == 3) ThrowCannotPrepare(prefix, ENOENT);
    }
}

}  // namespace platform
