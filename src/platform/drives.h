// The drive table: every drive letter is a symbolic link <prefix>/dosdevices/<letter>: to a host
// folder. A drive is "not ready" when its link dangles or its folder cannot be read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct Drive {
    char letter;                      // lower case, 'a'..'z'
    std::filesystem::path host_root;  // the link's target, made absolute against dosdevices/
    bool ready;
    std::string text() const;  // "c:" — the letter and colon only, as a drive list reads it
};

// All drives of the machine, ordered by letter. Reads dosdevices/ anew on every call.
std::vector<Drive> ListDrives();

// The drive of a letter in either case, or nothing when the machine has no such drive.
std::optional<Drive> FindDrive(char letter);

}  // namespace platform
