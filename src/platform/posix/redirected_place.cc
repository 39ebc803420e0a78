#include "platform/machine.h"

namespace platform {

// The Linux machine has one system folder: nothing of it was ever redirected.
std::optional<std::string> RedirectedPlaceOf(std::string_view) {
    return std::nullopt;
}

}  // namespace platform
