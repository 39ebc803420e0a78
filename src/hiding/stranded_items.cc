#include "hiding/stranded_items.h"

#include <algorithm>
#include <functional>

#include "platform/drives.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hiding_place.h"
#include "register/item_list.h"

namespace hiding {
namespace {

using platform::WindowsError;
using Origin = FoundItem::Origin;
using Numbers = std::vector<bool>;  // by hidden number, 0 unused

constexpr std::size_t kNumbers = kLastHiddenNumber + 1;
// A message box shows this many found items by name; a register lost beside thousands of items
// would otherwise give a box taller than any screen.
constexpr std::size_t kItemsTold = 20;
constexpr std::string_view kFoundName = "Tessarn found ";

void MarkRecorded(Numbers& named, const std::vector<HiddenItemRecord>& records,
                  std::string_view letters) {
    for (const HiddenItemRecord& record : records) {
        if (!OnOneOf(record, letters)) continue;
        if (const std::optional<int> number = PlaceNumberOf(record)) named[*number] = true;
    }
}

// A trusted journal's hidden place is <letter>:\recycled\<name>; one set aside never waits.
void MarkWaiting(Numbers& named, const std::vector<Intent>& waiting, std::string_view letters) {
    for (const Intent& intent : waiting) {
        const std::optional<platform::WindowsPath> place =
            platform::ParseWindowsPath(intent.hidden_path());
        if (!place || letters.find(place->drive) == std::string_view::npos ||
            place->components.size() != 2 || !platform::IsHidingPlaceName(place->components[0])) {
            continue;
        }
        if (const std::optional<int> number = HiddenNumberInAnyCase(place->components[1])) {
            named[*number] = true;
        }
    }
}

// Whether Unhide could bring an item back to a record's path: below a drive's root and into no
// hiding place, where it would refuse to take it.
bool GoesBackOutside(const HiddenItemRecord& record) {
    const std::optional<platform::WindowsPath> path =
        platform::ParseWindowsPath(record.item_path());
    return path && !path->IsDriveRoot() && !platform::IsHidingPlaceName(path->components.front());
}

std::vector<HiddenItemRecord> RecordsOfDamagedJournals() {
    std::vector<HiddenItemRecord> records;
    for (const std::string& path : DamagedJournalPaths()) {
        try {
            if (const std::optional<Intent> intent = ReadIntent(path)) {
                records.push_back(intent->record);
            }
        } catch (const WindowsError&) {
            // A journal that cannot be read tells nothing; the next source is asked.
        }
    }
    return records;
}

using DamagedRecords = std::function<const std::vector<HiddenItemRecord>&()>;

// The record a found item is given, from the first source that tells where it came from.
FoundItem Found(const HidingPlaceScan& scan, int number,
                const std::vector<const HiddenItemRecord*>& listed, const DamagedRecords& damaged) {
    const std::string name = HiddenNameFor(number);
    const char letter = scan.hiding_place.front();
    FoundItem found{scan.hiding_place + "\\" + name, {}, Origin::kUnknown};
    if (const HiddenItemRecord* entry = listed[number]) {
        HiddenItemRecord record = *entry;
        // The drive may have another letter here than where the entry was written.
        if (!OnOneOf(record, scan.letters)) record.ItemPath[0] = letter;
        if (GoesBackOutside(record)) {
            found.record = record;
            found.origin = Origin::kItemList;
            return found;
        }
    }
    for (const HiddenItemRecord& record : damaged()) {
        if (OnOneOf(record, scan.letters) && IsListEntry(record) &&
            PlaceNumberOf(record) == number && GoesBackOutside(record)) {
            found.record = record;
            found.origin = Origin::kDamagedJournal;
            return found;
        }
    }
    const std::string item_name = std::string(kFoundName) + name;
    found.record =
        HiddenItemRecord::Make(name, std::string(1, letter) + ":\\" + item_name, item_name);
    return found;
}

// The stranded items of one hiding place, in the order of their numbers.
void FindIn(const HidingPlaceScan& scan, const Numbers& named, const DamagedRecords& damaged,
            std::vector<FoundItem>& found) {
    std::vector<int> numbers;
    for (const std::string& name : scan.names) {
        const std::optional<int> number = HiddenNumberOf(name);
        if (number && !named[*number]) numbers.push_back(*number);
    }
    if (numbers.empty()) return;
    std::sort(numbers.begin(), numbers.end());
    // Entries beyond the largest number found name no item found.
    std::vector<const HiddenItemRecord*> listed(numbers.back() + 1, nullptr);
    for (const HiddenItemRecord& entry : scan.list) {
        const int number = *PlaceNumberOf(entry);
        if (number <= numbers.back()) listed[number] = &entry;
    }
    for (const int number : numbers) found.push_back(Found(scan, number, listed, damaged));
}

std::string WhereFrom(const FoundItem& item) {
    switch (item.origin) {
        case Origin::kItemList:
            return "as the list of its hiding place says";
        case Origin::kDamagedJournal:
            return "as a journal set aside as damaged says";
        case Origin::kUnknown:
            break;
    }
    return "since nothing tells where it came from";
}

}  // namespace

StrandedItems RecordStrandedItems(HiddenItemsRegister& hidden_items,
                                  std::vector<HidingPlaceScan>& scans,
                                  const std::vector<Intent>& waiting) {
    StrandedItems stranded;
    std::vector<HiddenItemRecord> records;
    std::vector<HiddenItemRecord> given;
    try {
        records = hidden_items.ReadAll();
        const std::vector<HiddenItemRecord> redirected = RecordsOfTheRedirectedRegister();
        std::optional<std::vector<HiddenItemRecord>> damaged;
        const DamagedRecords damaged_records = [&]() -> const std::vector<HiddenItemRecord>& {
            if (!damaged) damaged = RecordsOfDamagedJournals();
            return *damaged;
        };
        for (const HidingPlaceScan& scan : scans) {
            Numbers named(kNumbers, false);
            MarkRecorded(named, records, scan.letters);
            MarkRecorded(named, redirected, scan.letters);
            MarkWaiting(named, waiting, scan.letters);
            FindIn(scan, named, damaged_records, stranded.found);
        }
        const std::size_t room = kLastHiddenNumber - records.size();
        if (stranded.found.size() > room) {
            stranded.left_out = static_cast<int>(stranded.found.size() - room);
            stranded.found.resize(room);
        }
        if (stranded.found.empty()) return stranded;
        for (const FoundItem& item : stranded.found) given.push_back(item.record);
        hidden_items.WriteRecords(static_cast<int>(records.size()) + 1, given);
    } catch (const WindowsError& error) {
        return {{}, 0, error.what()};
    }
    records.insert(records.end(), given.begin(), given.end());
    for (HidingPlaceScan& scan : scans) {
        const bool found_here =
            std::any_of(stranded.found.begin(), stranded.found.end(), [&](const FoundItem& item) {
                return item.hidden_path.starts_with(scan.hiding_place + "\\");
            });
        if (found_here) MendItemList(scan, records);
    }
    return stranded;
}

std::optional<std::string> DescribeStrandedItems(const StrandedItems& stranded) {
    if (stranded.failure) {
        return "Tessarn could not list the hidden items that no record names: " +
               *stranded.failure +
               ". Nothing was moved or recorded; they are looked for again the next time this "
               "window opens.";
    }
    std::string text;
    const std::size_t count = stranded.found.size();
    if (count > 0) {
        text = count == 1 ? "Tessarn found 1 hidden item that no record named, and lists it "
                            "again. Nothing was moved; Unhide brings it back:"
                          : "Tessarn found " + std::to_string(count) +
                                " hidden items that no record named, and lists them again. "
                                "Nothing was moved; Unhide brings each one back:";
        for (std::size_t i = 0; i < count && i < kItemsTold; ++i) {
            const FoundItem& item = stranded.found[i];
            text +=
                "\n" + item.hidden_path + " to " + item.record.item_path() + ", " + WhereFrom(item);
        }
        if (count > kItemsTold) {
            text += "\n... and " + std::to_string(count - kItemsTold) + " more.";
        }
    }
    if (stranded.left_out > 0) {
        if (!text.empty()) text += "\n\n";
        text += stranded.left_out == 1 ? "1 more item lies in a hiding place without a record"
                                       : std::to_string(stranded.left_out) +
                                             " more items lie in hiding places without a record";
        text +=
            ", but cannot be listed: the register already holds 32,767 items, the most it "
            "can number. Unhide some of them and open this window again.";
    }
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace hiding
