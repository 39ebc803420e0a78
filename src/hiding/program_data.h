// The program's own data, which Hide must never carry into a hiding place: the register with its
// temporary file, lock and journals, the registry hive and the drive table (dosdevices), with
// every folder that holds them.
// Hiding either would leave every record, or the password, inside a hiding place that only they can
// bring back.
#pragma once

#include <string_view>

namespace hiding {

// Whether moving the item at this Windows path would carry the program's data with it: the item
// is one of those files or a folder that holds one. Decided by host identity
// (device and inode), not by path text, so that every road to the data counts: another drive
// letter, another spelling, a link inside a drive that leads out of it. An item that is itself a
// link is not followed, since moving a link moves only the link.
bool CarriesProgramData(std::string_view item_path);

}  // namespace hiding
