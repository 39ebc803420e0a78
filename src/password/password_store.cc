#include "password/password_store.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "platform/registry.h"
#include "platform/text_case.h"

namespace password {

namespace {

// The stored value is read into a buffer of this many characters, filled with NULs.
constexpr platform::LONG kReadBufferSize = 200;

}  // namespace

std::string ReadStoredCheckValue() {
    using namespace platform;
    HKEY probe = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kPasswordKey, &probe) != ERROR_SUCCESS) return {};
    RegCloseKey(probe);

    HKEY root = nullptr;
    RegOpenKeyA(HKEY_LOCAL_MACHINE, "", &root);
    std::array<char, kReadBufferSize> buffer{};
    LONG size = 0;
    RegQueryValueA(root, kPasswordKey, buffer.data(), &size);
    // The size asked for is the size the value needs; passing it on unchecked would let a
    // value longer than the buffer run past it. Declared no larger, such a value is not
    // copied at all and reads as empty.
    size = std::min(size, kReadBufferSize);
    RegQueryValueA(root, kPasswordKey, buffer.data(), &size);
    RegCloseKey(root);
    return FromAnsi(std::string_view(buffer.data(), ::strnlen(buffer.data(), buffer.size())));
}

bool CheckValuesMatch(std::string_view stored, std::string_view computed) {
    return platform::EqualIgnoringCase(stored, computed);
}

void StoreCheckValue(std::string_view check_value) {
    using namespace platform;
    const std::string ansi = ToAnsi(check_value);
    const LONG result = RegSetValueA(HKEY_LOCAL_MACHINE, kPasswordKey, REG_SZ, ansi.c_str(),
                                     static_cast<DWORD>(ansi.size() + 1));
    if (result != ERROR_SUCCESS) {
        throw WindowsError(result, std::string("Cannot store the password in the registry key "
                                               "HKEY_LOCAL_MACHINE\\") +
                                       kPasswordKey);
    }
}

}  // namespace password
