#include "hiding/unhide.h"

#include <optional>
#include <vector>

#include "hiding/hidden_name.h"
#include "hiding/hiding_places.h"
#include "hiding/intent_journal.h"
#include "hiding/item_lists.h"
#include "hiding/journal_check.h"
#include "hiding/journal_notices.h"
#include "hiding/operation_journal.h"
#include "hiding/recovery.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/medium.h"
#include "platform/random_access_file.h"
#include "platform/windows_error.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

using platform::WindowsError;
using Result = UnhideOutcome::Result;

const std::string kStays = "\nIt stays in the list of hidden items.";

// Why the hiding place that should hold the item cannot be looked into, or nothing when it can
// (or is gone): an item behind a folder that refuses to be read is not an item lost.
std::optional<std::string> UnreadableHidingPlace(const std::string& hidden_path) {
    const std::string hiding_place = HidingPlaceOf(hidden_path);
    try {
        platform::ListFiles(hiding_place);
    } catch (const WindowsError& error) {
        if (error.code() != platform::ERROR_PATH_NOT_FOUND) {
            return "the hiding place " + hiding_place +
                   " cannot be read: " + platform::DescribeWindowsError(error.code());
        }
    }
    return std::nullopt;
}

// Why an item could not be moved back, in the user's terms; the record is kept in every case,
// so the item stays listed and can be unhidden once the cause is mended.
std::string WhyNotBack(const HiddenItemRecord& record, const WindowsError& error) {
    const std::string hidden_path = UnhidePathFor(record);
    const std::string path = record.item_path();
    std::string reason;
    if (error.code() == platform::ERROR_NOT_READY) {
        // A medium taken out must not read as an item lost: it comes back with the medium.
        reason = "drive " + path.substr(0, 2) + " is not ready. Insert its medium and try again.";
    } else if (const std::optional<std::string> unreadable = UnreadableHidingPlace(hidden_path)) {
        reason = *unreadable;
    } else if (!platform::ItemExists(hidden_path)) {
        // Told before the move's own reason: with the hiding place itself gone, the move reports
        // a missing folder, which would read as the folder the item came from.
        reason = "it is no longer in the hiding place as " + hidden_path + ".";
    } else if (error.code() == platform::ERROR_PATH_NOT_FOUND) {
        reason = "the folder it came from no longer exists (" + path + ").";
    } else if (error.code() == platform::ERROR_ALREADY_EXISTS) {
        reason = "an item named " + path + " is already there.";
    } else {
        reason = error.what();
    }
    return "Cannot unhide " + record.item_name() + ": " + reason + kStays;
}

}  // namespace

UnhideOutcome Unhide(int position, std::string_view shown_name, std::string_view shown_path) {
    // The many paths of one operation read the drive table once.
    const platform::DriveTableSnapshot drives;
    std::optional<HiddenItemsRegister> hidden_items;
    HiddenItemRecord record;
    std::vector<Intent> waiting;
    std::vector<HidingPlaceScan> scans;
    try {
        hidden_items.emplace(OpenRegister(&waiting, &scans));
        // Another running copy may have removed records since the list was filled.
        if (position >= hidden_items->RecordCount()) return {Result::kListChanged, {}};
        record = hidden_items->ReadRecordAt(position);
    } catch (const WindowsError& error) {
        return {Result::kRefused,
                std::string("Cannot read the hidden item's record.\n") + error.what()};
    }
    if (record.item_name() != shown_name || record.item_path() != shown_path) {
        return {Result::kListChanged, {}};
    }
    // A record whose path leads into a hiding place would move the item from one place in it to
    // another, and its record would go while the item stayed hidden.
    if (InAHidingPlace(record.item_path())) {
        return {Result::kRefused, "Cannot unhide " + record.item_name() +
                                      ": its record is damaged; its path " + record.item_path() +
                                      " lies in a hiding place. Nothing was moved." + kStays};
    }
    // The record steers a move: a hidden name that is not one plain name could reach out of
    // the hiding place and move an item that was never hidden.
    if (!IsPlainHiddenName(record.hidden_name())) {
        return {Result::kRefused,
                "Cannot unhide " + record.item_name() +
                    ": its record is damaged; its hidden name \"" + record.hidden_name() +
                    "\" names no item in a hiding place. Nothing was moved." + kStays};
    }
    // A record made where the path was allowed (on Linux, from a stick) may name one this system
    // reserves; brought back there, the item would be out of reach of the system's own tools.
    if (const std::optional<std::string> why = platform::WhyCannotHold(record.item_path())) {
        return {Result::kRefused, "Cannot unhide " + record.item_name() +
                                      ": this system cannot hold the path " + record.item_path() +
                                      ", since " + *why + ". Nothing was moved; the item lies in " +
                                      UnhidePathFor(record) + "." + kStays};
    }

    // An operation cut short on this place waits for the medium it was made on; until it is
    // settled, what another medium holds under the same name is not this item.
    for (const Intent& earlier : waiting) {
        if (RecordNamesPlace(record, earlier.hidden_path())) {
            return {Result::kRefused, "Cannot unhide " + record.item_name() + " now. " +
                                          DescribeWaiting(earlier) + kStays};
        }
    }

    Intent intent{Intent::Operation::kUnhide, position, record, UnhidePathFor(record),
                  record.item_path()};
    // Nor a record whose journal the next opening would not trust: a crash after the move would
    // then leave its record behind.
    if (const std::optional<std::string> why = WhyUntrusted(intent)) {
        return {Result::kRefused, "Cannot unhide " + record.item_name() +
                                      ": its record is damaged; " + *why + ". Nothing was moved." +
                                      kStays};
    }
    try {
        intent.medium = platform::MediumOf(HidingPlaceOf(intent.from));
    } catch (const WindowsError& error) {
        // The hiding place cannot be looked into (a drive without its medium, a hiding place
        // gone), so the move out of it would fail for the same reason.
        hidden_items.reset();
        return {Result::kNotBack, WhyNotBack(record, error)};
    }
    try {
        WriteJournal(intent);
    } catch (const WindowsError& error) {
        DiscardJournal();
        return {Result::kRefused,
                "Cannot unhide " + record.item_name() + ": " + error.what() + kStays};
    }
    try {
        platform::MoveItem(intent.from, intent.to);
    } catch (const WindowsError& error) {
        DiscardJournal();
        hidden_items.reset();
        return {Result::kNotBack, WhyNotBack(record, error)};
    }

    try {
        // The move back must be on the medium before the record that kept it hidden is gone.
        platform::SyncFolderOf(intent.to);
        hidden_items->RemoveRecordAt(position);
    } catch (const WindowsError& error) {
        // The item is back; settling removes its record as a crash here would have it removed.
        hidden_items.reset();
        if (SettleNow()) return {Result::kUnhidden, {}};
        return {Result::kUnsettled,
                record.item_name() + " is back at " + intent.to +
                    ", but its record could not be removed from the list of hidden items: " +
                    error.what() + "\nThe list is put right the next time it is opened."};
    }
    RemoveFromItsList(intent.from, scans);
    ClearJournal();
    try {
        hidden_items->Close();
    } catch (const WindowsError& error) {
        // The removal was flushed before the close, so the item is back and no longer listed.
        return {Result::kUnhidden, record.item_name() + " is back at " + intent.to +
                                       ", but closing the register failed: " + error.what()};
    }
    return {Result::kUnhidden, {}};
}

}  // namespace hiding
