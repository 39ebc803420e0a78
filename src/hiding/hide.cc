#include "hiding/hide.h"

#include <cctype>
#include <optional>
#include <vector>

#include "hiding/hidden_name.h"
#include "hiding/hiding_places.h"
#include "hiding/intent_journal.h"
#include "hiding/item_lists.h"
#include "hiding/journal_check.h"
#include "hiding/operation_journal.h"
#include "hiding/program_data.h"
#include "hiding/recovery.h"
#include "platform/code_page.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/medium.h"
#include "platform/random_access_file.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

using platform::WindowsError;
using Result = HideOutcome::Result;

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

// Why the item cannot be hidden, before anything is touched, or nothing when it may be tried.
// Each refusal guards what Unhide later relies on: the register keeps the path in 200
// single-byte characters, and the item comes back from the hiding place of the drive its path
// names, so it must go into that drive's hiding place; and the program's own data must stay in
// place, or it would carry every record (or the password) into the hiding place with it.
std::optional<std::string> RefusalOf(std::string_view t, std::string_view drive) {
    const std::string path(t);
    if (path.find('\\') == std::string::npos) {
        return "Cannot Hide: type or choose the full path of a file or folder, such as "
               "C:\\Docs\\report.txt";
    }
    if (!platform::RepresentableInAnsi(path)) {
        return "Cannot Hide: the path contains characters the register cannot store, so the "
               "item could not be brought back";
    }
    if (platform::ToAnsi(path).size() > HiddenItemRecord::kItemPathWidth) {
        return "Cannot Hide: the path is longer than 200 characters, more than the register "
               "keeps to bring the item back";
    }
    if (drive.empty() || !SameLetter(path.front(), drive.front())) {
        return "Cannot Hide: " + path + " is not on drive " + std::string(drive) +
               ". Select its drive in the drive list first";
    }
    // A drive root holds the data too, but it never moves: its Hide fails as any failed move.
    const std::optional<platform::WindowsPath> parsed = platform::ParseWindowsPath(path);
    if (parsed && parsed->IsDriveRoot()) return std::nullopt;
    if (CarriesProgramData(path)) {
        return "Cannot Hide: " + path + " holds the program's own data (the register of hidden " +
               "items, " + kRegisterPath + ", the registry or the drive table), which must stay " +
               "where it is";
    }
    // Moved away, an item in a hiding place would leave its record naming an empty place, or
    // take along what other records name.
    if (InAHidingPlace(path)) {
        return "Cannot Hide: " + path + " lies in a hiding place already; only Unhide may move it";
    }
    // Unhide never makes a name the system's own tools cannot reach, so it could not bring back
    // an item that bears one already. A path to nothing is left to fail as any failed move.
    if (const std::optional<std::string> why = platform::WhyCannotHold(path);
        why && platform::ItemExists(path)) {
        return "Cannot Hide: Unhide could not bring " + path + " back, since " + *why;
    }
    return std::nullopt;
}

// A step after the move failed: the item goes back where it was, and the register is made to
// agree with where it now lies, as a crash at this point would be settled. What cannot be
// settled now waits in the journal, parked.
HideOutcome Undo(std::optional<HiddenItemsRegister>& hidden_items, const Intent& intent,
                 const WindowsError& failure) {
    std::optional<std::string> back_failure;
    try {
        // The record may be in the register by now, and a register that names the place must
        // not vouch for the journal once the item is back (operation_journal.h): parked, the
        // journal is settled by the medium alone. Where it cannot be parked the item stays, and
        // settling records it.
        if (!ParkJournal(kJournalPath, intent)) {
            throw WindowsError(platform::ERROR_ALREADY_EXISTS,
                               "another operation cut short on drive " + intent.to.substr(0, 2) +
                                   " waits for its medium already");
        }
        platform::MoveItem(intent.to, intent.from);
        // On the medium before settling removes the journal that still covers it.
        platform::SyncFolderOf(intent.from);
    } catch (const WindowsError& error) {
        if (!platform::ItemExists(intent.from)) back_failure = error.what();
    }
    hidden_items.reset();
    const bool settled = SettleNow();

    const std::string reason = failure.what();
    if (!back_failure) {
        return {settled ? Result::kNotHidden : Result::kUnsettled,
                "Cannot Hide: " + reason + "\n" + intent.from + " was left where it was."};
    }
    if (settled) {
        return {Result::kHidden, intent.from + " is hidden as " + intent.to +
                                     ", although writing its record failed at first: " + reason};
    }
    return {Result::kUnsettled,
            intent.from + " was moved to " + intent.to + ", but its record could not be written: " +
                reason + "\nMoving it back failed too: " + *back_failure + "\nIt now lies at " +
                intent.to + ", and the next opening of the list of hidden items records it."};
}

}  // namespace

