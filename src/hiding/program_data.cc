#include "hiding/program_data.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "hiding/host_identity.h"
#include "hiding/intent_journal.h"
#include "platform/prefix.h"
#include "platform/registry.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hidden_items_register.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

// Whether `item` is the folder `data_folder` (its real path, links resolved) or a folder above it.
bool IsOrHoldsFolder(const struct stat& item, const fs::path& data_folder) {
    const std::vector<HostIdentity> folders = FolderAndAbove(data_folder);
    return std::find(folders.begin(), folders.end(), HostIdentity::Of(item)) != folders.end();
}

// The files the program keeps in the register's folder: the register, its temporary file, its
// lock and its journals, in whatever letter case they are reached.
bool IsProgramFileName(const std::string& host_name) {
    const std::string name = platform::FoldCase(host_name);
    return name == "tessarn.dat" || name == "temp.dat" || name == ".tessarn.dat.lock" ||
           IsJournalName(name);
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
        stat(host.parent_path().c_str(), &parent) == 0 &&
        HostIdentity::Of(folder) == HostIdentity::Of(parent) &&
        IsProgramFileName(host.filename().string())) {
        return true;
    }
    // The hive, and the drive table beside it: without it the machine has no drives at all.
    const fs::path hive = platform::HiveFile();
    struct stat hive_file;
    if (stat(hive.c_str(), &hive_file) == 0 &&
        HostIdentity::Of(hive_file) == HostIdentity::Of(item)) {
        return true;
    }
    return folder_item && (IsOrHoldsFolder(item, platform::PrefixFolder() / "dosdevices") ||
                           IsOrHoldsFolder(item, hive.parent_path()));
}

}  // namespace hiding
