#include "platform/given_path.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/posix/host_path.h"

namespace platform {
namespace fs = std::filesystem;

GivenItem ItemOfGivenPath(std::string_view given) {
    using Found = GivenItem::Found;
    if (given.empty()) return {Found::kMissing, {}};
    std::error_code error;
    fs::path item = fs::absolute(fs::path(given), error).lexically_normal();
    if (error) return {Found::kMissing, {}};
    // A folder's path may end in a separator, which names no further item.
    if (!item.has_filename() && item.has_relative_path()) item = item.parent_path();
    struct stat info;
    if (lstat(item.c_str(), &info) != 0) return {Found::kMissing, {}};

    std::optional<std::string> path;
    if (!S_ISLNK(info.st_mode)) {
        path = WindowsPathOfHost(item);
    } else if (const std::string name = item.filename().string(); SpellableInWindowsPath(name)) {
        // Its folder is followed to where it lies; the link keeps its own name.
        if (std::optional<std::string> folder = WindowsPathOfHost(item.parent_path())) {
            path = *folder + (folder->back() == '\\' ? "" : "\\") + name;
        }
    }
    if (!path) return {Found::kOnNoDrive, {}};
    return {Found::kOnDrive, *path};
}

}  // namespace platform
