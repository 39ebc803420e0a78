// A hiding place's list, which anyone who can write the hiding place can write, read as the
// register's opening mends it and as the hidden-items window finds items by it. The promises:
//   - the list's bytes read as the whole records among them that are list entries, in order,
//     each naming exactly a name Hide gives and a path below a drive's root;
//   - after an opening, the list holds one entry per item the hiding place holds and nothing
//     else, this machine's record for its own item, and a second opening writes nothing;
//   - the window's opening gives exactly the one item that nothing names a record, whose path
//     leads into no hiding place, and leaves every other name in the hiding place alone.
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_machine.h"
#include "hiding/journal_notices.h"
#include "hiding/recovery.h"
#include "platform/drives.h"
#include "platform/text_case.h"
#include "platform/windows_path.h"
#include "register/hidden_items_register.h"
#include "register/hiding_place.h"
#include "register/item_list.h"

namespace {

namespace fs = std::filesystem;
using namespace hiding;

constexpr std::size_t kRecordSize = HiddenItemRecord::kSize;

// Drive C's hiding place holds H1, whose record the register has, H2, which nothing names, and
// names that are never an item's: h3 and H03.
const HiddenItemRecord kOwn = HiddenItemRecord::Make("H1", "C:\\Docs\\own.txt", "own.txt");
const std::set<std::string> kNamesThere = {"H1", "H2", "h3", "H03"};

fs::path HidingPlace() {
    static const fs::path place = [] {
        const fs::path folder = fuzz::TemporaryMachine() / "drive_c" / "recycled";
        for (const std::string& name : kNamesThere) fuzz::WriteHostFile(folder / name, name);
        return folder;
    }();
    return place;
}

std::string ReadBack(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string BytesOf(const std::vector<HiddenItemRecord>& records) {
    return {reinterpret_cast<const char*>(records.data()), records.size() * kRecordSize};
}

void CheckEntries(std::string_view bytes) {
    const std::vector<HiddenItemRecord> entries = EntriesOfItemList(bytes);
    std::size_t offset = 0;
    for (const HiddenItemRecord& entry : entries) {
        while (offset + kRecordSize <= bytes.size() &&
               std::memcmp(bytes.data() + offset, &entry, kRecordSize) != 0) {
            offset += kRecordSize;
        }
        fuzz::Require(offset + kRecordSize <= bytes.size(),
                      "an entry is a whole record of the list, in the list's order");
        offset += kRecordSize;
        fuzz::Require(HiddenNumberOf(entry.hidden_name()).has_value(),
                      "an entry names exactly a name Hide gives");
        const std::string path = entry.item_path();
        fuzz::Require(path.size() > 3 && path[1] == ':' && path[2] == '\\',
                      "an entry's item path begins with a drive letter, a colon and a backslash");
    }
    fuzz::Require(EntriesOfItemList(BytesOf(entries)) == entries,
                  "the entries written back read as themselves");
}

void CheckMended(const std::string& mended) {
    fuzz::Require(mended.size() % kRecordSize == 0, "a mended list is whole records");
    const std::vector<HiddenItemRecord> entries = EntriesOfItemList(mended);
    fuzz::Require(entries.size() * kRecordSize == mended.size(), "a mended list is all entries");
    std::set<std::string> names;
    for (const HiddenItemRecord& entry : entries) {
        const std::string name = entry.hidden_name();
        fuzz::Require(names.insert(name).second, "one entry per hidden name");
        bool there = false;
        for (const std::string& item : kNamesThere)
            there = there || platform::EqualIgnoringCase(item, name);
        fuzz::Require(there, "an entry names an item the hiding place holds, in any letter case");
        if (name == "H1") fuzz::Require(entry == kOwn, "this machine's record wins");
    }
    fuzz::Require(names.contains("H1"), "the list holds the register's record of its item");
}

void CheckFound(const std::vector<HiddenItemRecord>& records) {
    fuzz::Require(records.size() == 2 && records[0] == kOwn, "one item is found, after the rest");
    fuzz::Require(records[1].hidden_name() == "H2", "the item found is H2, which nothing named");
    const std::optional<platform::WindowsPath> path =
        platform::ParseWindowsPath(records[1].item_path());
    fuzz::Require(path && path->drive == 'c' && !path->IsDriveRoot() &&
                      !platform::IsHidingPlaceName(path->components.front()),
                  "an item found goes back below its own drive's root, into no hiding place");
    for (const std::string& name : kNamesThere) {
        fuzz::Require(fs::exists(HidingPlace() / name), "nothing moves as the window opens");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckEntries(bytes);

    const fs::path list = HidingPlace() / kItemListName;
    const fs::path system32 = fuzz::TemporaryMachine() / "drive_c" / "windows" / "system32";
    fuzz::WriteHostFile(system32 / "tessarn.dat", BytesOf({kOwn}));
    fuzz::WriteHostFile(list, bytes);
    ListHiddenItems();
    const std::string mended = ReadBack(list);
    CheckMended(mended);
    // Any write gives the list a new time, a rewrite a new file too.
    const fs::file_time_type long_ago = fs::last_write_time(list) - std::chrono::hours(1);
    fs::last_write_time(list, long_ago);
    ListHiddenItems();
    fuzz::Require(fs::last_write_time(list) == long_ago && ReadBack(list) == mended,
                  "an opening that finds the list in step writes nothing");

    CheckFound(ListHiddenItemsWithNotices().records);
    return 0;
}
