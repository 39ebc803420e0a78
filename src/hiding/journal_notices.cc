#include "hiding/journal_notices.h"

#include <cctype>
#include <optional>

#include "hiding/hidden_name.h"
#include "hiding/intent_journal.h"
#include "hiding/journal_check.h"
#include "hiding/recovery.h"
#include "hiding/stranded_items.h"
#include "platform/file_system.h"
#include "platform/medium.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

using platform::WindowsError;

std::string MediumInWords(const platform::Medium& medium) {
    if (medium.label().empty()) return "the medium with serial number " + medium.SerialText();
    return "the medium labelled \"" + medium.label() + "\", serial number " + medium.SerialText();
}

// Why the drive cannot settle the operation now, as the user can see it.
std::string WhatTheDriveHoldsNow(const Intent& intent, const std::string& drive) {
    const std::string hiding_place = HidingPlaceOf(intent.hidden_path());
    try {
        const platform::Medium now = platform::MediumOf(hiding_place);
        if (intent.medium && now != *intent.medium) {
            return "Another medium is in the drive now: " + MediumInWords(now) + ".";
        }
        return "Its hiding place " + hiding_place + " cannot be read now.";
    } catch (const WindowsError& error) {
        if (error.code() == platform::ERROR_NOT_READY) {
            return "Drive " + drive + " is not ready now.";
        }
        return "Its hiding place " + hiding_place +
               " cannot be read now: " + platform::DescribeWindowsError(error.code());
    }
}

std::string DriveOf(const Intent& intent) {
    const char letter = intent.hidden_path().empty() ? '?' : intent.hidden_path().front();
    return {static_cast<char>(std::toupper(static_cast<unsigned char>(letter))), ':'};
}

JournalNotice Damaged(const std::string& path) {
    std::string sentence = "The journal of an interrupted operation, set aside as " + path + ", ";
    std::optional<Intent> intent;
    try {
        intent = ReadIntent(path);
    } catch (const WindowsError&) {
    }
    const std::optional<std::string> why = intent ? WhyUntrusted(*intent) : std::nullopt;
    sentence += why ? "is damaged: " + *why + "." : "is damaged.";
    sentence += " Nothing was moved or recorded because of it.";
    if (intent) {
        sentence += " It named the item " +
                    (intent->operation == Intent::Operation::kHide ? intent->from : intent->to) +
                    " and the hidden place \"" + intent->hidden_path() + "\".";
        // What the journal says beside its record may be what was damaged: the record names
        // where its own item lies, and an item found there is listed again.
        const std::string recorded = UnhidePathFor(intent->record);
        if (!platform::EqualIgnoringCase(recorded, intent->hidden_path())) {
            sentence += " Its own record names the hidden place \"" + recorded +
                        "\", where its item lies if it was moved.";
        }
    }
    return {JournalNotice::Kind::kDamaged, {}, sentence};
}

}  // namespace

std::string DescribeWaiting(const Intent& intent) {
    const std::string drive = DriveOf(intent);
    const bool hide = intent.operation == Intent::Operation::kHide;
    std::string sentence = (hide ? "Hiding " + intent.from : "Unhiding " + intent.to) +
                           " was cut short. It is finished once drive " + drive;
    sentence += intent.medium ? " holds " + MediumInWords(*intent.medium) + " again. "
                              : " is ready again. ";
    return sentence + WhatTheDriveHoldsNow(intent, drive);
}

HiddenItemsListing ListHiddenItemsWithNotices() {
    std::vector<Intent> waiting;
    std::vector<HidingPlaceScan> scans;
    HiddenItemsRegister hidden_items = OpenRegister(&waiting, &scans);
    const StrandedItems stranded = RecordStrandedItems(hidden_items, scans, waiting);
    HiddenItemsListing listing{hidden_items.ReadAll(), {}};
    std::vector<JournalNotice>& notices = listing.notices;
    for (const Intent& intent : waiting) {
        notices.push_back(
            {JournalNotice::Kind::kWaiting, DriveOf(intent), DescribeWaiting(intent)});
    }
    for (const std::string& path : DamagedJournalPaths()) notices.push_back(Damaged(path));
    if (const std::optional<std::string> found = DescribeStrandedItems(stranded)) {
        notices.push_back({JournalNotice::Kind::kFound, {}, *found});
    }
    hidden_items.Close();
    return listing;
}

std::vector<JournalNotice> JournalNotices() {
    return ListHiddenItemsWithNotices().notices;
}

}  // namespace hiding
