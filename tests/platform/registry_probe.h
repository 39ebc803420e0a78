// What the registry tests of both systems share: values a failing call must leave where they
// are, and the default value of a key read back as the program reads it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace platform::registry_probe {

inline const HKEY kSentinelKey = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x5EB4));
inline constexpr LONG kSentinelSize = 4242;
inline constexpr char kPasswordKey[] = "Software\\Tessarn";

// The default value of key\sub_key through a fresh query, or the call's error as text.
inline std::string Query(const char* sub_key, HKEY key = HKEY_LOCAL_MACHINE) {
    std::array<char, 512> buffer{};
    LONG size = buffer.size();
    const LONG result = RegQueryValueA(key, sub_key, buffer.data(), &size);
    if (result != ERROR_SUCCESS) return "error " + std::to_string(result);
    return std::string(buffer.data(), static_cast<std::size_t>(size) - 1);
}

}  // namespace platform::registry_probe
