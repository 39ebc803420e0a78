// A journal is data read back from disk, and anyone who can write the register's folder can write
// one with a right checksum. Before it steers the register it is checked as a record is checked:
// one that fails is never followed.
#pragma once

#include <optional>
#include <string>

#include "hiding/intent_journal.h"

namespace hiding {

// Why an intent cannot be trusted, as the end of a sentence for the user; nothing when it can.
// Its hidden place (where a Hide takes the item, where an Unhide finds it) must be
// <drive>:\recycled\<name> on the drive of the item's own path, with the name a Hide gives
// (H and a number from 1 to 32,767) or, for an Unhide, a hidden name that Unhide trusts in a
// record; the item's path must be a path on a drive below its root; and the intent's record
// must name both that place and that path.
std::optional<std::string> WhyUntrusted(const Intent& intent);

}  // namespace hiding
