#include "hiding/program_data.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/prefix.h"
#include "platform/registry.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRegisterFolder = "c:\\windows\\system32";

bool Same(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `item` is the folder `data_folder` (its real path, links resolved) or a folder above it.
bool IsOrHoldsFolder(const struct stat& item, const fs::path& data_folder) {
    const std::unique_ptr<char, decltype(&free)> real(realpath(data_folder.c_str(), nullptr),
                                                      &free);
    if (real == nullptr) return false;
    std::string place = real.get();
    for (;;) {
        struct stat info;
        if (stat(place.c_str(), &info) == 0 && Same(info, item)) return true;
        const std::size_t slash = place.rfind('/');
        if (slash == std::string::npos || place == "/") return false;
        place.resize(slash == 0 ? 1 : slash);
    }
}

// The files the program keeps in the register's folder: the register, its temporary file, its
// lock and its journals, in whatever letter case they are reached.
bool IsProgramFileName(const std::string& host_name) {
    const std::string name = platform::FoldCase(host_name);
    return name == "tessarn.dat" || name == "temp.dat" || name == ".tessarn.dat.lock" ||
           (name.starts_with("tessarn") && name.ends_with(".jnl"));
}

}  // namespace

bool CarriesProgramData(std::string_view item_path) {
    fs::path host;
    fs::path register_folder;
    try {
        host = platform::ResolveWindowsPath(item_path).host;
        register_folder = platform::ResolveWindowsPath(kRegisterFolder).host;
    } catch (const platform::WindowsError&) {
        // A path that names nothing on any drive carries nothing away; its move fails on its own.
        return false;
    }
    struct stat item;
    if (lstat(host.c_str(), &item) != 0 || S_ISLNK(item.st_mode)) return false;
    // Only a folder can hold another; a file can only be one of the data files themselves.
    const bool folder_item = S_ISDIR(item.st_mode);
    if (folder_item && IsOrHoldsFolder(item, register_folder)) return true;
    struct stat folder;
    struct stat parent;
    if (stat(register_folder.c_str(), &folder) == 0 &&
        stat(host.parent_path().c_str(), &parent) == 0 && Same(folder, parent) &&
        IsProgramFileName(host.filename().string())) {
        return true;
    }
    // The hive, and the drive table beside it: without it the machine has no drives at all.
    const fs::path hive = platform::HiveFile();
    struct stat hive_file;
    if (stat(hive.c_str(), &hive_file) == 0 && Same(hive_file, item)) return true;
    return folder_item && (IsOrHoldsFolder(item, platform::PrefixFolder() / "dosdevices") ||
                           IsOrHoldsFolder(item, hive.parent_path()));
}

}  // namespace hiding
