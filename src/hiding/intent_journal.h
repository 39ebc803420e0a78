// The intent journal: before Hide or Unhide changes anything on disk, it writes here what it is
// about to do, so that whoever opens the register next can finish or undo an operation that a
// crash or power cut interrupted (recovery.h). The register's own format never changes; the
// journal is a file of its own beside it, written and cleared under the register's lock.
//
// A journal holds one intent, little-endian:
//
//   bytes 0-3      "TSJ3", which marks a journal of this format (or "TSJ2", below)
//   byte  4        the operation: 'H' Hide, 'U' Unhide
//   bytes 5-7      zero
//   bytes 8-11     the position: the record number a Hide writes (from 1), or the position an
//                  Unhide removes (from 0)
//   bytes 12-411   the 400-byte record, as the register holds it
//   then           four texts, each as a 2-byte length and that many bytes: the path the item
//                  moves from and the path it moves to (UTF-8), then the medium that holds the
//                  hiding place: its identity (platform/medium.h, opaque bytes) and its label
//                  (UTF-8)
//   last 4 bytes   CRC-32 of every byte before them
//
// Journals written before media were recorded begin with "TSJ1" and end their texts after the
// two paths. They are still read, as intents that name no medium. Journals written before the
// journal was kept in place between operations (operation_journal.h) begin with "TSJ2" and are
// laid out as "TSJ3" ones; only the medium settles them, as it did then.
//
// A journal cut short or garbled by a crash while it was written fails its length or checksum and
// is discarded: it is flushed before anything moves, so nothing had moved yet. A journal whose
// bytes are all zero was cleared by an operation that ran its course, and holds nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/medium.h"
#include "register/hidden_item_record.h"

namespace hiding {

inline constexpr const char* kJournalPath = "c:\\windows\\system32\\tessarn.jnl";

struct Intent {
    enum class Operation : char { kHide = 'H', kUnhide = 'U' };

    Operation operation;
    std::int32_t position;
    HiddenItemRecord record;
    std::string from;  // where the item lies before the move
    std::string to;    // where the move takes it
    // The medium of the hiding place, which alone can tell whether the item moved; nothing for
    // a journal of the first format.
    std::optional<platform::Medium> medium = std::nullopt;
    // Written in place by an operation that keeps the journal between operations ("TSJ3"): its
    // register, once changed, tells that it ran its course (operation_journal.h).
    bool kept_in_place = false;

    // The item's place in the hiding place: where a Hide takes it, where an Unhide finds it.
    const std::string& hidden_path() const { return operation == Operation::kHide ? to : from; }

    bool operator==(const Intent&) const = default;
};

// An intent that names no medium is written in the first format, as it was before media were
// recorded; one that names a medium but was not kept in place, in the second.
std::string EncodeIntent(const Intent& intent);
// Nothing for bytes that are not exactly one whole intent.
std::optional<Intent> DecodeIntent(std::string_view bytes);

// Where the journal of an operation on a drive that was not ready waits for the drive to return:
// one place per drive letter, beside the journal (tessarn-d.jnl).
std::string ParkedJournalPath(char drive_letter);
// Whether a file name (folded to lower case) in the register's folder is the journal or a parked
// one.
bool IsJournalName(std::string_view folded_name);
// The names that a search of the register's folder (platform::ListFilesMatching) narrows to
// before IsJournalName, and before IsDamagedJournalName.
inline constexpr const char* kJournalNamePattern = "tessarn*.jnl";
inline constexpr const char* kDamagedJournalNamePattern = "tessarn-damaged-*.jnl";

// Where a journal that cannot be trusted is set aside (journal_check.h), numbered from 1
// (tessarn-damaged-1.jnl): never settled, kept for the user to look at.
std::string DamagedJournalPath(int number);
// Whether a file name (folded to lower case) in the register's folder is a journal set aside.
bool IsDamagedJournalName(std::string_view folded_name);
// The journals set aside beside the register, in the order of their names.
std::vector<std::string> DamagedJournalPaths();

// Writes the intent over the journal at a path, or into a new one, and flushes it (and the
// folder that gains a new journal), so that it is on the medium before the first move. Throws
// platform::WindowsError.
void WriteIntent(std::string_view journal_path, const Intent& intent);
// What a journal holds: an intent, or nothing. Nothing is either a journal cleared by an operation
// that ran its course (bytes that are all zero, operation_journal.h), or a torn one.
struct JournalContent {
    std::optional<Intent> intent;
    bool cleared = false;
};
// Throws platform::WindowsError when the journal cannot be read.
JournalContent ReadJournal(std::string_view journal_path);
// The intent a journal holds; nothing when the journal is torn or cleared. Throws as ReadJournal.
std::optional<Intent> ReadIntent(std::string_view journal_path);

}  // namespace hiding
