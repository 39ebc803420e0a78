#include "platform/posix/home_drive.h"

#include <sys/stat.h>

#include "platform/posix/drive_links.h"
#include "platform/posix/home_hiding_place.h"
#include "platform/posix/prefix.h"

namespace platform {
namespace fs = std::filesystem;

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

    // Hidden items are the owner's alone, as they were in the machine folder; a hiding place that
    // is there already keeps its mode and everything in it.
    const fs::path hiding_place = HomeHidingPlace(home);
    mkdir(hiding_place.c_str(), S_IRWXU);
    fs::create_directory_symlink(hiding_place, dosdevices / MappedHidingPlaceLinkName('h'), error);
}

}  // namespace platform
