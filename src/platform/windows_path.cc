#include "platform/windows_path.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

std::optional<WindowsPath> ParseWindowsPath(std::string_view text) {
    if (text.size() < 2 || text[1] != ':') return std::nullopt;
    const auto letter = static_cast<unsigned char>(text[0]);
    if (letter > 0x7F || !std::isalpha(letter)) return std::nullopt;
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(2);
    // "C:name" would be relative to the drive's current folder, which this machine does not keep.
    if (!rest.empty() && !IsSeparator(rest.front())) return std::nullopt;

    WindowsPath path{static_cast<char>(std::tolower(letter)), {}};
    while (!rest.empty()) {
        const auto end = std::find_if(rest.begin(), rest.end(), IsSeparator);
        std::string_view component = rest.substr(0, static_cast<std::size_t>(end - rest.begin()));
        const bool followed_by_separator = end != rest.end();
        rest.remove_prefix(std::min(rest.size(), component.size() + 1));
        if (component.empty()) continue;
        path.ends_in_separator = followed_by_separator;
        if (component == ".") continue;
        if (component == "..") {
            if (!path.components.empty()) path.components.pop_back();
            continue;
        }
        // Windows drops one trailing dot of a folder on the way ("C:\Docs.\a" is C:\Docs\a), but
        // keeps its trailing spaces.
        if (followed_by_separator && component.ends_with('.')) component.remove_suffix(1);
        // "...\" is left as a folder named "..", which no Windows file system accepts; taken as
        // a name here it would climb out of the drive's folder on the host.
        if (component == "..") return std::nullopt;
        path.components.emplace_back(component);
    }
    // The last name loses all its trailing dots and spaces; one made of nothing else leaves the
    // path ending at the folder before it.
    if (!path.ends_in_separator && !path.components.empty()) {
        std::string& last = path.components.back();
        last.erase(last.find_last_not_of(". ") + 1);
        if (last.empty()) {
            path.components.pop_back();
            path.ends_in_separator = true;
        }
    }
    if (path.components.empty()) path.ends_in_separator = false;
    return path;
}

std::string FormatWindowsPath(const WindowsPath& path) {
    std::string text{static_cast<char>(std::toupper(static_cast<unsigned char>(path.drive))), ':'};
    if (path.components.empty()) return text + '\\';
    for (const std::string& component : path.components) text += '\\' + component;
    return text;
}

bool SpellableInWindowsPath(std::string_view host_name) {
    return !host_name.empty() && host_name.find('\\') == std::string_view::npos &&
           host_name.back() != ' ' && host_name.back() != '.';
}

}  // namespace platform
