#include "platform/item_identity.h"

#include <string>

#include "platform/utf16.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/system_path.h"
#include "platform/win32/volumes.h"
#include "platform/win32/windows_api.h"

// After windows_api.h, which <winternl.h> needs.
#include <winternl.h>

namespace platform {
namespace {

// Opens an item for examination only: no access to its content is asked, so neither a lock nor
// another program's share mode stands in the way. Folders open only with
// FILE_FLAG_BACKUP_SEMANTICS.
HANDLE OpenItem(const std::wstring& system_path, ::DWORD flags) {
    return CreateFileW(system_path.c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

// The volume's serial number and the file's index on it, as GetFileInformationByHandle gives
// them. The index is asked of the file system alone (FileInternalInformation, where Windows takes
// it from too); the serial comes from what the operation under way already knows of the volume
// (volumes.h), since under Wine each query of it is a call to its mount manager.
std::optional<ItemIdentity> IdentityOf(HANDLE handle) {
    struct {
        LARGE_INTEGER index;
    } internal{};
    IO_STATUS_BLOCK status{};
    if (!NT_SUCCESS(NtQueryInformationFile(handle, &status, &internal, sizeof internal,
                                           FileInternalInformation))) {
        return std::nullopt;
    }
    const std::optional<::DWORD> volume = win32::SerialOfVolumeHolding(handle);
    if (!volume) return std::nullopt;
    return ItemIdentity(*volume, static_cast<std::uint64_t>(internal.index.QuadPart));
}

// The item's attributes and, for a reparse point, its kind.
std::optional<FILE_ATTRIBUTE_TAG_INFO> TagOf(HANDLE handle) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag)) {
        return std::nullopt;
    }
    return tag;
}

// Symbolic links and junctions lead elsewhere; other reparse points (a cloud file's placeholder,
// say) are the item itself.
bool IsLink(const FILE_ATTRIBUTE_TAG_INFO& tag) {
    return (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (tag.ReparseTag == IO_REPARSE_TAG_SYMLINK ||
            tag.ReparseTag == IO_REPARSE_TAG_MOUNT_POINT);
}

bool IsFolder(HANDLE handle) {
    const std::optional<FILE_ATTRIBUTE_TAG_INFO> tag = TagOf(handle);
    return tag && (tag->FileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The path the system reaches a folder by once every link on the way is followed, without its
// "\\?\" prefix: "C:\Windows\System32".
std::optional<std::wstring> FinalPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const ::DWORD size =
            GetFinalPathNameByHandleW(handle, path.data(), static_cast<::DWORD>(path.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (size == 0) return std::nullopt;
        if (size < path.size()) {
            path.resize(size);
            break;
        }
        path.resize(size);
    }
    if (path.starts_with(L"\\\\?\\")) path.erase(0, 4);
    return path;
}

}  // namespace

std::optional<ExaminedItem> ExamineItem(std::string_view text) {
    const std::optional<WindowsPath> path = ParseWindowsPath(text);
    if (!path) return std::nullopt;
    // The item itself: a final link is examined as the link.
    const win32::ScopedHandle item(
        OpenItem(win32::SystemPath(*path), FILE_FLAG_OPEN_REPARSE_POINT));
    if (!item.IsValid()) return std::nullopt;
    const std::optional<FILE_ATTRIBUTE_TAG_INFO> tag = TagOf(item.get());
    const std::optional<ItemIdentity> identity = IdentityOf(item.get());
    if (!tag || !identity) return std::nullopt;
    const ItemKind kind = IsLink(*tag)                                       ? ItemKind::kLink
                          : (tag->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? ItemKind::kFolder
                                                                             : ItemKind::kFile;
    return ExaminedItem{*identity, kind};
}

std::vector<ItemIdentity> FolderAndAbove(std::string_view folder_path) {
    std::vector<ItemIdentity> identities;
    const std::optional<WindowsPath> path = ParseWindowsPath(folder_path);
    if (!path) return identities;
    const win32::ScopedHandle folder(OpenItem(win32::SystemPath(*path), 0));
    if (!folder.IsValid() || !IsFolder(folder.get())) return identities;
    const std::optional<ItemIdentity> identity = IdentityOf(folder.get());
    if (!identity) return identities;
    identities.push_back(*identity);
    // The folders above are those above where the links lead, up to the root of that volume.
    const std::optional<std::wstring> final_path = FinalPath(folder.get());
    std::optional<WindowsPath> place =
        final_path ? ParseWindowsPath(Utf8(*final_path)) : std::nullopt;
    if (!place) return identities;
    while (!place->IsDriveRoot()) {
        place->components.pop_back();
        const win32::ScopedHandle above(OpenItem(win32::SystemPath(*place), 0));
        if (!above.IsValid()) continue;
        if (const std::optional<ItemIdentity> identity = IdentityOf(above.get())) {
            identities.push_back(*identity);
        }
    }
    return identities;
}

}  // namespace platform
