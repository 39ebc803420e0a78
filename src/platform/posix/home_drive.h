// The user's home folder as drive H:, made on the first start of a machine.
//
// Its hiding place must work at once, keep a Hide to one rename (so it lies on the home folder's
// own file system) and stay out of the home folder's listing, where a folder "recycled" would
// show in every file manager. So it is mapped apart from the drive's folder, by the link
//   <prefix>/dosdevices/h:recycled -> ../recycled_h         the prefix shares home's file system
//   <prefix>/dosdevices/h:recycled -> ~/.tessarn-recycled   it does not: a hidden folder in home
// while through Windows paths it is H:\recycled, as on every drive.
#pragma once

#include <filesystem>
#include <system_error>

namespace platform {

// Adds drive H: for the home folder to a machine being built in `machine` (a folder with
// dosdevices/, renamed into place as the prefix afterwards). Maps nothing when the home folder
// is the host's root, which drive Z: shows already, or is no folder. A home folder that cannot
// hold a hiding place still gets its drive, like a drive whose hiding place is missing.
void MapHomeDrive(const std::filesystem::path& machine, std::error_code& error);

}  // namespace platform
