// A drive's hiding place apart from its folder: the folder "recycled" under the drive's root,
// unless a second link, <prefix>/dosdevices/<letter>:recycled, names another host folder for it,
// one that stays out of the drive folder's own listing (see home_drive.h).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// "h:recycled": the name of the link that maps the hiding place of a drive (lower-case letter).
std::string MappedHidingPlaceLinkName(char letter);

// The host folder a drive's hiding place is mapped to, made absolute; nothing when the drive
// has no such link and its hiding place is the "recycled" folder under its root.
std::optional<std::filesystem::path> MappedHidingPlace(char letter);

}  // namespace platform
