// Stranded items: items that lie in a hiding place under a name Hide gives (exactly H1 to
// H32767), but that nothing names: no record of the register, no operation waiting for its
// medium, no register of the other view (a 32-bit Tessarn's, left where 64-bit Windows
// redirected it). A lost or replaced register, a journal set aside as damaged, or a drive carried
// over from another machine leaves items so, and without a record nothing could bring them back.
// The hidden-items window finds them as it opens, gives each a record at the end of the register,
// in the order of their numbers, and says which it found and where each goes back. Nothing
// moves until the user unhides one; the next opening lists it from its record as any other.
//
// Where a found item goes back, the first of:
//   1. the path its hiding place's list gives it, on the drive letter the drive has here: an
//      item hidden from D:\Work\plan.txt on a stick that is drive E: here goes to
//      E:\Work\plan.txt;
//   2. the path the record of a journal set aside as damaged gives it;
//   3. "Tessarn found H<n>" at the root of its own drive (E:\Tessarn found H7): a folder Unhide
//      can always reach without the user making one, under a name no item of the user's is
//      likely to have. Should one be there all the same, Unhide refuses as for any item in the
//      way, and the item stays listed.
// Any other name in a hiding place (a FAT drive's Recycle Bin keeps INFO2, Dc1.txt and
// desktop.ini in its "recycled" folder; h5, H05, H0, H32768) is never listed, recorded or moved.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hiding/intent_journal.h"
#include "hiding/item_lists.h"
#include "register/hidden_items_register.h"

namespace hiding {

struct FoundItem {
    enum class Origin {
        kItemList,        // its path is the one its hiding place's list gives
        kDamagedJournal,  // its path is the one a journal set aside as damaged gives
        kUnknown,         // nothing tells where it came from
    };
    std::string hidden_path;  // E:\recycled\H3
    HiddenItemRecord record;  // the record it was given
    Origin origin;
};

struct StrandedItems {
    std::vector<FoundItem> found;        // given a record now, in the order of their records
    int left_out = 0;                    // found, but the register had no room left for them
    std::optional<std::string> failure;  // why none of them could be given a record
};

// Finds the stranded items in the hiding places the opening of the open register scanned and
// gives each its record, flushed as Hide's is, and its list entry. `waiting` is what still
// waits for its medium. Never throws: a failure leaves the items as they were, to be found again.
StrandedItems RecordStrandedItems(HiddenItemsRegister& hidden_items,
                                  std::vector<HidingPlaceScan>& scans,
                                  const std::vector<Intent>& waiting);

// What the hidden-items window tells of them, in whole sentences; nothing when none was found.
std::optional<std::string> DescribeStrandedItems(const StrandedItems& stranded);

}  // namespace hiding
