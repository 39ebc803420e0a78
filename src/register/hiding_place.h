// The hiding place is the folder "recycled" under the root of a drive; hidden items lie there
// under numbered names. The program never creates it: a move into a missing one fails.
#pragma once

#include <string>
#include <string_view>

#include "register/hidden_item_record.h"

namespace hiding {

// "H" followed by the record number in decimal (H1, H27).
std::string HiddenNameFor(int number);

// Where Hide moves an item: the drive list's drive text (c:), "\recycled\", the hidden name.
std::string HidePathFor(std::string_view drive_text, std::string_view hidden_name);

// Where Unhide finds an item: the first character of ItemPath, ":\recycled\", the HiddenName,
// both fields without their pad spaces.
std::string UnhidePathFor(const HiddenItemRecord& record);

}  // namespace hiding
