// Recovery: the register is opened only through here, and every opening first settles what an
// interrupted Hide or Unhide left in the intent journal (intent_journal.h), so that afterwards
// every item either lies at its own path with no record, or lies in its hiding place with exactly
// one record naming it.
//
// How a journal is settled. A move is one rename, so the item is whole in exactly one place;
// the journal names its place in the hiding place, and what the file system shows there decides:
//   - the hiding place holds the item: the move into it happened (Hide) or the move out did not
//     (Unhide). The item is hidden; it must have its record, which is written when missing.
//   - the hiding place does not hold it: the move into it did not happen (Hide) or the move out
//     did (Unhide). The item is not hidden; a record naming that place is removed.
// Either way the operation is completed or rolled back to the state the file system already
// shows, and settling again changes nothing. A journal that is torn (a crash while it was being
// written) is discarded: it is flushed before the first move, so nothing had moved yet. A whole
// journal that fails the checks of journal_check.h is set aside as damaged, unfollowed.
// Only the medium the operation was made on can tell (the journal names it): while the drive is
// not ready, holds another medium, or its hiding place cannot be read, the journal waits beside
// the register under its drive's letter and is settled at the first opening that finds that
// medium readable in the drive, while the rest of the register stays usable (journal_notices.h
// tells the user what waits). On Linux the hiding place is part of what names the medium, so a
// hiding place removed and made anew is another medium: the journal then waits, which loses
// nothing. A journal of the first format names no medium and is settled against what the drive
// holds, as before. The one exception to waiting: the journal of the last operation, written in
// place, whose clearing a power cut undid; where the register shows that its operation ran its
// course, it is removed without its medium (operation_journal.h says why that is safe). A
// cleared journal holds nothing and stays for the next operation.
#pragma once

#include <vector>

#include "hiding/intent_journal.h"
#include "hiding/item_lists.h"
#include "register/hidden_items_register.h"

namespace hiding {

// Opens the register, under its lock, creating it empty when missing, after settling every
// journal left behind and then mending the list of every ready hiding place (item_lists.h);
// the intents of those journals that still wait for their medium go to `waiting`, and what the
// look into each hiding place saw to `scans`, when they are given. Their places are taken until
// they are settled: another medium in the drive may offer the same hidden name, and a record
// written for it would later name the waiting item too. Throws platform::WindowsError when the
// register cannot be opened or a journal that could be settled cannot be.
HiddenItemsRegister OpenRegister(std::vector<Intent>* waiting = nullptr,
                                 std::vector<HidingPlaceScan>* scans = nullptr);

// The records of the register, in order, as the hidden-items window lists them.
std::vector<HiddenItemRecord> ListHiddenItems();

// Settles the journal of an operation that failed part-way, as a crash there would be settled,
// through a fresh opening of the register; the failed operation must have closed its own. True
// when that opening succeeded; false leaves the journal for the next opening.
bool SettleNow();

}  // namespace hiding
