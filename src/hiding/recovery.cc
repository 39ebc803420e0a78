#include "hiding/recovery.h"

#include <optional>
#include <string>

#include "hiding/hidden_name.h"
#include "hiding/journal_check.h"
#include "hiding/operation_journal.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/medium.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"

namespace hiding {
namespace {

using platform::WindowsError;

enum class Presence { kPresent, kAbsent, kUnknown };
enum class Settlement { kSettled, kCannotTell };

// Whether the item lies at a place in a hiding place. Absence is certain only where the folder
// that would hold it can be read: a place that cannot be looked at is not empty.
Presence PresenceAt(const std::string& hidden_path) {
    if (platform::ItemExists(hidden_path)) return Presence::kPresent;
    const std::string hiding_place = HidingPlaceOf(hidden_path);
    try {
        platform::ListFiles(hiding_place);
        return Presence::kAbsent;
    } catch (const WindowsError& error) {
        if (error.code() != platform::ERROR_PATH_NOT_FOUND) return Presence::kUnknown;
    }
    // No hiding place at all holds nothing, where the drive's root can be read.
    try {
        platform::ListFiles(hiding_place.substr(0, hiding_place.rfind('\\') + 1));
        return Presence::kAbsent;
    } catch (const WindowsError&) {
        return Presence::kUnknown;
    }
}

// Whether the drive holds the medium the operation was made on. Only that medium can tell
// whether the item moved: on another one put in the same drive, an empty hiding place says
// nothing about it. A journal of the first format names no medium and is taken at its word.
bool OnItsMedium(const Intent& intent) {
    if (!intent.medium) return true;
    try {
        return platform::MediumOf(HidingPlaceOf(intent.hidden_path())) == *intent.medium;
    } catch (const WindowsError&) {
        return false;
    }
}

// Whether the register shows that the operation ran its course: a Hide leaves a record naming its
// place, an Unhide none (operation_journal.h tells when that is the register's word to trust).
bool RegisterShowsItRan(const Intent& intent, const std::vector<int>& naming) {
    return (intent.operation == Intent::Operation::kHide) != naming.empty();
}

// Makes the open register agree with the hiding place about the intent's one item; `last` as for
// SettleJournalAt.
Settlement SettleIntent(HiddenItemsRegister& hidden_items, const Intent& intent, bool last) {
    const std::vector<HiddenItemRecord> records = hidden_items.ReadAll();
    std::vector<int> naming;
    for (int position = 0; position < static_cast<int>(records.size()); ++position) {
        if (RecordNamesPlace(records[position], intent.hidden_path())) naming.push_back(position);
    }
    const bool vouched_for = last && intent.kept_in_place;
    const Presence presence =
        OnItsMedium(intent) ? PresenceAt(intent.hidden_path()) : Presence::kUnknown;
    if (presence == Presence::kUnknown) {
        return vouched_for && RegisterShowsItRan(intent, naming) ? Settlement::kSettled
                                                                 : Settlement::kCannotTell;
    }

    const bool change = (presence == Presence::kPresent) == naming.empty();
    // What the hiding place shows must be on the medium before a register that would vouch for
    // it; a hiding place gone holds nothing to flush.
    if (change && vouched_for && platform::FolderExists(HidingPlaceOf(intent.hidden_path()))) {
        try {
            platform::SyncFolderOf(intent.hidden_path());
        } catch (const WindowsError&) {
            return Settlement::kCannotTell;
        }
    }
    if (presence == Presence::kPresent) {
        if (naming.empty()) {
            hidden_items.WriteRecord(static_cast<int>(records.size()) + 1, intent.record);
        }
    } else {
        // From the back, so that the positions still to remove do not move.
        for (auto position = naming.rbegin(); position != naming.rend(); ++position) {
            hidden_items.RemoveRecordAt(*position);
        }
    }
    return Settlement::kSettled;
}

// Moves a journal that cannot be trusted out of the way, under a name that says it is damaged,
// where nothing settles it again and the user can look at it (journal_notices.h). Where that
// fails it stays, to be checked and refused again at the next opening; the register opens
// either way.
void SetAside(const std::string& path) {
    // Far more than any machine will see; past them a damaged journal is refused where it lies.
    constexpr int kMostSetAside = 999;
    for (int number = 1; number <= kMostSetAside; ++number) {
        const std::string damaged = DamagedJournalPath(number);
        try {
            platform::MoveItem(path, damaged);
            platform::SyncFolderOf(damaged);
            return;
        } catch (const WindowsError& error) {
            if (error.code() != platform::ERROR_ALREADY_EXISTS) return;
        }
    }
}

// Settles the journal at `path`. `last` is set for the journal of the last operation, which an
// operation that ran its course leaves cleared, which the register may vouch for, and which
// moves to its drive's parked place when it cannot be told yet; a parked one stays where it is.
// A journal that cannot be told yet goes to `waiting`.
void SettleJournalAt(HiddenItemsRegister& hidden_items, const std::string& path, bool last,
                     std::vector<Intent>& waiting) {
    const JournalContent content = ReadJournal(path);
    const std::optional<Intent>& intent = content.intent;
    if (intent && WhyUntrusted(*intent)) {
        SetAside(path);
        return;
    }
    if (last && content.cleared) return;
    if (!intent || SettleIntent(hidden_items, *intent, last) == Settlement::kSettled) {
        platform::DeleteFileAt(path);
        return;
    }
    waiting.push_back(*intent);
    if (last && !ParkJournal(path, *intent)) {
        throw WindowsError(platform::ERROR_NOT_READY,
                           "Cannot settle the interrupted operation on " + intent->hidden_path() +
                               ": its hiding place cannot be read, and another interrupted "
                               "operation on that drive waits for it already. Put the drive's "
                               "medium back, or make its hiding place readable, and try again");
    }
}

void SettleJournals(HiddenItemsRegister& hidden_items, std::vector<Intent>& waiting) {
    // One search of the register's folder finds the journal and every parked one, without
    // reading the names of the thousands of other files a system folder holds.
    std::vector<std::string> journals;
    for (const std::string& name :
         platform::ListFilesMatching(kRegisterFolder, kJournalNamePattern)) {
        const std::string folded = platform::FoldCase(name);
        if (IsJournalName(folded)) journals.push_back(folded);
    }
    // Parked journals first: one whose drive has come back frees its place for the journal of
    // the last operation, should that one have to wait for the same drive.
    for (const std::string& name : journals) {
        const std::string path = std::string(kRegisterFolder) + "\\" + name;
        if (name != "tessarn.jnl") SettleJournalAt(hidden_items, path, false, waiting);
    }
    for (const std::string& name : journals) {
        if (name == "tessarn.jnl") SettleJournalAt(hidden_items, kJournalPath, true, waiting);
    }
}

}  // namespace

HiddenItemsRegister OpenRegister(std::vector<Intent>* waiting,
                                 std::vector<HidingPlaceScan>* scans) {
    // The many paths of one operation read the drive table once.
    const platform::DriveTableSnapshot drives;
    HiddenItemsRegister hidden_items = HiddenItemsRegister::Open();
    std::vector<Intent> still_waiting;
    SettleJournals(hidden_items, still_waiting);
    std::vector<HidingPlaceScan> seen = MendItemLists(hidden_items);
    if (waiting != nullptr) *waiting = std::move(still_waiting);
    if (scans != nullptr) *scans = std::move(seen);
    return hidden_items;
}

std::vector<HiddenItemRecord> ListHiddenItems() {
    HiddenItemsRegister hidden_items = OpenRegister();
    std::vector<HiddenItemRecord> records = hidden_items.ReadAll();
    hidden_items.Close();
    return records;
}

bool SettleNow() {
    try {
        OpenRegister().Close();
        return true;
    } catch (const WindowsError&) {
        return false;
    }
}

}  // namespace hiding
