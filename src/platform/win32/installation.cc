#include "platform/installation.h"

#include "platform/utf16.h"
#include "platform/win32/windows_api.h"

namespace platform {

std::string ReadmeFolder() {
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const ::DWORD size =
            GetModuleFileNameW(nullptr, program.data(), static_cast<::DWORD>(program.size()));
        if (size == 0) return {};
        if (size < program.size()) {
            program.resize(size);
            break;
        }
        program.resize(program.size() * 2);
    }
    if (program.starts_with(L"\\\\?\\")) program.erase(0, 4);
    std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    // A root keeps its backslash: "C:\", not the current folder of drive C.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return Utf8(folder);
}

}  // namespace platform
