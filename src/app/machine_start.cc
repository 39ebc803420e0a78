#include "app/machine_start.h"

#include <cstdio>

#include "forms/message_box.h"
#include "platform/machine.h"
#include "platform/windows_error.h"

namespace app {

bool PrepareMachineOrTell() {
    try {
        platform::PrepareMachine();
        return true;
    } catch (const platform::WindowsError& error) {
        std::fprintf(stderr, "tessarn: %s\n", error.what());
        if (forms::MessageBoxesReachTheUser()) {
            forms::MsgBox(error.what());
        }
        return false;
    }
}

}  // namespace app