HideOutcome Hide(std::string_view item_path, std::string_view drive_text) {
    // The many paths of one operation read the drive table once.
    const platform::DriveTableSnapshot drives;
    if (std::optional<std::string> refusal = RefusalOf(item_path, drive_text)) {
        return {Result::kRefused, *refusal};
    }
    const std::string path(item_path);
    const std::string item_name = path.substr(path.rfind('\\') + 1);

    std::optional<HiddenItemsRegister> hidden_items;
    Intent intent{Intent::Operation::kHide, 0, {}, path, {}};
    try {
        std::vector<Intent> waiting;
        std::vector<HidingPlaceScan> scans;
        hidden_items.emplace(OpenRegister(&waiting, &scans));
        intent.position = hidden_items->RecordCount() + 1;
        if (intent.position > kLastHiddenNumber) {
            return {Result::kRefused,
                    "Cannot Hide: the register already holds 32,767 hidden items, the most it can "
                    "number"};
        }
        std::vector<std::string> waiting_places;
        for (const Intent& earlier : waiting) waiting_places.push_back(earlier.hidden_path());
        const std::optional<int> number =
            FreeHiddenNumber(intent.position, drive_text, hidden_items->ReadAll(), waiting_places,
                             NamesScannedOn(scans, drive_text));
        if (!number) {
            return {Result::kRefused, "Cannot Hide: every hidden name from H" +
                                          std::to_string(intent.position) +
                                          " to H32767 is taken in " + HidePathFor(drive_text, "") +
                                          ", the most the register can number"};
        }
        const std::string hidden_name = HiddenNameFor(*number);
        intent.record = HiddenItemRecord::Make(hidden_name, path, item_name);
        intent.to = HidePathFor(drive_text, hidden_name);
    } catch (const WindowsError& error) {
        return {Result::kRefused, std::string("Cannot Hide: ") + error.what()};
    }
    // A journal that the next opening would not trust must never cover a move; the move it
    // would describe cannot succeed either (a drive text that is no drive letter and colon, a
    // path on no drive, a drive's root).
    if (WhyUntrusted(intent)) return {Result::kMoveFailed, {}};
    try {
        // The medium the item goes to, which alone can settle a crash after the move.
        intent.medium = platform::MediumOf(HidingPlaceOf(intent.to));
    } catch (const WindowsError&) {
        // No medium can be told where the hiding place cannot be looked into, and the move into
        // it would fail for the same reason.
        return {Result::kMoveFailed, {}};
    }
    try {
        WriteJournal(intent);
    } catch (const WindowsError& error) {
        // Nothing has moved, so the journal, whole or in part, says nothing that happened.
        DiscardJournal();
        return {Result::kRefused, std::string("Cannot Hide: ") + error.what()};
    }

    try {
        platform::MoveItem(intent.from, intent.to);
    } catch (const WindowsError&) {
        DiscardJournal();
        return {Result::kMoveFailed, {}};
    }
    try {
        // The move must be on the medium before the record that describes it.
        platform::SyncFolderOf(intent.to);
        hidden_items->WriteRecord(intent.position, intent.record);
    } catch (const WindowsError& error) {
        return Undo(hidden_items, intent, error);
    }
    AddToItsList(intent.to, intent.record);
    ClearJournal();
    try {
        hidden_items->Close();
    } catch (const WindowsError& error) {
        // The record was flushed before the close, so the item is hidden and listed.
        return {Result::kHidden,
                path + " is hidden, but closing the register failed: " + error.what()};
    }
    return {Result::kHidden, {}};
}

}  // namespace hiding
