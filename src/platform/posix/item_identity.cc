#include "platform/item_identity.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "platform/posix/host_identity.h"
#include "platform/posix/host_path.h"
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

}  // namespace

ItemIdentity IdentityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::vector<ItemIdentity> HostFolderAndAbove(const std::filesystem::path& folder) {
    std::vector<ItemIdentity> identities;
    const std::unique_ptr<char, decltype(&free)> real(realpath(folder.c_str(), nullptr), &free);
    if (real == nullptr) return identities;
    struct stat info;
    if (stat(real.get(), &info) != 0 || !S_ISDIR(info.st_mode)) return identities;
    for (std::string place = real.get();;
         place.resize(std::max<std::size_t>(place.rfind('/'), 1))) {
        if (stat(place.c_str(), &info) == 0) identities.push_back(IdentityOf(info));
        if (place == "/") return identities;
    }
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
