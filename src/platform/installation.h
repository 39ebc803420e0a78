// Where the program itself lies, as a user of this system finds it.
#pragma once

#include <string>

namespace platform {

// The folder that holds the program's README.md, as a path of this system. On Windows the
// folder the program runs from, where the installer and the portable zip put the README beside
// tessarn.exe ("C:\Program Files\Tessarn"). On Linux the installed documentation folder,
// <install prefix>/share/doc/tessarn beside the program's <install prefix>/bin, or the source
// tree when the program runs from the build folder it was built in.
std::string ReadmeFolder();

}  // namespace platform
