#include "hiding/program_data.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "hiding/intent_journal.h"
#include "platform/item_identity.h"
#include "platform/machine.h"
#include "platform/text_case.h"
#include "platform/windows_path.h"
#include "register/hidden_items_register.h"

namespace hiding {
namespace {

using platform::ItemIdentity;

bool IsOneOf(const ItemIdentity& identity, const std::vector<ItemIdentity>& identities) {
    return std::find(identities.begin(), identities.end(), identity) != identities.end();
}

// The files the program keeps in the register's folder: the register, its temporary file, its
// lock and its journals, in whatever letter case they are reached.
bool IsProgramFileName(const std::string& name) {
    const std::string folded = platform::FoldCase(name);
    return folded == "tessarn.dat" || folded == "temp.dat" || folded == ".tessarn.dat.lock" ||
           IsJournalName(folded) || IsDamagedJournalName(folded);
}

// The folder that holds the item as the path reaches it, links followed.
std::optional<ItemIdentity> FolderHolding(const platform::WindowsPath& item) {
    platform::WindowsPath folder = item;
    folder.components.pop_back();
    return platform::FolderIdentity(platform::FormatWindowsPath(folder));
}

}  // namespace

bool CarriesProgramData(std::string_view item_path) {
    const std::optional<platform::WindowsPath> parsed = platform::ParseWindowsPath(item_path);
    // A path that names nothing on any drive carries nothing away; its move fails on its own.
    const std::optional<platform::ExaminedItem> item =
        parsed ? platform::ExamineItem(item_path) : std::nullopt;
    if (!item || parsed->IsDriveRoot()) return false;
    // Only a folder can hold another, and a link only leads elsewhere: moving it moves itself.
    const bool folder_item = item->kind == platform::ItemKind::kFolder;

    // The folders above the register's count only for a folder, which may hold it.
    if (folder_item && IsOneOf(item->identity, platform::FolderAndAbove(kRegisterFolder))) {
        return true;
    }
    const std::optional<ItemIdentity> holder = FolderHolding(*parsed);
    if (holder && holder == platform::FolderIdentity(kRegisterFolder) &&
        IsProgramFileName(parsed->components.back())) {
        return true;
    }

    const platform::MachineData machine = platform::MachineDataItems();
    return IsOneOf(item->identity, machine.files) || (holder && IsOneOf(*holder, machine.tables)) ||
           (folder_item && IsOneOf(item->identity, machine.holders));
}

}  // namespace hiding
