// Item identity: what tells one file or folder from another however a path reaches it, in
// another letter case, through another drive letter or through a link. On Linux it is the host
// file's device and inode; on Windows the volume serial number and the file index. Only the
// platform makes one; above it identities are compared and nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

class ItemIdentity {
  public:
    ItemIdentity(std::uint64_t volume, std::uint64_t file) : volume_(volume), file_(file) {}
    bool operator==(const ItemIdentity&) const = default;

  private:
    std::uint64_t volume_;
    std::uint64_t file_;
};

enum class ItemKind { kFile, kFolder, kLink };

struct ExaminedItem {
    ItemIdentity identity;
    ItemKind kind;  // a link to a folder is a link: moving it moves the link alone
};

// The item a Windows path names, itself: a final link is examined as the link. Nothing when the
// path names no item or the item cannot be examined.
std::optional<ExaminedItem> ExamineItem(std::string_view path);

// The folder a Windows path names, links followed, then every folder above it on the host up to
// the top of the host's tree, nearest first. Empty when no folder is there.
std::vector<ItemIdentity> FolderAndAbove(std::string_view folder_path);

// The folder a Windows path names, links followed, alone: the first of FolderAndAbove, without
// reading the folders above it where the path names a folder itself rather than a link. Nothing
// when no folder is there.
std::optional<ItemIdentity> FolderIdentity(std::string_view folder_path);

}  // namespace platform
