// What the hidden-items window tells beside its lists about operations cut short: each one that
// still waits for its drive's medium, naming the drive and the medium as the user knows them,
// each journal set aside as damaged, with why and what it named, and the items found in hiding
// places without a record (stranded_items.h) that the same opening listed again.
#pragma once

#include <string>
#include <vector>

#include "hiding/intent_journal.h"

namespace hiding {

struct JournalNotice {
    enum class Kind {
        kWaiting,  // an interrupted Hide or Unhide waits for its medium to be back in its drive
        kDamaged,  // a journal that could not be trusted was set aside; nothing moved for it
        kFound,    // items without a record were found in hiding places and listed again
    };
    Kind kind;
    std::string drive;     // "D:", the drive it waits for; empty for a damaged journal
    std::string sentence;  // for the user, whole sentences
};

// What an operation waiting for its medium waits for, and what the drive holds now, in whole
// sentences.
std::string DescribeWaiting(const Intent& intent);

// The register's records, in order, and beside them every operation still waiting for its
// medium, then every journal set aside as damaged, in the order of their names, then the items
// found without a record: what the hidden-items window shows, from one opening of the register
// (which settles what can be settled, and gives each item found its record). Throws
// platform::WindowsError when the register cannot be opened.
struct HiddenItemsListing {
    std::vector<HiddenItemRecord> records;
    std::vector<JournalNotice> notices;
};
HiddenItemsListing ListHiddenItemsWithNotices();

// The notices alone.
std::vector<JournalNotice> JournalNotices();

}  // namespace hiding
