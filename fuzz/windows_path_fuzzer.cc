// Windows path resolution on any text. The promise: a path either resolves to a host path inside
// the folder its drive letter maps to, spelled as the host spells it, or the call fails with a
// WindowsError that says why. And the names Windows cannot hold are told of drive paths alone,
// as Unhide asks of a record's path before it moves anything.
//
// The drives are built here without symbolic links: a link inside a drive may lead anywhere, as
// a link on Windows may, and only the path text is under test.
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_machine.h"
#include "platform/drives.h"
#include "platform/posix/host_path.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"
#include "platform/windows_names.h"
#include "platform/windows_path.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

void MakeFolder(const fs::path& folder) {
    fs::create_directories(folder);
}

void MakeFile(const fs::path& file) {
    fs::create_directories(file.parent_path());
    fuzz::WriteHostFile(file, "data");
}

// C: as a first start makes it, D: beside the prefix with names that differ only in letter case
// or lie outside ASCII, G: nested inside C:, E: a dangling link and F: a link to a file, the two
// kinds of drive that are not ready.
void BuildDrives(const fs::path& prefix) {
    const fs::path dosdevices = prefix / "dosdevices";
    const fs::path c = prefix / "drive_c";
    MakeFile(c / "Docs" / "report.txt");
    MakeFile(c / "windows" / "system32" / "tessarn.dat");

    const fs::path d = prefix.parent_path() / "drive_d";
    MakeFile(d / "Docs" / "Report.TXT");
    MakeFile(d / "docs" / "notes.txt");
    MakeFile(d / "Café Ÿ" / "ÿ.txt");
    MakeFile(d / "sub dir" / "inner" / "deep.txt");
    MakeFile(d / "recycled" / "H1");
    MakeFile(d / "\xff\xfe not UTF-8");
    MakeFolder(d / "trailing " / "dotted..");
    fs::create_directory_symlink(d, dosdevices / "d:");

    fs::create_directory_symlink(prefix.parent_path() / "missing", dosdevices / "e:");
    fs::create_symlink(c / "Docs" / "report.txt", dosdevices / "f:");
    fs::create_directory_symlink("../drive_c/windows", dosdevices / "g:");
}

const fs::path& Machine() {
    static const fs::path prefix = [] {
        const fs::path& folder = fuzz::TemporaryMachine();
        BuildDrives(folder);
        return folder;
    }();
    return prefix;
}

// Whether `inner` is `outer` or lies below it, by path components.
bool Within(const fs::path& inner, const fs::path& outer) {
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first ==
           outer.end();
}

void CheckResolved(std::string_view text, const HostLocation& location) {
    const std::optional<WindowsPath> parsed = ParseWindowsPath(text);
    fuzz::Require(parsed.has_value(), "only a drive path resolves");
    const std::optional<Drive> drive = FindDrive(parsed->drive);
    fuzz::Require(drive && drive->ready, "only a ready drive resolves");
    fuzz::Require(location.windows.drive == parsed->drive, "a path stays on its drive letter");

    const fs::path root = drive->host_root.lexically_normal();
    fuzz::Require(Within(location.host, root), "a resolved path lies in its drive's folder");
    for (auto part = std::next(location.host.begin(), std::distance(root.begin(), root.end()));
         part != location.host.end(); ++part) {
        fuzz::Require(*part != "." && *part != ".." && !part->empty(),
                      "a resolved path has no component that climbs");
    }
    // What lies below the deepest existing folder is plain names, checked above; a name too long
    // for the host is one of them, so the host is asked about the existing part alone.
    struct stat info;
    fs::path existing = location.host;
    while (lstat(existing.c_str(), &info) != 0) existing = existing.parent_path();
    fuzz::Require(Within(fs::canonical(existing), fs::canonical(root)),
                  "a resolved path leads into its drive's folder on the host");

    fuzz::Require(location.windows.components.size() == parsed->components.size(),
                  "every component of the path is resolved");
    for (std::size_t i = 0; i < parsed->components.size(); ++i) {
        fuzz::Require(EqualIgnoringCase(location.windows.components[i], parsed->components[i]),
                      "a host spelling differs from the typed name in letter case only");
    }
    fuzz::Require(location.exists == (lstat(location.host.c_str(), &info) == 0),
                  "a location exists exactly when its host path does");

    // A name ending in a dot or space cannot be spelled again, on Windows either.
    if (std::all_of(location.windows.components.begin(), location.windows.components.end(),
                    [](const std::string& name) { return SpellableInWindowsPath(name); })) {
        const std::optional<WindowsPath> again =
            ParseWindowsPath(FormatWindowsPath(location.windows));
        fuzz::Require(again && again->components == location.windows.components,
                      "the resolved Windows path reads back as itself");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Machine();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<std::string> why = WhyWindowsCannotHold(text)) {
        fuzz::Require(ParseWindowsPath(text).has_value() && !why->empty(),
                      "a name Windows cannot hold is told of a drive path, with its reason");
    }
    try {
        CheckResolved(text, ResolveWindowsPath(text));
    } catch (const WindowsError& error) {
        const LONG code = error.code();
        const bool parses = ParseWindowsPath(text).has_value();
        fuzz::Require(code == ERROR_INVALID_NAME ||
                          (code == ERROR_PATH_NOT_FOUND && text.empty()) ||
                          (code == ERROR_NOT_READY && parses),
                      "a path that does not resolve says why: no path, no drive path, a file's "
                      "name written as a folder's, or no ready drive");
    }
    return 0;
}
