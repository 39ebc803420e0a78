// Paths given to the program from outside it: the one it is started with (by Explorer's "Hide
// with Tessarn…", a file manager's action or a shell) and those of the items dropped on its main
// window. They are the system's own: a host path on Linux, a Windows path on Windows, either one
// absolute or relative to the current folder.
#pragma once

#include <string>
#include <string_view>

namespace platform {

struct GivenItem {
    enum class Found {
        kOnDrive,    // `path` is its Windows path
        kMissing,    // no file or folder is there
        kOnNoDrive,  // it lies on no drive, or a name on its way has no Windows spelling
    };
    Found found;
    std::string path;  // "C:\Docs\report.txt", "C:\" for a root
};

// The item a given path names, as a Windows path of the machine's drives. On Linux the drive
// whose folder holds it most closely names it (the home folder is H:\, the host's root Z:\), and
// a symbolic link is the item itself, not what it leads to, as a Hide of it moves the link alone.
// On Windows a path on a network share (\\server\share) lies on no drive.
GivenItem ItemOfGivenPath(std::string_view given);

}  // namespace platform
