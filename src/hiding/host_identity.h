// Host identity: the device and inode that tell one file or folder from another however a path
// reaches it (another letter case, another drive letter, a link inside a drive).
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <vector>

namespace hiding {

struct HostIdentity {
    dev_t device;
    ino_t inode;

    static HostIdentity Of(const struct stat& info) { return {info.st_dev, info.st_ino}; }
    bool operator==(const HostIdentity&) const = default;
};

// The identities of `folder` (links resolved) and of every folder above it, up to the root;
// none when it cannot be found.
std::vector<HostIdentity> FolderAndAbove(const std::filesystem::path& folder);

}  // namespace hiding
