#include "platform/posix/home_drive.h"

#include <sys/stat.h>

#include "platform/drives.h"
#include "platform/posix/drive_links.h"
#include "platform/posix/prefix.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

bool OnOneFileSystem(const fs::path& a, const fs::path& b) {
    struct stat a_info;
    struct stat b_info;
    return stat(a.c_str(), &a_info) == 0 && stat(b.c_str(), &b_info) == 0 &&
           a_info.st_dev == b_info.st_dev;
}

}  // namespace

void MapHomeDrive(const fs::path& machine, std::error_code& error) {
    fs::path home = HomeFolder().lexically_normal();
    if (!home.has_filename()) home = home.parent_path();
    std::error_code not_a_folder;
    if (!home.is_absolute() || home == home.root_path() || !fs::is_directory(home, not_a_folder)) {
        return;
    }
    const fs::path dosdevices = machine / "dosdevices";
    fs::create_directory_symlink(home, dosdevices / "h:", error);
    if (error) return;

    // The link is relative when the hiding place lies in the machine, so that it holds wherever
    // the machine folder is renamed to.
    fs::path hiding_place = machine / "recycled_h";
    fs::path link_target = "../recycled_h";
    if (!OnOneFileSystem(home, machine)) {
        hiding_place = home / ".tessarn-recycled";
        link_target = hiding_place;
    }
    std::error_code cannot_create;
    fs::create_directory(hiding_place, cannot_create);
    if (cannot_create) return;
    fs::create_directory_symlink(link_target, dosdevices / MappedHidingPlaceLinkName('h'), error);
}

}  // namespace platform
