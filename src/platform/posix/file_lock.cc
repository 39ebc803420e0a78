#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <thread>
#include <utility>

#include "platform/posix/host_error.h"
#include "platform/posix/host_path.h"
#include "platform/posix/lookup_memo.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

// Short, since another copy keeps the lock for about a millisecond per Hide or Unhide.
constexpr std::chrono::milliseconds kPollInterval{1};

}  // namespace

// Closing the descriptor releases the lock.
struct FileLock::LockedFile {
    LockedFile() = default;
    ~LockedFile() {
        if (fd >= 0) close(fd);
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    int fd = -1;
};

FileLock::FileLock(std::string_view windows_path, std::chrono::milliseconds patience) {
    const std::string what_failed = "Cannot lock " + std::string(windows_path);
    const HostLocation location = ResolveWindowsPath(windows_path, what_failed);
    if (location.windows.IsDriveRoot()) throw WindowsError(ERROR_ACCESS_DENIED, what_failed);
    if (!ParentFolderExists(location)) throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    // The lock file's name is folded so that every spelling of the guarded file's name, also of
    // one that does not exist yet, meets the same lock.
    std::string lock_name = ".";
    lock_name += FoldCase(location.windows.components.back());
    lock_name += ".lock";
    const std::filesystem::path lock_file = location.host.parent_path() / lock_name;
    auto locked = std::make_unique<LockedFile>();
    const int fd = locked->fd = open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) throw WindowsError(WindowsErrorFromErrno(errno), what_failed);

    // flock rather than fcntl locks: an fcntl lock belongs to the process and is dropped when
    // any descriptor of the file closes, and it would not exclude a second lock in this process.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int lock_errno = errno;
        if (lock_errno == EINTR) continue;
        if (lock_errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            throw WindowsError(lock_errno == EWOULDBLOCK ? ERROR_LOCK_VIOLATION
                                                         : WindowsErrorFromErrno(lock_errno),
                               what_failed);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    locked_ = std::move(locked);
    // What was looked up before the lock was held may have been changed by whoever held it.
    ForgetLookups();
}

FileLock::FileLock(FileLock&& other) noexcept = default;
FileLock& FileLock::operator=(FileLock&& other) noexcept = default;

// The lock file stays, since removing it would let a waiting copy lock a file that a third copy
// then recreates and locks as well.
FileLock::~FileLock() = default;

}  // namespace platform
