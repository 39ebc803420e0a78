// Item identities of host files, for the Linux stand-ins that know host paths.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "platform/item_identity.h"

namespace platform {

ItemIdentity IdentityOf(const struct stat& info);

// The host folder (links resolved) and every folder above it up to "/", nearest first; none
// when it is no folder that can be found.
std::vector<ItemIdentity> HostFolderAndAbove(const std::filesystem::path& folder);

}  // namespace platform
