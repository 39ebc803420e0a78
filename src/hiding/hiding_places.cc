#include "hiding/hiding_places.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/drives.h"
#include "platform/item_identity.h"
#include "platform/windows_path.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

using platform::ItemIdentity;

std::vector<ItemIdentity> HidingPlaces() {
    std::vector<ItemIdentity> places;
    for (const platform::Drive& drive : platform::ListReadyDrives()) {
        if (const std::optional<ItemIdentity> place =
                platform::FolderIdentity(HidePathFor(drive.text(), ""))) {
            places.push_back(*place);
        }
    }
    return places;
}

bool IsOneOf(const ItemIdentity& identity, const std::vector<ItemIdentity>& places) {
    return std::find(places.begin(), places.end(), identity) != places.end();
}

}  // namespace

bool InAHidingPlace(std::string_view path) {
    std::optional<platform::WindowsPath> parsed = platform::ParseWindowsPath(path);
    if (!parsed) return false;
    const std::vector<ItemIdentity> places = HidingPlaces();
    if (places.empty()) return false;
    // The item itself is not followed: a link lying in a hiding place lies there.
    const std::optional<platform::ExaminedItem> item = platform::ExamineItem(path);
    if (item && IsOneOf(item->identity, places)) return true;
    // Its folders are, since a folder reached through a link is the folder it leads to. The
    // nearest one that exists decides; the path need not exist down to the item.
    while (!parsed->IsDriveRoot()) {
        parsed->components.pop_back();
        const std::vector<ItemIdentity> folders =
            platform::FolderAndAbove(platform::FormatWindowsPath(*parsed));
        if (folders.empty()) continue;
        return std::any_of(folders.begin(), folders.end(),
                           [&](const ItemIdentity& folder) { return IsOneOf(folder, places); });
    }
    return false;
}

}  // namespace hiding
