#include "platform/given_path.h"

#include <optional>

#include "platform/file_system.h"
#include "platform/utf16.h"
#include "platform/win32/windows_api.h"
#include "platform/windows_path.h"

namespace platform {

GivenItem ItemOfGivenPath(std::string_view given) {
    using Found = GivenItem::Found;
    if (given.empty()) return {Found::kMissing, {}};
    // Relative paths are taken against the current folder, as the system takes them.
    const std::wstring wide = Wide(given);
    std::wstring full(MAX_PATH, L'\0');
    ::DWORD size =
        GetFullPathNameW(wide.c_str(), static_cast<::DWORD>(full.size()), full.data(), nullptr);
    if (size >= full.size()) {
        full.resize(size);
        size =
            GetFullPathNameW(wide.c_str(), static_cast<::DWORD>(full.size()), full.data(), nullptr);
    }
    if (size == 0 || size >= full.size()) return {Found::kMissing, {}};
    full.resize(size);
    // The system's own prefix for long paths says nothing of the item.
    constexpr std::wstring_view kLongPathPrefix = L"\\\\?\\";
    if (full.starts_with(kLongPathPrefix)) full.erase(0, kLongPathPrefix.size());

    const std::optional<WindowsPath> parsed = ParseWindowsPath(Utf8(full));
    if (!parsed) return {Found::kOnNoDrive, {}};
    const std::string path = FormatWindowsPath(*parsed);
    if (!ItemExists(path)) return {Found::kMissing, {}};
    return {Found::kOnDrive, path};
}

}  // namespace platform
