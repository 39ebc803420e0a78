#include "platform/item_identity.h"

namespace platform {

std::optional<ItemIdentity> FolderIdentity(std::string_view folder_path) {
    if (const std::optional<ExaminedItem> item = ExamineItem(folder_path);
        item && item->kind == ItemKind::kFolder) {
        return item->identity;
    }
    const std::vector<ItemIdentity> folders = FolderAndAbove(folder_path);
    if (folders.empty()) return std::nullopt;
    return folders.front();
}

}  // namespace platform
