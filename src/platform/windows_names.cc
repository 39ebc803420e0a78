#include "platform/windows_names.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/windows_path.h"

namespace platform {
namespace {

constexpr std::size_t kLongestPath = 259;

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The device a name stands for, in upper case, or nothing. Windows takes the text before the
// first dot, less its trailing spaces, for the device: "nul.txt" and "NUL .tar.gz" are NUL.
std::optional<std::string> DeviceOf(std::string_view name) {
    std::string stem = LowerAscii(name.substr(0, name.find('.')));
    stem.erase(stem.find_last_not_of(' ') + 1);
    constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
    const bool plain = std::find(kPlain.begin(), kPlain.end(), stem) != kPlain.end();
    const std::string_view port = std::string_view(stem).substr(0, 3);
    const std::string_view number = std::string_view(stem).substr(port.size());
    const bool numbered = (port == "com" || port == "lpt") &&
                          ((number.size() == 1 && number[0] >= '1' && number[0] <= '9') ||
                           number == "\u00B9" || number == "\u00B2" || number == "\u00B3");
    if (!plain && !numbered) return std::nullopt;
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return stem;
}

std::optional<std::string> WhyNotAName(const std::string& name) {
    const std::string quoted = "the name \"" + name + "\"";
    if (const std::optional<std::string> device = DeviceOf(name)) {
        return quoted + " stands for the device " + *device;
    }
    if (name.back() == '.') return quoted + " ends in a dot";
    if (name.back() == ' ') return quoted + " ends in a space";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return quoted + " holds a control character (code " +
                   std::to_string(static_cast<int>(c)) + ")";
        }
        if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
            return quoted + " holds the character " + c + ", which no Windows name may hold";
        }
    }
    return std::nullopt;
}

// Windows counts a path in UTF-16 units: one for each character, two beyond U+FFFF.
std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) ++units;
        if (byte >= 0xF0) ++units;
    }
    return units;
}

}  // namespace

std::optional<std::string> WhyWindowsCannotHold(std::string_view text) {
    const std::optional<WindowsPath> path = ParseWindowsPath(text);
    if (!path) return std::nullopt;
    for (const std::string& name : path->components) {
        if (std::optional<std::string> why = WhyNotAName(name)) return why;
    }
    const std::size_t length = Utf16Length(FormatWindowsPath(*path));
    if (length > kLongestPath) {
        return "it is " + std::to_string(length) +
               " characters long, and Windows' own tools reach no path longer than " +
               std::to_string(kLongestPath);
    }
    return std::nullopt;
}

}  // namespace platform
