// Reading a register that can hold anything, as the hidden-items window reads it (through
// recovery, with no journal left behind), and Unhide's trust in what it read. The promises: any
// register reads as its records, byte for byte, or fails with a WindowsError; and a hidden name
// that Unhide's check lets through leads into the hiding place of the record's drive and nowhere
// else.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_machine.h"
#include "hiding/hidden_name.h"
#include "hiding/recovery.h"
#include "platform/drives.h"
#include "platform/posix/host_path.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hidden_item_record.h"
#include "register/hidden_items_register.h"
#include "register/hiding_place.h"

namespace {

namespace fs = std::filesystem;
using namespace hiding;

constexpr std::size_t kRecordSize = HiddenItemRecord::kSize;

// C: as a first start makes it, and D: beside the prefix with a hiding place of its own.
const fs::path& Machine() {
    static const fs::path prefix = [] {
        const fs::path& folder = fuzz::TemporaryMachine();
        const fs::path d = folder.parent_path() / "drive_d";
        fs::create_directories(d / "recycled");
        fs::create_directory_symlink(d, folder / "dosdevices" / "d:");
        return folder;
    }();
    return prefix;
}

// Record `index` as the register's bytes give it, blanks where the file ends early.
bool SameAsBytes(const HiddenItemRecord& record, std::string_view bytes, std::size_t index) {
    std::string expected(kRecordSize, ' ');
    const std::size_t offset = index * kRecordSize;
    if (offset < bytes.size()) {
        const std::string_view present = bytes.substr(offset, kRecordSize);
        expected.replace(0, present.size(), present);
    }
    return std::memcmp(&record, expected.data(), kRecordSize) == 0;
}

void CheckUnhidePath(const HiddenItemRecord& record) {
    if (!IsPlainHiddenName(record.hidden_name())) return;  // Unhide refuses the record
    const std::string path = UnhidePathFor(record);
    // A path no drive letter starts names nothing; the move back fails on its own.
    const std::optional<platform::WindowsPath> parsed = platform::ParseWindowsPath(path);
    if (!parsed) return;
    fuzz::Require(parsed->drive == std::tolower(static_cast<unsigned char>(record.ItemPath[0])),
                  "an item comes back from the hiding place of its own drive");
    fuzz::Require(parsed->components.size() == 2 && parsed->components[0] == "recycled",
                  "a trusted hidden name is one name inside the hiding place");

    const std::optional<platform::Drive> drive = platform::FindDrive(parsed->drive);
    if (!drive || !drive->ready) return;
    const std::string hiding_place = std::string(1, parsed->drive) + ":\\recycled";
    const fs::path place = platform::ResolveWindowsPath(hiding_place).host;
    fuzz::Require(platform::ResolveWindowsPath(path).host.parent_path() == place,
                  "a trusted hidden name leads into the hiding place on the host");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path system32 = Machine() / "drive_c" / "windows" / "system32";
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::WriteHostFile(system32 / "tessarn.dat", bytes);

    std::vector<HiddenItemRecord> records;
    try {
        records = ListHiddenItems();
    } catch (const platform::WindowsError&) {
        fuzz::Require(!RecordCountOfLength(size), "only an uncountable register fails to read");
        return 0;
    }
    fuzz::Require(RecordCountOfLength(size) == static_cast<std::int16_t>(records.size()),
                  "a register reads as as many records as its length counts");
    for (std::size_t i = 0; i < records.size(); ++i) {
        fuzz::Require(SameAsBytes(records[i], bytes, i), "a record reads as its bytes");
        CheckUnhidePath(records[i]);
    }
    return 0;
}
