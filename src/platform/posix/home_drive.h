// The user's home folder as drive H:, made on the first start of a machine:
//   <prefix>/dosdevices/h: -> ~
//   <prefix>/dosdevices/h:recycled -> ~/.tessarn-recycled
// Its hiding place is mapped apart from the drive's folder (home_hiding_place.h says where and
// why), while through Windows paths it is H:\recycled, as on every drive.
#pragma once

#include <filesystem>
#include <system_error>

namespace platform {

// Adds drive H: for the home folder to a machine being built in `machine` (a folder with
// dosdevices/, renamed into place as the prefix afterwards). Maps nothing when the home folder
// is the host's root, which drive Z: shows already, or is no folder. A hiding place that is there
// already, left by an earlier machine, is taken as it is. A home folder that cannot hold one
// still gets its drive, like a drive whose hiding place is missing.
void MapHomeDrive(const std::filesystem::path& machine, std::error_code& error);

}  // namespace platform
