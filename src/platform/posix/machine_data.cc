#include <sys/stat.h>

#include <algorithm>

#include "platform/machine.h"
#include "platform/posix/host_identity.h"
#include "platform/posix/prefix.h"

namespace platform {

MachineData MachineDataItems() {
    namespace fs = std::filesystem;
    MachineData data;
    struct stat info;
    const fs::path hive = HiveFile();
    if (stat(hive.c_str(), &info) == 0) data.files.push_back(IdentityOf(info));
    // The drive table's links are data as the links themselves: moved, a link takes its drive
    // away however the item was reached, while what it leads to stays where it is.
    const fs::path dosdevices = PrefixFolder() / "dosdevices";
    data.holders = HostFolderAndAbove(dosdevices);
    if (!data.holders.empty()) data.tables.push_back(data.holders.front());
    // The hive's folder is the prefix, which the drive table's chain holds already unless a link
    // puts it elsewhere.
    if (stat(hive.parent_path().c_str(), &info) != 0 ||
        std::find(data.holders.begin(), data.holders.end(), IdentityOf(info)) ==
            data.holders.end()) {
        for (const ItemIdentity& folder : HostFolderAndAbove(hive.parent_path())) {
            data.holders.push_back(folder);
        }
    }
    return data;
}

}  // namespace platform
