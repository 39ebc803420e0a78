#include "platform/machine.h"

namespace platform {

// Windows is the machine: its drives, its registry and C:\Windows\System32 are there before the
// program starts.
void PrepareMachine() {}

// The system keeps its registry and its drive table where no move of the program reaches them
// apart from C:\Windows, which holds the register's folder and is refused for that.
MachineData MachineDataItems() {
    return {};
}

}  // namespace platform
