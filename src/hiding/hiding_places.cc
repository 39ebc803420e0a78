#include "hiding/hiding_places.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "hiding/host_identity.h"
#include "platform/drives.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hiding_place.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

std::vector<HostIdentity> HidingPlaces() {
    std::vector<HostIdentity> places;
    for (const platform::Drive& drive : platform::ListDrives()) {
        if (!drive.ready) continue;
        try {
            const platform::HostLocation place =
                platform::ResolveWindowsPath(HidePathFor(drive.text(), ""));
            struct stat info;
            if (place.exists && stat(place.host.c_str(), &info) == 0) {
                places.push_back(HostIdentity::Of(info));
            }
        } catch (const platform::WindowsError&) {
        }
    }
    return places;
}

bool IsOneOf(const HostIdentity& identity, const std::vector<HostIdentity>& places) {
    return std::find(places.begin(), places.end(), identity) != places.end();
}

}  // namespace

bool InAHidingPlace(std::string_view path) {
    fs::path host;
    try {
        host = platform::ResolveWindowsPath(path).host;
    } catch (const platform::WindowsError&) {
        return false;
    }
    const std::vector<HostIdentity> places = HidingPlaces();
    if (places.empty()) return false;
    // The item itself is not followed: a link lying in a hiding place lies there.
    struct stat info;
    if (lstat(host.c_str(), &info) == 0 && IsOneOf(HostIdentity::Of(info), places)) return true;
    // Its folders are, since a folder reached through a link is the folder it leads to.
    fs::path folder = host.parent_path();
    while (stat(folder.c_str(), &info) != 0 && folder.has_relative_path()) {
        folder = folder.parent_path();
    }
    for (const HostIdentity& above : FolderAndAbove(folder)) {
        if (IsOneOf(above, places)) return true;
    }
    return false;
}

}  // namespace hiding
