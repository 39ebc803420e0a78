#include <string>

#include "platform/machine.h"
#include "platform/text_case.h"
#include "platform/utf16.h"
#include "platform/win32/system_path.h"
#include "platform/win32/windows_api.h"
#include "platform/windows_path.h"

namespace platform {
namespace {

// A folder the system names, as a parsed path; nothing when it names none.
template <typename Query>
std::optional<WindowsPath> SystemFolder(Query query) {
    std::wstring folder(MAX_PATH, L'\0');
    const UINT size = query(folder.data(), static_cast<UINT>(folder.size()));
    if (size == 0 || size >= folder.size()) return std::nullopt;
    folder.resize(size);
    return ParseWindowsPath(Utf8(folder));
}

bool SameFolder(const WindowsPath& a, const WindowsPath& b) {
    return a.drive == b.drive && EqualIgnoringCase(FormatWindowsPath(a), FormatWindowsPath(b));
}

}  // namespace

std::optional<std::string> RedirectedPlaceOf(std::string_view windows_path) {
    const std::optional<WindowsPath> path = ParseWindowsPath(windows_path);
    if (!path || path->IsDriveRoot()) return std::nullopt;
    // GetSystemWow64Directory fails on 32-bit Windows, which redirects nothing.
    const std::optional<WindowsPath> system = SystemFolder(GetSystemDirectoryW);
    const std::optional<WindowsPath> redirected = SystemFolder(GetSystemWow64DirectoryW);
    if (!system || !redirected || !SameFolder(win32::FolderOf(*path), *system)) {
        return std::nullopt;
    }
    WindowsPath place = *redirected;
    place.components.push_back(path->components.back());
    return FormatWindowsPath(place);
}

}  // namespace platform
