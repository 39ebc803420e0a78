// What one operation has looked up on the host. A Hide or an Unhide asks about the same few paths
// again and again (the register's folder, the hiding place, the item and the folders above
// them); resolving each anew from its drive's root, a name at a time, cost it some 200 host
// calls. While a DriveTableSnapshot lives (drives.h), each path is resolved once, each folder
// listed once to match letter case, and each host folder's chain of identities read once, until
// the platform itself changes the host: a file created, deleted or moved forgets what was looked
// up in its folders (and a folder moved, every chain of identities, which it may change); taking
// a lock forgets everything, since what others changed while it was awaited must be seen. What
// other programs change meanwhile goes unseen, as it would between two calls anyway; every file
// operation still fails on its own when what it acts on is gone.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/drives.h"
#include "platform/item_identity.h"
#include "platform/posix/host_path.h"

namespace platform {

// A folder's names by their folded form (text_case.h), each the host name it stands for.
using FoldedNames = std::unordered_map<std::string, std::string>;

struct LookupMemo {
    // The drive of a letter, as the DriveTableSnapshot keeps it, without asking the table again
    // for every path.
    const std::optional<Drive>& DriveOf(char letter);

    // By drive letter and the path's parsed names joined by '\' ("c\windows\system32"), spelled
    // as given: another spelling may find another host name.
    std::unordered_map<std::string, HostLocation> locations;
    // By host path: the folder and the folders above it, nearest first (host_identity.h).
    std::unordered_map<std::string, std::vector<ItemIdentity>> folders_above;
    // By host path: a folder's names by their folded form, for the names not spelled exactly.
    std::unordered_map<std::string, FoldedNames> folded_names;
    // By letter, 'a' first; kept when the rest is forgotten, as the snapshot keeps the table.
    std::array<std::optional<std::optional<Drive>>, 26> drives;
};

// The memo of the operation under way on this thread; nullptr when none is.
LookupMemo* ActiveLookupMemo();

// Called by the outermost DriveTableSnapshot as it begins and ends.
void BeginLookupMemo();
void EndLookupMemo();

// Forgets everything looked up, once a lock is held.
void ForgetLookups();
// Forgets what was looked up in one host folder, after a file was deleted from it.
void ForgetLookupsIn(const std::filesystem::path& folder);
// The same after a file was created, but for the folder's listing, which gains its name.
void NoteFileCreated(const std::filesystem::path& file);
// After a file or folder was renamed or moved: what was looked up in both folders and below the
// item is forgotten, and every chain of identities.
void NoteMoved(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace platform
