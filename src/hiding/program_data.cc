#include "hiding/program_data.h"

#include <sys/stat.h>

#include <filesystem>

#include "platform/registry.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "hiding/intent_journal.h"
#include "register/hidden_items_register.h"

namespace hiding {
namespace {

namespace fs = std::filesystem;

// Whether `item` is `data` itself or one of the folders above it.
bool IsOrHolds(const struct stat& item, const fs::path& data) {
    std::error_code error;
    fs::path place = fs::weakly_canonical(data, error);
    if (error) return false;
    for (;;) {
        struct stat info;
        if (stat(place.c_str(), &info) == 0 && info.st_dev == item.st_dev &&
            info.st_ino == item.st_ino) {
            return true;
        }
        if (place == place.root_path() || place.empty()) return false;
        place = place.parent_path();
    }
}

}  // namespace

bool CarriesProgramData(std::string_view item_path) {
    struct stat item;
    try {
        const fs::path host = platform::ResolveWindowsPath(item_path).host;
        if (lstat(host.c_str(), &item) != 0 || S_ISLNK(item.st_mode)) return false;
        for (const char* data : {kRegisterPath, kTemporaryPath, kJournalPath}) {
            if (IsOrHolds(item, platform::ResolveWindowsPath(data).host)) return true;
        }
    } catch (const platform::WindowsError&) {
        // A path that names nothing on any drive carries nothing away; its move fails on its own.
        return false;
    }
    return IsOrHolds(item, platform::HiveFile());
}

}  // namespace hiding
