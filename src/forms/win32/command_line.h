// The program's command line on Windows, as WinMain passes it to Main.
#pragma once

#include <string>
#include <vector>

namespace forms::win32 {

// The arguments after the program's own name, split as the C runtime splits them, in UTF-8: the
// command line's own UTF-16 text, since WinMain's narrow copy loses every character outside the
// ANSI code page.
std::vector<std::string> ProgramArguments();

}  // namespace forms::win32
