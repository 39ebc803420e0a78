#include "platform/sudden_death.h"

#include <cstdlib>

#include "platform/win32/windows_api.h"

namespace platform {

void DieAtOnce() {
    TerminateProcess(GetCurrentProcess(), kKilledExitCode);
    std::abort();  // TerminateProcess of the own process does not return
}

}  // namespace platform
