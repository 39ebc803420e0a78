// Hide as an operation: moves a file or folder into the hiding place of its drive under a free
// hidden name and records it in the register, or tells why not. It shows nothing; the main
// window turns its outcome into a message and the lists' update.
//
// Order of steps, each guarding the promise that an item lies in its hiding place exactly while
// one record names it:
//   1. refuse, before touching anything, an item that Unhide could not bring back;
//   2. open the register (settling any interrupted operation) and keep it, locked, to the end;
//   3. take the hidden name: "H" and the record count + 1, or the next free number above it;
//   4. write the intent over the journal and flush it;
//   5. move the item;
//   6. flush the hiding place and write the record at count + 1, flushed;
//   7. clear the journal, unflushed, and close the register (operation_journal.h tells why
//      these three flushes are enough).
// A failure after step 5 is rolled back at once (the journal is parked, the item goes back); what
// cannot be rolled back is left in the journal for the next opening of the register to settle.
#pragma once

#include <string>
#include <string_view>

namespace hiding {

struct HideOutcome {
    enum class Result {
        kHidden,      // in the hiding place with its record; `message` is a note or empty
        kRefused,     // nothing was touched; `message` says why
        kMoveFailed,  // the move into the hiding place failed; nothing was moved or recorded
        kNotHidden,   // a step after the move failed and the item is back; `message` says why
        kUnsettled,   // a step after the move failed and could not yet be undone or finished;
                      // `message` says where the item lies; the next opening settles it
    };
    Result result;
    std::string message;
};

// Hides the item at `item_path` (as the main window's text box holds it) into the hiding place
// of the drive whose text the drive list shows (`drive_text`, such as c:).
HideOutcome Hide(std::string_view item_path, std::string_view drive_text);

}  // namespace hiding
