#include "platform/item_identity.h"

#include <sys/stat.h>

#include <string>

#include "platform/posix/host_identity.h"
#include "platform/posix/host_path.h"
#include "platform/posix/lookup_memo.h"
#include "platform/windows_error.h"

namespace platform {
namespace {

std::optional<HostLocation> TryResolve(std::string_view path) {
    try {
        return ResolveWindowsPath(path);
    } catch (const WindowsError&) {
        return std::nullopt;
    }
}

// Identities up to "/", read from the host. ".." after a folder reached through links is the
// parent of the folder they lead to, so each level is one stat of the path with one ".." more,
// and "/" is the level whose ".." is itself.
std::vector<ItemIdentity> ReadFolderAndAbove(const std::filesystem::path& folder) {
    std::vector<ItemIdentity> identities;
    std::string place = folder.native();
    struct stat info;
    if (stat(place.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return identities;
    for (;;) {
        identities.push_back(IdentityOf(info));
        place += "/..";
        if (stat(place.c_str(), &info) != 0 || IdentityOf(info) == identities.back()) {
            return identities;
        }
    }
}

}  // namespace

ItemIdentity IdentityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::vector<ItemIdentity> HostFolderAndAbove(const std::filesystem::path& folder) {
    LookupMemo* const memo = ActiveLookupMemo();
    if (memo != nullptr) {
        if (const auto known = memo->folders_above.find(folder.native());
            known != memo->folders_above.end()) {
            return known->second;
        }
    }
    std::vector<ItemIdentity> identities = ReadFolderAndAbove(folder);
    if (memo != nullptr) memo->folders_above.emplace(folder.native(), identities);
    return identities;
}

std::optional<ExaminedItem> ExamineItem(std::string_view path) {
    const std::optional<HostLocation> location = TryResolve(path);
    struct stat info;
    if (!location || !location->exists || lstat(location->host.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const ItemKind kind = S_ISLNK(info.st_mode)   ? ItemKind::kLink
                          : S_ISDIR(info.st_mode) ? ItemKind::kFolder
                                                  : ItemKind::kFile;
    return ExaminedItem{IdentityOf(info), kind};
}

std::vector<ItemIdentity> FolderAndAbove(std::string_view folder_path) {
    const std::optional<HostLocation> location = TryResolve(folder_path);
    if (!location || !location->exists) return {};
    return HostFolderAndAbove(location->host);
}

}  // namespace platform
