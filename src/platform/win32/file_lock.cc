#include "platform/file_lock.h"

#include <string>
#include <thread>
#include <utility>

#include "platform/text_case.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_error.h"
#include "platform/win32/system_path.h"
#include "platform/win32/windows_api.h"
#include "platform/windows_error.h"

namespace platform {
namespace {

// Short, since another copy keeps the lock for about a millisecond per Hide or Unhide.
constexpr std::chrono::milliseconds kPollInterval{1};

bool TryLock(HANDLE handle) {
    OVERLAPPED first_byte{};
    return LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &first_byte);
}

}  // namespace

struct FileLock::LockedFile {
    // Windows releases the locks of a closed handle only "when resources allow", which may be
    // after the next copy has given up waiting: the lock is released at once, then the handle
    // closed.
    ~LockedFile() {
        OVERLAPPED first_byte{};
        UnlockFileEx(file.get(), 0, 1, 0, &first_byte);
    }

    win32::ScopedHandle file;
};

FileLock::FileLock(std::string_view windows_path, std::chrono::milliseconds patience) {
    const std::string what_failed = "Cannot lock " + std::string(windows_path);
    const WindowsPath path = win32::ParseOrThrow(windows_path, what_failed);
    if (path.IsDriveRoot()) throw WindowsError(ERROR_ACCESS_DENIED, what_failed);
    // The lock file's name is folded so that every spelling of the guarded file's name, also of
    // one that does not exist yet, meets the same lock. A leading dot hides nothing on Windows,
    // so the file is hidden by its attribute, and stays out of the file lists.
    std::string lock_name = ".";
    lock_name += FoldCase(path.components.back());
    lock_name += ".lock";
    WindowsPath lock_file = win32::FolderOf(path);
    lock_file.components.push_back(std::move(lock_name));
    win32::ScopedHandle file(CreateFileW(win32::SystemPath(lock_file).c_str(),
                                         GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file.IsValid()) win32::ThrowLastError(lock_file, what_failed);

    // LockFileEx rather than a share mode: a lock belongs to the handle, so a second lock in this
    // process is refused as one in another process is, and a copy that dies loses it.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!TryLock(file.get())) {
        const ::DWORD error = GetLastError();
        if (error != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline) {
            throw WindowsError(static_cast<LONG>(error), what_failed);
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    locked_ = std::make_unique<LockedFile>();
    locked_->file = std::move(file);
}

FileLock::FileLock(FileLock&& other) noexcept = default;
FileLock& FileLock::operator=(FileLock&& other) noexcept = default;

// The lock file stays, since removing it would let a waiting copy lock a file that a third copy
// then recreates and locks as well.
FileLock::~FileLock() = default;

}  // namespace platform
