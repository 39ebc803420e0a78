// Unhide as an operation: moves the item of one register position from its hiding place back to
// its recorded path and removes its record, or tells why not. It shows nothing; the hidden-items
// window turns its outcome into a message and the lists' update.
//
// The item goes back first and its record is removed only after it is back, so that an item lies
// in the hiding place exactly while a record names it; the intent journal covers the moment
// between the two (operation_journal.h). The register stays open and locked from reading the
// record to removing it.
#pragma once

#include <string>
#include <string_view>

namespace hiding {

struct UnhideOutcome {
    enum class Result {
        kUnhidden,     // back at its path, record removed; `message` is a note or empty
        kListChanged,  // the position no longer holds the item shown; nothing was done
        kRefused,      // nothing was moved and the record stays; `message` says why
        kNotBack,      // the move back failed; the record stays; `message` says why
        kUnsettled,    // back at its path, but the record could not be removed yet; `message`
                       // says so; the next opening of the register settles it
    };
    Result result;
    std::string message;
};

// Unhides the item at register position `position` (from 0), which the window shows with this
// name and path; another running copy may have changed the register since.
UnhideOutcome Unhide(int position, std::string_view shown_name, std::string_view shown_path);

}  // namespace hiding
