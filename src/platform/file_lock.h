// An exclusive lock between running copies of the program, held on a hidden sibling lock file
// (".<name>.lock" beside the file it guards: flock on Linux, LockFileEx on Windows). The lock
// file is never renamed or deleted, so replacing the guarded file does not drop the lock.
#pragma once

#include <chrono>
#include <memory>
#include <string_view>

namespace platform {

class FileLock {
  public:
    // Waits up to `patience` for the lock on windows_path's sibling lock file. Throws
    // WindowsError (ERROR_LOCK_VIOLATION) naming the file when another copy keeps it longer.
    explicit FileLock(std::string_view windows_path,
                      std::chrono::milliseconds patience = std::chrono::seconds(5));
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

  private:
    // The locked lock file, as each system holds it (file_lock.cc of posix/ and win32/); null
    // once moved from.
    struct LockedFile;
    std::unique_ptr<LockedFile> locked_;
};

}  // namespace platform
