// A machine as an earlier Tessarn made it on Linux: drive H:'s hiding place inside the prefix, as
// <prefix>/recycled_h with the default mode, named by a relative link. Made from a machine
// prepared now, with whatever its hiding place holds.
#pragma once

#include <filesystem>

namespace platform_test {

inline void MakeHomeHidingPlaceEarlier(const std::filesystem::path& prefix,
                                       const std::filesystem::path& home) {
    namespace fs = std::filesystem;
    fs::rename(home / ".tessarn-recycled", prefix / "recycled_h");
    fs::permissions(prefix / "recycled_h", fs::perms::owner_all | fs::perms::group_read |
                                               fs::perms::group_exec | fs::perms::others_read |
                                               fs::perms::others_exec);
    fs::remove(prefix / "dosdevices/h:recycled");
    fs::create_directory_symlink("../recycled_h", prefix / "dosdevices/h:recycled");
}

}  // namespace platform_test
