// Each hiding place's list of its items (register/item_list.h) kept in step with the register:
// Hide adds an item's entry after its record is written, Unhide removes it after the record is
// gone, and every opening of the register mends what a crash between the two, or anything else,
// left behind. After an opening, the list of every ready drive's hiding place holds:
//   - every record of the register whose item lies in that hiding place;
//   - every entry it held before whose item still lies there, even where this machine's register
//     does not name it: that entry is what lets the item be found again (stranded_items.h);
//   - nothing else: one entry per hidden name, this machine's record where it has one.
// The list is written only when that differs from what it holds, so an opening that finds it in
// step reads it and writes nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "register/hidden_item_record.h"
#include "register/hidden_items_register.h"

namespace hiding {

// What one look into a hiding place saw, for the opening that made it.
struct HidingPlaceScan {
    std::string hiding_place;  // C:\recycled, through the first drive letter that reaches it
    // Every ready drive letter whose hiding place this is, lower case: a second letter for a
    // drive's folder (a substituted drive) reaches the same hiding place and the same list.
    std::string letters;
    std::vector<std::string> names;      // its items whose names begin with H, in any case
    std::vector<HiddenItemRecord> list;  // its list as the opening left it
};

// Looks once into the hiding place of every ready drive and mends its list against the open
// register. A hiding place that cannot be read, or whose list cannot be, is left as it is and not
// scanned, and so are all where the register cannot be read; a list that cannot be written is
// mended at a later opening. Never throws: the register opens whatever the lists say.
std::vector<HidingPlaceScan> MendItemLists(const HiddenItemsRegister& hidden_items);

// Mends one scanned list again, after records were added to the register.
void MendItemList(HidingPlaceScan& scan, const std::vector<HiddenItemRecord>& records);

// The names the scan of a drive's hiding place found (drive_text: c:); nothing when that hiding
// place was not scanned.
const std::vector<std::string>* NamesScannedOn(const std::vector<HidingPlaceScan>& scans,
                                               std::string_view drive_text);

// Whether the first letter of a record's item path is one of these drive letters.
bool OnOneOf(const HiddenItemRecord& record, std::string_view letters);

// Hide's and Unhide's steps on the list of the hiding place that holds `hidden_path`
// (C:\recycled\H3). The register is the truth: a failure here is mended by the next opening and
// is not reported. Unhide's step finds the entry in what the opening's scan found, without
// reading the list again; a hiding place the opening could not scan is left to the next one.
void AddToItsList(std::string_view hidden_path, const HiddenItemRecord& record);
void RemoveFromItsList(std::string_view hidden_path, const std::vector<HidingPlaceScan>& scans);

}  // namespace hiding
