// The machine the program runs on: made ready before the first window, and the data it keeps
// beside the program's register, which no Hide may carry away.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/item_identity.h"

namespace platform {

// On Linux, creates the machine prefix with its first-start layout when it does not exist yet,
// and leaves an existing one as it is (a user may have removed or added drives), but for moving
// an earlier machine's hiding place of drive H: out of it, once; on Windows the machine is there
// already. Throws WindowsError when the machine cannot be made or
// read.
void PrepareMachine();

// The machine's own data. On Linux: the registry hive, the drive table (its folder and every
// entry in it, each drive's link included) and the prefix that holds them; moved into a hiding
// place, they would take every drive, or the password, with them. On Windows: nothing, since
// the system keeps its registry and its drives where no program moves them.
struct MachineData {
    std::vector<ItemIdentity> files;    // each of these items itself
    std::vector<ItemIdentity> tables;   // folders of which every entry, link or not, is data
    std::vector<ItemIdentity> holders;  // folders that hold data, each with every folder above
};
MachineData MachineDataItems();

// Where Windows put a file that a 32-bit program wrote at this path: on 64-bit Windows such a
// program's writes to the system folder, C:\Windows\System32, went to C:\Windows\SysWOW64.
// Nothing for a path anywhere else, on 32-bit Windows, and on Linux.
std::optional<std::string> RedirectedPlaceOf(std::string_view windows_path);

}  // namespace platform
