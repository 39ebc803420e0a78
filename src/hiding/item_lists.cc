#include "hiding/item_lists.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "hiding/hidden_name.h"
#include "hiding/hiding_places.h"
#include "platform/file_system.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"
#include "register/hiding_place.h"
#include "register/item_list.h"

namespace hiding {
namespace {

using platform::WindowsError;

// The hidden names a hiding place holds, by number, in any letter case as the file system finds
// them. Sized to the largest, so that the tables below cost a hiding place of a few items a few
// bytes, not one slot for each of the 32,767 names there can be.
class HeldNumbers {
  public:
    explicit HeldNumbers(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            const std::optional<int> number = HiddenNumberInAnyCase(name);
            if (!number) continue;
            if (static_cast<std::size_t>(*number) >= held_.size()) held_.resize(*number + 1);
            held_[*number] = true;
        }
    }
    bool Holds(int number) const {
        return static_cast<std::size_t>(number) < held_.size() && held_[number];
    }
    std::size_t End() const { return held_.size(); }

  private:
    std::vector<bool> held_;
};

// The list a hiding place should hold: its entries whose items it still holds, this machine's
// record in place of an entry where the register names that item, then the register's other
// records of items it holds. Of two entries of one hidden name the later one, which Hide appended
// last, stands for it. Mending what this gives changes nothing. Given as the records each entry
// is, in order: a list in step, as almost every opening finds it, is never copied.
std::vector<const HiddenItemRecord*> MendedList(const HidingPlaceScan& scan,
                                                const std::vector<HiddenItemRecord>& records) {
    const HeldNumbers held(scan.names);
    // Each number is read once: a full register and list hold 65,534 of them.
    std::vector<const HiddenItemRecord*> recorded(held.End(), nullptr);
    std::vector<int> own;
    for (const HiddenItemRecord& record : records) {
        if (!OnOneOf(record, scan.letters) || !IsListEntry(record)) continue;
        const int number = *PlaceNumberOf(record);
        if (!held.Holds(number) || recorded[number]) continue;
        recorded[number] = &record;
        own.push_back(number);
    }
    std::vector<int> listed(scan.list.size());
    std::vector<const HiddenItemRecord*> latest(held.End(), nullptr);
    for (std::size_t i = 0; i < scan.list.size(); ++i) {
        listed[i] = *PlaceNumberOf(scan.list[i]);
        if (held.Holds(listed[i])) latest[listed[i]] = &scan.list[i];
    }

    std::vector<bool> kept(held.End(), false);
    std::vector<const HiddenItemRecord*> mended;
    mended.reserve(scan.list.size() + own.size());
    const auto keep = [&](int number) {
        if (!held.Holds(number) || kept[number]) return;
        kept[number] = true;
        mended.push_back(recorded[number] ? recorded[number] : latest[number]);
    };
    for (const int number : listed) keep(number);
    for (const int number : own) keep(number);
    return mended;
}

// Whether the mended list is the scanned one, entry for entry.
bool InStep(const std::vector<const HiddenItemRecord*>& mended,
            const std::vector<HiddenItemRecord>& list) {
    if (mended.size() != list.size()) return false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (mended[i] != &list[i] && !(*mended[i] == list[i])) return false;
    }
    return true;
}

// Mends the scanned list and writes it, unless it lies on disk as scanned (`as_it_lies`) and
// mending changes nothing.
void Mend(HidingPlaceScan& scan, const std::vector<HiddenItemRecord>& records, bool as_it_lies) {
    const std::vector<const HiddenItemRecord*> mended = MendedList(scan, records);
    if (as_it_lies && InStep(mended, scan.list)) return;
    std::vector<HiddenItemRecord> entries;
    entries.reserve(mended.size());
    for (const HiddenItemRecord* entry : mended) entries.push_back(*entry);
    scan.list = std::move(entries);
    try {
        WriteItemList(scan.hiding_place, scan.list);
    } catch (const WindowsError&) {
        // Mended at a later opening; what the list held is still there, or the new list whole.
    }
}

// The scan of the hiding place of the drive a path or drive text (c:) begins with.
const HidingPlaceScan* ScanOf(const std::vector<HidingPlaceScan>& scans, std::string_view path) {
    if (path.empty()) return nullptr;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
    for (const HidingPlaceScan& scan : scans) {
        if (scan.letters.find(letter) != std::string::npos) return &scan;
    }
    return nullptr;
}

}  // namespace

bool OnOneOf(const HiddenItemRecord& record, std::string_view letters) {
    const char letter =
        static_cast<char>(std::tolower(static_cast<unsigned char>(record.ItemPath[0])));
    return letters.find(letter) != std::string_view::npos;
}

std::vector<HidingPlaceScan> MendItemLists(const HiddenItemsRegister& hidden_items) {
    std::vector<HidingPlaceScan> scans;
    std::vector<HiddenItemRecord> records;
    try {
        records = hidden_items.ReadAll();
    } catch (const WindowsError&) {
        return scans;
    }
    for (ReadyHidingPlace& place : ReadyHidingPlaces()) {
        HidingPlaceScan scan{std::move(place.hiding_place), std::move(place.letters), {}, {}};
        ItemListEntries listed;
        try {
            // Every name, so that the one search also tells whether there is a list to read: a
            // name looked for and missing costs a second search of the folder.
            bool has_list = false;
            for (std::string& name : platform::ListItemsMatching(scan.hiding_place, "*")) {
                if (name.front() == 'H' || name.front() == 'h') {
                    scan.names.push_back(std::move(name));
                } else {
                    has_list = has_list || platform::EqualIgnoringCase(name, kItemListName);
                }
            }
            if (has_list) listed = ReadItemListEntries(scan.hiding_place);
        } catch (const WindowsError&) {
            continue;
        }
        scan.list = std::move(listed.entries);
        Mend(scan, records, listed.as_it_lies);
        scans.push_back(std::move(scan));
    }
    return scans;
}

void MendItemList(HidingPlaceScan& scan, const std::vector<HiddenItemRecord>& records) {
    Mend(scan, records, true);
}

const std::vector<std::string>* NamesScannedOn(const std::vector<HidingPlaceScan>& scans,
                                               std::string_view drive_text) {
    const HidingPlaceScan* scan = ScanOf(scans, drive_text);
    return scan != nullptr ? &scan->names : nullptr;
}

void AddToItsList(std::string_view hidden_path, const HiddenItemRecord& record) {
    // What the list would leave out when read is never written to it.
    if (!IsListEntry(record)) return;
    try {
        AppendToItemList(HidingPlaceOf(hidden_path), record);
    } catch (const WindowsError&) {
    }
}

void RemoveFromItsList(std::string_view hidden_path, const std::vector<HidingPlaceScan>& scans) {
    const HidingPlaceScan* scan = ScanOf(scans, hidden_path);
    if (scan == nullptr) return;
    // Every entry's hidden name is a name Hide gives, told by its number.
    const std::optional<int> number =
        HiddenNumberOf(hidden_path.substr(hidden_path.rfind('\\') + 1));
    const auto entry = std::find_if(
        scan->list.begin(), scan->list.end(),
        [&](const HiddenItemRecord& listed) { return number && PlaceNumberOf(listed) == number; });
    if (entry == scan->list.end()) return;
    try {
        RemoveFromItemList(scan->hiding_place, scan->list,
                           static_cast<std::size_t>(entry - scan->list.begin()));
    } catch (const WindowsError&) {
    }
}

}  // namespace hiding
