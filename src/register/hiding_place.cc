#include "register/hiding_place.h"

#include "platform/code_page.h"

namespace hiding {

std::string HiddenNameFor(int number) {
    std::string name = "H";
    name += std::to_string(number);
    return name;
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
