// The ready drives' hiding places, and whether a path leads into one. Only Hide and Unhide move
// items in and out of one; an item moved from inside a hiding place would leave a record naming
// an empty place, or take along items that other records name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/item_identity.h"

namespace hiding {

// A ready drive's hiding place, as every ready drive letter that leads to it reaches it.
struct ReadyHidingPlace {
    std::string hiding_place;  // C:\recycled, through the first such letter, upper case
    std::string letters;       // each such letter, lower case: a substituted drive adds one
    platform::ItemIdentity identity;
};

// The hiding places of the ready drives in the order of their letters, each once: a second
// letter for a drive's folder leads to the same folder, which must not be taken for two.
std::vector<ReadyHidingPlace> ReadyHidingPlaces();

// Whether the item at this Windows path is a drive's hiding place or lies inside one (of any
// ready drive), however the path reaches it: another letter case, another drive letter, a link
// inside a drive. Decided by the item identity of the item and of the path's folders, which
// need not exist down to the item itself.
bool InAHidingPlace(std::string_view path);

}  // namespace hiding
