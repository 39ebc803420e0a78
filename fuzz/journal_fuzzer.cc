// Reading an intent journal, which anyone who can write the register's folder can write, checksum
// and all. The promises: any bytes read as nothing or as one intent that writes back to exactly
// those bytes; and an intent the journal check trusts, however it was made, names a place in
// the hiding place of its own item's drive, whose record names that place and that item.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_machine.h"
#include "hiding/hidden_name.h"
#include "hiding/intent_journal.h"
#include "hiding/journal_check.h"
#include "platform/text_case.h"
#include "platform/windows_path.h"

namespace {

using namespace hiding;

// The checksum keeps almost every mutated journal from being read at all, so the check is also
// given intents made straight from the input: an operation byte, then the record's hidden name,
// its item path, and the paths from and to, separated by '|'.
std::optional<Intent> IntentFromFields(std::string_view bytes) {
    if (bytes.empty()) return std::nullopt;
    const auto operation =
        bytes.front() % 2 == 0 ? Intent::Operation::kHide : Intent::Operation::kUnhide;
    std::vector<std::string> fields(1);
    for (const char c : bytes.substr(1)) {
        if (c == '|') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (fields.size() != 4) return std::nullopt;
    return Intent{operation, 1, HiddenItemRecord::Make(fields[0], fields[1], "item"), fields[2],
                  fields[3]};
}

void CheckTrusted(const Intent& intent) {
    if (WhyUntrusted(intent)) return;
    const std::string& place = intent.hidden_path();
    const std::string& item =
        intent.operation == Intent::Operation::kHide ? intent.from : intent.to;
    const std::optional<platform::WindowsPath> parsed_item = platform::ParseWindowsPath(item);
    const std::optional<platform::WindowsPath> parsed_place = platform::ParseWindowsPath(place);
    fuzz::Require(parsed_item && parsed_place && !parsed_item->IsDriveRoot(),
                  "a trusted intent names an item below a drive's root and a drive path");
    fuzz::Require(parsed_place->drive == parsed_item->drive &&
                      parsed_place->components.size() == 2 &&
                      platform::FoldCase(parsed_place->components[0]) == "recycled" &&
                      IsPlainHiddenName(parsed_place->components[1]),
                  "a trusted intent's place lies in the hiding place of its item's drive");
    fuzz::Require(RecordNamesPlace(intent.record, place) &&
                      intent.record.item_path() == item.substr(0, item.find_last_not_of(' ') + 1),
                  "a trusted intent's record names its place and its item");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const std::optional<Intent> read = DecodeIntent(bytes)) {
        fuzz::Require(EncodeIntent(*read) == bytes,
                      "an intent writes back to the bytes it came from");
        CheckTrusted(*read);
    }
    if (const std::optional<Intent> made = IntentFromFields(bytes)) CheckTrusted(*made);
    return 0;
}
