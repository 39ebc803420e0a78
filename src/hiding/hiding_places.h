// Whether a path leads into a hiding place. Only Hide and Unhide move items in and out of one;
// an item moved from inside a hiding place would leave a record naming an empty place, or take
// along items that other records name.
#pragma once

#include <string_view>

namespace hiding {

// Whether the item at this Windows path is a drive's hiding place or lies inside one (of any
// ready drive), however the path reaches it: another letter case, another drive letter, a link
// inside a drive. Decided by the item identity of the item and of the path's folders, which
// need not exist down to the item itself.
bool InAHidingPlace(std::string_view path);

}  // namespace hiding
