// The program's own data, which Hide must never carry into a hiding place: the register with its
// temporary file, lock and journals, and the machine's own data (platform/machine.h: on Linux the
// registry hive, the drive table with every drive's link, and the prefix), with every folder
// that holds them. Hiding any of it would leave every record, the password or a whole drive
// inside a hiding place that only they can bring back.
#pragma once

#include <string_view>

namespace hiding {

// Whether moving the item at this Windows path would carry the program's data with it: the item
// is one of those files or links, or a folder that holds one. Decided by item identity, not by
// path text, so that every road to the data counts: another drive letter, another spelling, a
// link inside a drive that leads out of it. An item that is itself a link is not followed, since
// moving a link moves only the link; but a link that is itself data, a drive's link in the drive
// table, is refused.
bool CarriesProgramData(std::string_view item_path);

}  // namespace hiding
