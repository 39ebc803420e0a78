// Drive H:'s hiding place: the hidden folder ~/.tessarn-recycled, in the home folder that drive
// H: is, and mapped to H:\recycled by the link <prefix>/dosdevices/h:recycled (drive_links.h).
//
// It lies on the home folder's own file system, so that a Hide stays one rename; out of the home
// folder's listing, which a folder "recycled" would be in; and outside the machine prefix, so that
// removing the prefix (the way to start afresh) removes no hidden item. A new machine made after
// that finds it again and takes it as it is, items and all. It belongs to the home folder as
// E:\recycled belongs to a stick: machines that share a home folder share it, and a Hide never
// takes a name an item there holds.
//
// Earlier machines kept it inside the prefix, as <prefix>/recycled_h. The first start of an
// earlier machine moves that folder out, with one rename, which keeps what a medium is known by
// (the folder's identity on its file system) for any journal that waits for it. Where one rename
// cannot do it, the folder stays where it is and keeps working there: hidden items are never
// copied and deleted, nor mixed with another folder's.
#pragma once

#include <filesystem>

namespace platform {

// ~/.tessarn-recycled for the home folder `home`.
std::filesystem::path HomeHidingPlace(const std::filesystem::path& home);

// Moves an earlier machine's <prefix>/recycled_h to the home hiding place and links drive H:'s
// hiding place there, when the link still names it. Does nothing when drive H: has no folder, the
// link is the user's own, or one rename cannot do it: the hiding place lies on another file
// system than the home folder, or ~/.tessarn-recycled is there already and is not an empty
// folder. Each step is safe to be cut short at: the next start finishes the move. Throws
// WindowsError only when a step after the rename fails, for the machine would then be left
// between its two layouts.
void MoveHomeHidingPlaceOutOfMachine(const std::filesystem::path& prefix);

}  // namespace platform
