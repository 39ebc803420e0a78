// The journal of the operation under way, c:\windows\system32\tessarn.jnl (intent_journal.h).
// It stays in place between operations: a Hide or an Unhide writes its intent over it and
// flushes the file, and clears it (every byte zero, the length kept) once it ran its course.
// Only the journal's creation changes the register's folder, so only its first write flushes
// that folder, and a Hide makes three flushes: the journal, the hiding place after the move, the
// register after the record.
//
// Why the order stays safe. Every opening of the register first settles the journal
// (recovery.h): it is missing, cleared, torn (no whole intent: nothing to do) or holds an
// intent, which is finished or rolled back from what the hiding place shows on the medium the
// intent names.
//
// Killed at any step (the system keeps every write the process gave it):
//   - while the intent is written: torn, or whole with nothing moved yet, which settling finds
//     as it is (a Hide's place empty, an Unhide's record and item still there): no change;
//   - after the intent, before the clearing: the intent is whole and settled as always;
//   - while it is cleared: zero, partly zero (torn) or still the intent of an operation that ran
//     its course, which settling finds finished: no change.
//
// Power cut (only what was flushed is sure to be on the medium):
//   - The intent is flushed before the first move. A journal that is there was made by a first
//     write that flushed the folder too, or it survived a restart: its name is on the medium,
//     and overwriting it changes no folder. Settling removes an empty journal, the only one a
//     kill could leave between creating it and writing it.
//   - An intent whose flush had not returned: nothing had moved. The journal may show the
//     cleared bytes, the intent of the operation before (which ran its course), the new intent,
//     or a mix that fails its checksum; none of them leads to a change.
//   - The clearing is never flushed: the journal may come back with the intent of an operation
//     that ran its course. Its move and its register change were flushed before the clearing, so
//     settling it on its medium changes nothing. Where its medium is not in the drive, the
//     register tells instead: a Hide that ran its course left a record naming its place, an
//     Unhide left none. Such a journal is removed on the register's word, never shown as cut
//     short, never left waiting for its medium.
//   - The register's word is good because, for a journal of the last operation written in place
//     (the third format), a register that shows the outcome is on the medium only after the
//     move that makes it true: Hide flushes the hiding place before it writes the record, Unhide
//     flushes the item's folder before it removes the record; a Hide that fails after its move
//     parks its journal (where only the medium settles it) before it moves the item back and
//     undoes the record, while an Unhide that fails after its move has the item back already;
//     and settling such a journal flushes the hiding place before it changes the register.
//   - An operation that stops without anything moved (its journal could not be written, or its
//     move failed) removes the journal and flushes the folder: a journal that came back would
//     show a Hide whose place is empty, or an Unhide whose record stays, which only the medium
//     could tell from one cut short.
//   - Journals of earlier formats and parked journals are settled only on their medium, as
//     before: none of them was written under these rules.
#pragma once

#include <string>

#include "hiding/intent_journal.h"

namespace hiding {

// Writes the intent over the journal, in the third format, and flushes it (WriteIntent). Throws
// platform::WindowsError.
void WriteJournal(Intent intent);

// The operation ran its course and the register holds its outcome, flushed: clears the journal
// without a flush. Failing to clear it is harmless, as a clearing lost in a power cut is.
void ClearJournal();

// The operation stopped with nothing moved (its journal could not be written, or its move
// failed): removes the journal and flushes its folder. Failures are not reported: settling a
// journal left behind finds nothing to do, unless a power cut comes too and its medium is out.
void DiscardJournal();

// Moves the journal at `path` to the place where it waits for its drive's medium
// (ParkedJournalPath), where only that medium settles it. False when another journal waits
// there already. Throws platform::WindowsError when the move fails.
bool ParkJournal(const std::string& path, const Intent& intent);

}  // namespace hiding
