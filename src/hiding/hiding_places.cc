#include "hiding/hiding_places.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

struct Identity {
    dev_t device;
    ino_t inode;
    bool operator==(const Identity&) const = default;
};

std::vector<Identity> HidingPlaces() {
    std::vector<Identity> places;
    for (const platform::Drive& drive : platform::ListDrives()) {
        if (!drive.ready) continue;
        try {
            const platform::HostLocation place =
                platform::ResolveWindowsPath(HidePathFor(drive.text(), ""));
            struct stat info;
            if (place.exists && stat(place.host.c_str(), &info) == 0) {
                places.push_back({info.st_dev, info.st_ino});
            }
        } catch (const platform::WindowsError&) {
        }
    }
    return places;
}

bool IsOneOf(const struct stat& info, const std::vector<Identity>& places) {
    for (const Identity& place : places) {
        if (place == Identity{info.st_dev, info.st_ino}) return true;
    }
    return false;
}

}  // namespace

bool InAHidingPlace(std::string_view path) {
    fs::path host;
    try {
        host = platform::ResolveWindowsPath(path).host;
    } catch (const platform::WindowsError&) {
        return false;
    }
    const std::vector<Identity> places = HidingPlaces();
    if (places.empty()) return false;
    // The item itself is not followed: a link lying in a hiding place lies there.
    struct stat info;
    if (lstat(host.c_str(), &info) == 0 && IsOneOf(info, places)) return true;
    // Its folders are, since a folder reached through a link is the folder it leads to.
    fs::path folder = host.parent_path();
    while (stat(folder.c_str(), &info) != 0 && folder.has_relative_path()) {
        folder = folder.parent_path();
    }
    const std::unique_ptr<char, decltype(&free)> real(realpath(folder.c_str(), nullptr), &free);
    if (real == nullptr) return false;
    for (std::string place = real.get();;
         place.resize(std::max<std::size_t>(place.rfind('/'), 1))) {
        if (stat(place.c_str(), &info) == 0 && IsOneOf(info, places)) return true;
        if (place == "/") return false;
    }
}

}  // namespace hiding
