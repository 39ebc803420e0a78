// The hiding place is the folder "recycled" under the root of a drive; hidden items lie there
// under numbered names. The program never creates it: a move into a missing one fails.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "register/hidden_item_record.h"

namespace hiding {

// Hidden names count up from H1 in a signed 16-bit number.
inline constexpr int kLastHiddenNumber = 32767;

// "H" followed by the record number in decimal (H1, H27).
std::string HiddenNameFor(int number);

// The number of a name exactly as Hide gives it: "H" and 1 to 32767 in decimal, without sign,
// leading zeros or spaces. Nothing for any other name (H0, H32768, H01, h5, "H5 ").
std::optional<int> HiddenNumberOf(std::string_view name);
// The same for a name as the file system finds it, in any letter case: h5 finds the item H5.
std::optional<int> HiddenNumberInAnyCase(std::string_view name);

// Where Hide moves an item: the drive list's drive text (c:), "\recycled\", the hidden name.
std::string HidePathFor(std::string_view drive_text, std::string_view hidden_name);

// Where Unhide finds an item: the first character of ItemPath, ":\recycled\", the HiddenName,
// both fields without their pad spaces.
std::string UnhidePathFor(const HiddenItemRecord& record);

}  // namespace hiding
