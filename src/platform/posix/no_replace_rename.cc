#include "platform/posix/no_replace_rename.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform {
namespace {

// glibc has wrapped the call only since 2.28; older ones reach the kernel directly.
int CallRenameNoReplace(const char* from, const char* to) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    return renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
#else
    constexpr unsigned kRenameNoReplace = 1;
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, kRenameNoReplace));
#endif
}

}  // namespace

int RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (CallRenameNoReplace(from.c_str(), to.c_str()) == 0) return 0;
    const int rename_errno = errno;
    // EINVAL: the file system does not know the flag; ENOSYS: the kernel does not know the call.
    if (rename_errno == EINVAL || rename_errno == ENOSYS) return RenameNoReplaceFallback(from, to);
    return rename_errno;
}

int RenameNoReplaceFallback(const std::filesystem::path& from, const std::filesystem::path& to) {
    struct stat info;
    if (lstat(from.c_str(), &info) != 0) return errno;
    if (!S_ISDIR(info.st_mode)) {
        // link() refuses an existing target in one step, so a file is never overwritten.
        if (link(from.c_str(), to.c_str()) == 0) {
            if (unlink(from.c_str()) == 0) return 0;
            const int unlink_errno = errno;
            unlink(to.c_str());
            return unlink_errno;
        }
        // A file system without hard links (FAT) leaves only the check below.
        if (errno != EPERM && errno != EOPNOTSUPP) return errno;
    }
    // Folders cannot be hard-linked, so the target is checked and then renamed onto. Another
    // process that creates the target between the two steps wins the race: an empty folder it
    // made there is replaced by ours, and on a file system without hard links a file it made
    // there is overwritten. Only file systems that refuse RENAME_NOREPLACE take this road.
    if (lstat(to.c_str(), &info) == 0) return EEXIST;
    if (errno != ENOENT) return errno;
    if (std::rename(from.c_str(), to.c_str()) != 0) return errno;
    return 0;
}

}  // namespace platform
