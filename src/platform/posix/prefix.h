// The machine prefix: the one host folder that holds the emulated Windows machine (its drives,
// its registry hive), the way WINEPREFIX holds a Wine machine.
//
// Layout, created on first start when the folder does not exist yet:
//   <prefix>/drive_c/windows/system32/   where the register lives
//   <prefix>/drive_c/recycled/           the hiding place of drive C
//   <prefix>/dosdevices/c: -> ../drive_c
//   <prefix>/dosdevices/z: -> /          so that the whole host tree can be browsed
//   <prefix>/dosdevices/h: -> ~          the user's home folder, with its hiding place mapped
//                                        apart from it, outside the prefix (home_drive.h)
//   <prefix>/system.reg                  the registry hive (written on first change)
#pragma once

#include <filesystem>

#include "platform/machine.h"

namespace platform {

// TESSARN_PREFIX when set and not empty, else $XDG_DATA_HOME/tessarn, else
// ~/.local/share/tessarn. Read anew on every call so that tests can switch prefixes.
std::filesystem::path PrefixFolder();

// The user's home folder: HOME when set and not empty, else the user database's entry, else "/".
std::filesystem::path HomeFolder();

// The host file that holds the registry hive, for whoever must keep it where it is.
std::filesystem::path HiveFile();

}  // namespace platform
