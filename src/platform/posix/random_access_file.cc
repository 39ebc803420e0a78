#include "platform/random_access_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "platform/fault_injection.h"
#include "platform/posix/host_error.h"
#include "platform/posix/host_path.h"
#include "platform/posix/lookup_memo.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

[[noreturn]] void Throw(int host_errno, const std::string& what_failed) {
    throw WindowsError(WindowsErrorFromErrno(host_errno), what_failed);
}

// Before a host call: when the fault injector says so, the call fails as a failing disk would.
void FailIfInjected(const std::string& what_failed) {
    if (fault_injection::ShouldFail()) Throw(EIO, what_failed);
}

}  // namespace

// Once closed it keeps -1, on which every call fails as on a descriptor no longer open.
struct RandomAccessFile::OpenFile {
    explicit OpenFile(int descriptor) : fd(descriptor) {}
    // Not counted by the fault injector: a destructor cannot report a failure, and the
    // operations that matter for the data were made (and counted) before it.
    ~OpenFile() {
        if (fd >= 0) close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd;
};

RandomAccessFile::RandomAccessFile(std::string_view windows_path, IfMissing if_missing)
    : windows_path_(windows_path) {
    const std::string what_failed = "Cannot open the file " + windows_path_;
    const HostLocation location = ResolveWindowsPath(windows_path, what_failed);
    // Windows tells a missing folder from a missing file; open() says ENOENT for both.
    if (!location.exists && !ParentFolderExists(location)) {
        throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    }
    FailIfInjected(what_failed);
    int flags = O_RDWR | O_CLOEXEC;
    if (if_missing == IfMissing::kCreateEmpty) flags |= O_CREAT;
    if (!location.exists) NoteFileCreated(location.host);
    auto file = std::make_unique<OpenFile>(-1);
    file->fd = open(location.host.c_str(), flags, 0666);
    if (file->fd < 0) Throw(errno, what_failed);
    file_ = std::move(file);
}

RandomAccessFile::RandomAccessFile(RandomAccessFile&& other) noexcept = default;
RandomAccessFile& RandomAccessFile::operator=(RandomAccessFile&& other) noexcept = default;
RandomAccessFile::~RandomAccessFile() = default;

std::uint64_t RandomAccessFile::Length() const {
    const std::string what_failed = "Cannot read the length of " + windows_path_;
    FailIfInjected(what_failed);
    struct stat info;
    if (fstat(file_->fd, &info) != 0) Throw(errno, what_failed);
    return static_cast<std::uint64_t>(info.st_size);
}

std::size_t RandomAccessFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
    const std::string what_failed = "Cannot read from " + windows_path_;
    FailIfInjected(what_failed);
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            pread(file_->fd, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) Throw(errno, what_failed);
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void RandomAccessFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
    const std::string what_failed = "Cannot write to " + windows_path_;
    FailIfInjected(what_failed);
    const auto* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put =
            pwrite(file_->fd, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) Throw(errno, what_failed);
        done += static_cast<std::size_t>(put);
    }
}

void RandomAccessFile::Truncate(std::uint64_t length) {
    const std::string what_failed = "Cannot change the length of " + windows_path_;
    FailIfInjected(what_failed);
    if (ftruncate(file_->fd, static_cast<off_t>(length)) != 0) Throw(errno, what_failed);
}

void RandomAccessFile::Sync() {
    const std::string what_failed = "Cannot save " + windows_path_ + " to the disk";
    FailIfInjected(what_failed);
    // The bytes and the length are what a reader needs; fsync would also commit the times, which
    // costs a file-system journal commit of its own for a file overwritten in place.
    if (fdatasync(file_->fd) != 0) Throw(errno, what_failed);
}

void RandomAccessFile::Close() {
    if (!file_ || file_->fd < 0) return;
    const std::string what_failed = "Cannot close " + windows_path_;
    // The descriptor is gone after close() whatever it returns, also when the failure is
    // injected, so a retry can never close a descriptor reused by someone else.
    const int fd = std::exchange(file_->fd, -1);
    const bool injected = fault_injection::ShouldFail();
    const int result = close(fd);
    if (injected) Throw(EIO, what_failed);
    if (result != 0 && errno != EINTR) Throw(errno, what_failed);
}

void ReplaceFile(std::string_view source, std::string_view target) {
    const std::string what_failed =
        "Cannot replace " + std::string(target) + " with " + std::string(source);
    const HostLocation from = ResolveWindowsPath(source, what_failed);
    const HostLocation to = ResolveWindowsPath(target, what_failed);
    if (from.windows.drive != to.windows.drive) {
        throw WindowsError(ERROR_NOT_SAME_DEVICE, what_failed);
    }
    if (!from.exists) throw WindowsError(ERROR_FILE_NOT_FOUND, what_failed);
    FailIfInjected(what_failed);
    NoteMoved(from.host, to.host);
    if (std::rename(from.host.c_str(), to.host.c_str()) != 0) Throw(errno, what_failed);
    SyncFolderOf(target);
}

void SyncFolderOf(std::string_view windows_path) {
    const std::string what_failed = "Cannot save the folder of " + std::string(windows_path);
    const HostLocation location = ResolveWindowsPath(windows_path, what_failed);
    const std::filesystem::path folder =
        location.windows.IsDriveRoot() ? location.host : location.host.parent_path();
    FailIfInjected(what_failed);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) Throw(errno, what_failed);
    const int result = fsync(fd);
    const int sync_errno = errno;
    close(fd);
    if (result != 0) Throw(sync_errno, what_failed);
}

}  // namespace platform
