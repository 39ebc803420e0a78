#include "platform/random_access_file.h"

#include <algorithm>
#include <utility>

#include "platform/fault_injection.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_error.h"
#include "platform/win32/system_path.h"
#include "platform/win32/windows_api.h"
#include "platform/windows_error.h"

namespace platform {
namespace {

using win32::FailIfInjected;
using win32::SystemPath;
using win32::ThrowLastError;

// A read or write at a byte offset of a handle opened for synchronous I/O.
OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<::DWORD>(offset);
    overlapped.OffsetHigh = static_cast<::DWORD>(offset >> 32);
    return overlapped;
}

// Each call moves at most this much, a count a DWORD holds.
constexpr std::size_t kLargestTransfer = 1 << 30;

}  // namespace

// The path is kept parsed, for the result codes of failed calls, which depend on its drive.
struct RandomAccessFile::OpenFile {
    WindowsPath path;
    win32::ScopedHandle handle;
};

RandomAccessFile::RandomAccessFile(std::string_view windows_path, IfMissing if_missing)
    : windows_path_(windows_path) {
    const std::string what_failed = "Cannot open the file " + windows_path_;
    auto file = std::make_unique<OpenFile>();
    file->path = win32::ParseOrThrow(windows_path, what_failed);
    FailIfInjected(what_failed);
    // Shared as a file is on Linux: the register's lock, not the handle, keeps two copies apart,
    // and the temporary file must be renamed over the register while others read it.
    file->handle = win32::ScopedHandle(
        CreateFileW(SystemPath(file->path).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    if_missing == IfMissing::kCreateEmpty ? OPEN_ALWAYS : OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file->handle.IsValid()) ThrowLastError(file->path, what_failed);
    file_ = std::move(file);
}

RandomAccessFile::RandomAccessFile(RandomAccessFile&& other) noexcept = default;
RandomAccessFile& RandomAccessFile::operator=(RandomAccessFile&& other) noexcept = default;
// Not counted by the fault injector: a destructor cannot report a failure, and the operations
// that matter for the data were made (and counted) before it.
RandomAccessFile::~RandomAccessFile() = default;

std::uint64_t RandomAccessFile::Length() const {
    const std::string what_failed = "Cannot read the length of " + windows_path_;
    FailIfInjected(what_failed);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_->handle.get(), &size)) ThrowLastError(file_->path, what_failed);
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t RandomAccessFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
    const std::string what_failed = "Cannot read from " + windows_path_;
    FailIfInjected(what_failed);
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        OVERLAPPED at = At(offset + done);
        ::DWORD got = 0;
        const auto wanted = static_cast<::DWORD>(std::min(size - done, kLargestTransfer));
        if (!ReadFile(file_->handle.get(), bytes + done, wanted, &got, &at)) {
            // Reading at or past the end is no failure: there is nothing more.
            if (GetLastError() == ERROR_HANDLE_EOF) break;
            ThrowLastError(file_->path, what_failed);
        }
        if (got == 0) break;
        done += got;
    }
    return done;
}

void RandomAccessFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
    const std::string what_failed = "Cannot write to " + windows_path_;
    FailIfInjected(what_failed);
    const auto* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        OVERLAPPED at = At(offset + done);
        ::DWORD put = 0;
        const auto wanted = static_cast<::DWORD>(std::min(size - done, kLargestTransfer));
        if (!WriteFile(file_->handle.get(), bytes + done, wanted, &put, &at)) {
            ThrowLastError(file_->path, what_failed);
        }
        done += put;
    }
}

void RandomAccessFile::Truncate(std::uint64_t length) {
    const std::string what_failed = "Cannot change the length of " + windows_path_;
    FailIfInjected(what_failed);
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(length);
    if (!SetFileInformationByHandle(file_->handle.get(), FileEndOfFileInfo, &end, sizeof end)) {
        ThrowLastError(file_->path, what_failed);
    }
}

void RandomAccessFile::Sync() {
    const std::string what_failed = "Cannot save " + windows_path_ + " to the disk";
    FailIfInjected(what_failed);
    if (!FlushFileBuffers(file_->handle.get())) ThrowLastError(file_->path, what_failed);
}

void RandomAccessFile::Close() {
    if (!file_ || !file_->handle.IsValid()) return;
    const std::string what_failed = "Cannot close " + windows_path_;
    // The handle is gone after the close whatever it answers, also when the failure is
    // injected, so a retry can never close a handle reused by someone else.
    const bool injected = fault_injection::ShouldFail();
    const bool closed = file_->handle.Close();
    if (injected) throw WindowsError(ERROR_IO_DEVICE, what_failed);
    if (!closed) ThrowLastError(file_->path, what_failed);
}

void ReplaceFile(std::string_view source, std::string_view target) {
    const std::string what_failed =
        "Cannot replace " + std::string(target) + " with " + std::string(source);
    const WindowsPath from = win32::ParseOrThrow(source, what_failed);
    const WindowsPath to = win32::ParseOrThrow(target, what_failed);
    if (from.drive != to.drive) throw WindowsError(ERROR_NOT_SAME_DEVICE, what_failed);
    if (GetFileAttributesW(SystemPath(from).c_str()) == INVALID_FILE_ATTRIBUTES) {
        ThrowLastError(from, what_failed);
    }
    FailIfInjected(what_failed);
    // One rename in the folder, as on Linux. MOVEFILE_WRITE_THROUGH alone would flush only a
    // move made as a copy; the folder is flushed below.
    if (!MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ThrowLastError(to, what_failed);
    }
    SyncFolderOf(target);
}

void SyncFolderOf(std::string_view windows_path) {
    const std::string what_failed = "Cannot save the folder of " + std::string(windows_path);
    const WindowsPath path = win32::ParseOrThrow(windows_path, what_failed);
    const WindowsPath folder = win32::FolderOf(path);
    FailIfInjected(what_failed);
    // A folder is flushed through a handle of its own, which the system gives only with
    // FILE_FLAG_BACKUP_SEMANTICS, and flushes only when it was opened for writing. NTFS then
    // writes the folder's entries; a file system that cannot flush a folder says so with
    // ERROR_INVALID_FUNCTION, and there the move itself is all that can be done.
    const win32::ScopedHandle handle(
        CreateFileW(SystemPath(folder).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.IsValid()) ThrowLastError(folder, what_failed);
    if (!FlushFileBuffers(handle.get()) && GetLastError() != ERROR_INVALID_FUNCTION) {
        ThrowLastError(folder, what_failed);
    }
}

}  // namespace platform
