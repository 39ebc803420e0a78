#include "register/hiding_place.h"

#include <algorithm>
#include <filesystem>

#include "platform/code_page.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hidden_items_register.h"

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

bool CarriesTheRegister(std::string_view item_path) {
    namespace fs = std::filesystem;
    try {
        const fs::path item = platform::ResolveWindowsPath(item_path).host;
        const fs::path hidden_items = platform::ResolveWindowsPath(kRegisterPath).host;
        std::error_code failed;
        // The item's own name is not followed: moving a link moves the link, not what it names.
        const fs::path item_folder = fs::weakly_canonical(item.parent_path(), failed);
        if (failed) return false;
        const fs::path moved = item_folder / item.filename();
        const fs::path held = fs::weakly_canonical(hidden_items, failed);
        if (failed) return false;
        return std::mismatch(moved.begin(), moved.end(), held.begin(), held.end()).first ==
               moved.end();
    } catch (const platform::WindowsError&) {
        // A path that names nothing on any drive carries nothing away; its move fails on its own.
        return false;
    }
}

}  // namespace hiding
