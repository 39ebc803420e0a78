#include "platform/posix/home_hiding_place.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>

#include "platform/fault_injection.h"
#include "platform/posix/drive_links.h"
#include "platform/posix/host_error.h"
#include "platform/posix/no_replace_rename.h"
#include "platform/windows_error.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

// Each host step of the move is one file operation to the fault injector, so that the tests can
// fail it, or end the process just before it, as at every step of a Hide. 0 or the host errno.
template <typename Call>
int Step(Call call) {
    if (fault_injection::ShouldFail()) return EIO;
    return call() == 0 ? 0 : errno;
}

// Where a link of the drive table leads, made absolute; nothing for what is no link.
std::optional<fs::path> LinkTarget(const fs::path& link) {
    std::error_code error;
    fs::path target = fs::read_symlink(link, error);
    if (error) return std::nullopt;
    if (target.is_relative()) target = link.parent_path() / target;
    return target.lexically_normal();
}

bool IsFolder(const fs::path& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsEmptyFolder(const fs::path& path) {
    std::error_code error;
    return IsFolder(path) && fs::is_empty(path, error) && !error;
}

int SyncFolder(const fs::path& folder) {
    return Step([&] {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return -1;
        const int result = fsync(fd);
        const int sync_errno = errno;
        close(fd);
        errno = sync_errno;
        return result;
    });
}

// Two copies starting at once take turns at the drive table; the second finds the move done.
class DriveTableLock {
  public:
    explicit DriveTableLock(const fs::path& dosdevices)
        : fd_(open(dosdevices.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~DriveTableLock() {
        if (fd_ >= 0) close(fd_);
    }
    DriveTableLock(const DriveTableLock&) = delete;
    DriveTableLock& operator=(const DriveTableLock&) = delete;
    bool held() const { return fd_ >= 0; }

  private:
    int fd_;
};

[[noreturn]] void ThrowHalfway(const fs::path& earlier, const fs::path& place, int host_errno) {
    throw WindowsError(WindowsErrorFromErrno(host_errno),
                       "The hiding place of drive H: was moved from " + earlier.string() + " to " +
                           place.string() +
                           ", which holds all its items, and the next start finishes the move. "
                           "Cannot finish it now");
}

// Renames the earlier hiding place to `place`. Whether `place` holds it now: moved here, or by a
// start that ended before it could change the link.
bool MoveFolder(const fs::path& earlier, const fs::path& place) {
    struct stat info;
    if (lstat(earlier.c_str(), &info) != 0) return errno == ENOENT && IsFolder(place);
    if (!S_ISDIR(info.st_mode)) return false;
    // The prefix's own mode kept other users out; in the home folder it must keep them out itself.
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0 &&
        Step([&] { return chmod(earlier.c_str(), info.st_mode & S_IRWXU); }) != 0) {
        return false;
    }
    // An empty folder there takes nothing with it: rename() replaces it in one step, and fails
    // should an item land in it meanwhile. Anything else there is never replaced.
    const int moved = IsEmptyFolder(place)
                          ? Step([&] { return rename(earlier.c_str(), place.c_str()); })
                          : Step([&] {
                                errno = RenameNoReplace(earlier, place);
                                return errno == 0 ? 0 : -1;
                            });
    if (moved != 0) return false;
    // On the disk before the link names it: a link that outlived the rename in a power cut would
    // name a folder that is not there, and the next start would no longer know the old one.
    if (const int failed = SyncFolder(place.parent_path()); failed != 0) {
        ThrowHalfway(earlier, place, failed);
    }
    return true;
}

// Points the link at `place` in one step: a new link beside it, renamed over it.
int Relink(const fs::path& link, const fs::path& place) {
    std::string fresh_name = ".";
    fresh_name += link.filename().string();
    fresh_name += ".new";
    const fs::path fresh = link.parent_path() / fresh_name;
    int failed = 0;
    // Left by a start that ended here; the drive table's lock makes it no running copy's.
    struct stat info;
    if (lstat(fresh.c_str(), &info) == 0) failed = Step([&] { return unlink(fresh.c_str()); });
    if (failed == 0) failed = Step([&] { return symlink(place.c_str(), fresh.c_str()); });
    if (failed == 0) failed = Step([&] { return rename(fresh.c_str(), link.c_str()); });
    if (failed == 0) failed = SyncFolder(link.parent_path());
    return failed;
}

}  // namespace

fs::path HomeHidingPlace(const fs::path& home) {
    return home / ".tessarn-recycled";
}

void MoveHomeHidingPlaceOutOfMachine(const fs::path& prefix) {
    const fs::path dosdevices = prefix / "dosdevices";
    const fs::path link = dosdevices / MappedHidingPlaceLinkName('h');
    const fs::path earlier = (prefix / "recycled_h").lexically_normal();
    // Every start after the move ends here.
    if (LinkTarget(link) != earlier) return;
    const std::optional<fs::path> home = LinkTarget(dosdevices / "h:");
    if (!home) return;
    const fs::path place = HomeHidingPlace(*home);

    const DriveTableLock lock(dosdevices);
    if (!lock.held() || LinkTarget(link) != earlier || !MoveFolder(earlier, place)) return;
    if (const int failed = Relink(link, place); failed != 0) ThrowHalfway(earlier, place, failed);
}

}  // namespace platform
