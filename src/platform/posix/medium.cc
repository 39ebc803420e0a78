#include "platform/medium.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/drives.h"
#include "platform/posix/host_error.h"
#include "platform/posix/host_path.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

void PutNumber(std::string& bytes, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

Medium MediumOf(std::string_view folder_path) {
    const std::string what_failed = "Cannot tell which medium holds " + std::string(folder_path);
    const HostLocation location = ResolveWindowsPath(folder_path, what_failed);
    if (!location.exists) throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    struct statx folder;
    if (statx(AT_FDCWD, location.host.c_str(), 0, STATX_TYPE | STATX_INO | STATX_BTIME, &folder) !=
        0) {
        throw WindowsError(WindowsErrorFromErrno(errno), what_failed);
    }
    if (!S_ISDIR(folder.stx_mode)) throw WindowsError(ERROR_PATH_NOT_FOUND, what_failed);
    struct statfs file_system;
    if (statfs(location.host.c_str(), &file_system) != 0) {
        throw WindowsError(WindowsErrorFromErrno(errno), what_failed);
    }

    // f_fsid comes from the file system's own identity where it has one (ext4, btrfs, xfs), so it
    // stays when the medium comes back under another device number; where it is 0 the device
    // number is the best there is.
    std::uint64_t fsid = 0;
    static_assert(sizeof file_system.f_fsid == sizeof fsid);
    std::memcpy(&fsid, &file_system.f_fsid, sizeof fsid);
    if (fsid == 0) fsid = makedev(folder.stx_dev_major, folder.stx_dev_minor);
    const bool born = (folder.stx_mask & STATX_BTIME) != 0;

    std::string identity;
    PutNumber(identity, fsid, 8);
    PutNumber(identity, folder.stx_ino, 8);
    PutNumber(identity, born ? static_cast<std::uint64_t>(folder.stx_btime.tv_sec) : 0, 8);
    PutNumber(identity, born ? folder.stx_btime.tv_nsec : 0, 4);
    const std::optional<Drive> drive = FindDrive(location.windows.drive);
    return Medium(std::move(identity), drive ? drive->label : std::string());
}

}  // namespace platform
