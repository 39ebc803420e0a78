#include "platform/medium.h"

#include <cstdint>
#include <cstdio>

namespace platform {

std::string Medium::SerialText() const {
    std::uint32_t number = 0;
    if (identity_.size() == 4) {
        for (std::size_t i = 0; i < 4; ++i) {
            number |= static_cast<std::uint32_t>(static_cast<unsigned char>(identity_[i]))
                      << (8 * i);
        }
    } else {
        // FNV-1a: any fixed digest serves, as long as it never changes between versions.
        number = 2166136261u;
        for (const char byte : identity_) {
            number = (number ^ static_cast<unsigned char>(byte)) * 16777619u;
        }
    }
    char text[10];
    std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(number >> 16),
                  static_cast<unsigned>(number & 0xFFFF));
    return text;
}

}  // namespace platform
