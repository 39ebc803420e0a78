#include "hiding/journal_check.h"

#include <cctype>

#include "hiding/hidden_name.h"
#include "platform/windows_path.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

// The name in a hidden place written as the program writes it, <letter>:\recycled\<name>;
// nothing for any other text.
std::optional<std::string_view> NameInHidingPlace(std::string_view hidden_path) {
    constexpr std::string_view kFolder = ":\\recycled\\";
    if (hidden_path.empty() || static_cast<unsigned char>(hidden_path.front()) > 0x7F ||
        !std::isalpha(static_cast<unsigned char>(hidden_path.front())) ||
        hidden_path.substr(1, kFolder.size()) != kFolder) {
        return std::nullopt;
    }
    return hidden_path.substr(1 + kFolder.size());
}

}  // namespace

std::optional<std::string> WhyUntrusted(const Intent& intent) {
    const bool hide = intent.operation == Intent::Operation::kHide;
    const std::string& hidden_path = intent.hidden_path();
    const std::string& item_path = hide ? intent.from : intent.to;

    const std::optional<platform::WindowsPath> parsed = platform::ParseWindowsPath(item_path);
    if (!parsed) {
        return "its recorded path \"" + item_path + "\" does not begin with a drive letter";
    }
    if (parsed->IsDriveRoot()) return "its recorded path " + item_path + " is a drive's root";
    const std::optional<std::string_view> name = NameInHidingPlace(hidden_path);
    if (!name || !IsPlainHiddenName(*name) || name->back() == ' ' ||
        (hide && !HiddenNumberOf(*name))) {
        return "its hidden place \"" + hidden_path +
               "\" is no place in a hiding place, such as C:\\recycled\\H3";
    }
    if (!SameLetter(item_path.front(), hidden_path.front())) {
        return "its hidden place " + hidden_path + " is on another drive than its item " +
               item_path;
    }
    if (!RecordNamesPlace(intent.record, hidden_path)) {
        return "its record names the hidden place " + UnhidePathFor(intent.record) + ", not " +
               hidden_path;
    }
    // A record keeps no trailing spaces, which a path's last name loses anyway: a path typed
    // with them is still the one recorded.
    if (intent.record.item_path() != item_path.substr(0, item_path.find_last_not_of(' ') + 1)) {
        return "its record names the item " + intent.record.item_path() + ", not " + item_path;
    }
    return std::nullopt;
}

}  // namespace hiding
