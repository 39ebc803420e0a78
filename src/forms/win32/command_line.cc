#include "forms/win32/command_line.h"

#include "forms/win32/peers.h"

// After <windows.h>, which peers.h brings.
#include <shellapi.h>

namespace forms::win32 {

std::vector<std::string> ProgramArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) return {};
    std::vector<std::string> after_name;
    for (int i = 1; i < count; ++i) after_name.push_back(Utf8(arguments[i]));
    LocalFree(arguments);
    return after_name;
}

}  // namespace forms::win32
