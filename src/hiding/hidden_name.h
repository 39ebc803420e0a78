// Hidden names: the names items lie under in a drive's hiding place, "H" followed by a number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "register/hidden_item_record.h"
#include "register/hiding_place.h"

namespace hiding {

// Whether a hidden name read back from the register is one plain name inside the hiding place,
// so that joining it onto the hiding place's path can reach nothing else: not made of dots and
// spaces alone (empty, ".", "..", "..."), not ending in a dot (which a path's last name loses),
// and holding no '\', '/', ':' or NUL. Trailing pad spaces are not part of the name.
bool IsPlainHiddenName(std::string_view hidden_name);

// The hiding place that holds a place in it: C:\recycled for C:\recycled\H3.
std::string HidingPlaceOf(std::string_view hidden_path);

// Whether a record names the item at this place in a hiding place (C:\recycled\H3), in any
// letter case, as the file system would find it.
bool RecordNamesPlace(const HiddenItemRecord& record, std::string_view hidden_path);

// The first number from `first` up whose hidden name is free on the drive of `drive_text` (c:):
// neither lying in its hiding place nor named by a record of an item on that drive or by an
// operation still waiting for its medium (`waiting_places`, such as D:\recycled\H1). A name can
// stay taken after the register's count has moved below it (H2 stays with its item when H1 is
// unhidden), so counting alone would hand it out twice. Nothing when every number up to
// kLastHiddenNumber is taken. Where `names_there` is given (the names one look into the hiding
// place found, as an opening of the register makes it), a name lies there when it is among them,
// in any letter case, without asking the file system for each number.
std::optional<int> FreeHiddenNumber(int first, std::string_view drive_text,
                                    const std::vector<HiddenItemRecord>& records,
                                    const std::vector<std::string>& waiting_places,
                                    const std::vector<std::string>* names_there = nullptr);

}  // namespace hiding
