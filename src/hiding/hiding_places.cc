#include "hiding/hiding_places.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "hiding/hidden_name.h"
#include "platform/drives.h"
#include "platform/item_identity.h"
#include "platform/windows_path.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

using platform::ItemIdentity;

bool IsOneOf(const ItemIdentity& identity, const std::vector<ReadyHidingPlace>& places) {
    return std::any_of(places.begin(), places.end(),
                       [&](const ReadyHidingPlace& place) { return place.identity == identity; });
}

}  // namespace

std::vector<ReadyHidingPlace> ReadyHidingPlaces() {
    std::vector<ReadyHidingPlace> places;
    for (const platform::Drive& drive : platform::ListReadyDrives()) {
        std::string hiding_place = HidingPlaceOf(HidePathFor(drive.text(), ""));
        hiding_place.front() = static_cast<char>(std::toupper(drive.letter));
        const std::optional<ItemIdentity> identity = platform::FolderIdentity(hiding_place);
        if (!identity) continue;
        const auto same = std::find_if(places.begin(), places.end(), [&](const auto& place) {
            return place.identity == *identity;
        });
        if (same != places.end()) {
            same->letters += drive.letter;
        } else {
            places.push_back({std::move(hiding_place), std::string(1, drive.letter), *identity});
        }
    }
    return places;
}

bool InAHidingPlace(std::string_view path) {
    std::optional<platform::WindowsPath> parsed = platform::ParseWindowsPath(path);
    if (!parsed) return false;
    const std::vector<ReadyHidingPlace> places = ReadyHidingPlaces();
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
