#include "register/hiding_place.h"

#include <charconv>

#include "platform/code_page.h"

namespace hiding {

std::string HiddenNameFor(int number) {
    std::string name = "H";
    name += std::to_string(number);
    return name;
}

std::optional<int> HiddenNumberOf(std::string_view name) {
    if (name.size() < 2 || name.front() != 'H' || name[1] < '1' || name[1] > '9')
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
    if (error != std::errc() || end != name.data() + name.size() || number > kLastHiddenNumber) {
        return std::nullopt;
    }
    return number;
}

std::optional<int> HiddenNumberInAnyCase(std::string_view name) {
    if (name.empty() || name.front() != 'h') return HiddenNumberOf(name);
    std::string named_as_hide_names(name);
    named_as_hide_names.front() = 'H';
    return HiddenNumberOf(named_as_hide_names);
}

std::string HidePathFor(std::string_view drive_text, std::string_view hidden_name) {
    std::string path(drive_text);
    path += "\\recycled\\";
    path += hidden_name;
    return path;
}

std::string UnhidePathFor(const HiddenItemRecord& record) {
    // The drive letter is the field's first byte; converting that byte alone keeps a non-ASCII
    // first character whole. A blank ItemPath yields no letter and so a path no drive resolves,
    // which the move back reports.
    const bool blank = record.item_path().empty();
    const std::string drive =
        blank ? std::string() : platform::FromAnsi(std::string_view(record.ItemPath.data(), 1));
    return drive + ":\\recycled\\" + record.hidden_name();
}

}  // namespace hiding
