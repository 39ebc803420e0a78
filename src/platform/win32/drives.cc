#include "platform/drives.h"

#include <array>
#include <cctype>

#include "platform/win32/system_path.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

// What a DriveTableSnapshot keeps: the letters the system reported and each drive as first read.
struct Snapshot {
    std::optional<::DWORD> letters;
    std::array<std::optional<std::optional<Drive>>, 26> drives;
};
thread_local Snapshot* snapshot = nullptr;

// A drive whose medium is out asks the user to insert one unless the process has said it
// handles that itself; the program reports such a drive as not ready instead.
void KeepCriticalErrorsQuiet() {
    static const bool once = [] {
        SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        return true;
    }();
    (void)once;
}

::DWORD LogicalDrives() {
    if (snapshot != nullptr) {
        if (!snapshot->letters) snapshot->letters = GetLogicalDrives();
        return *snapshot->letters;
    }
    return GetLogicalDrives();
}

// A drive is ready when its root answers: one without its medium says ERROR_NOT_READY, and one
// whose root leads nowhere (a substituted folder that is gone; under Wine, a drive link that
// dangles) says the path is missing. The volume is asked for its label only then: under Wine
// each volume query is a call to its mount manager, a hundred times dearer than the root's
// attributes.
Drive ReadDrive(char letter) {
    KeepCriticalErrorsQuiet();
    const wchar_t root[] = {static_cast<wchar_t>(std::toupper(letter)), L':', L'\\', L'\0'};
    Drive drive{letter, std::filesystem::path(root), false, {}};
    const ::DWORD attributes = GetFileAttributesW(root);
    drive.ready = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    std::array<wchar_t, MAX_PATH + 1> label{};
    if (drive.ready && GetVolumeInformationW(root, label.data(), static_cast<::DWORD>(label.size()),
                                             nullptr, nullptr, nullptr, nullptr, 0)) {
        drive.label = win32::Utf8(label.data());
    }
    return drive;
}

std::optional<Drive> KeptDrive(char letter, ::DWORD letters) {
    if (!(letters & (1u << (letter - 'a')))) return std::nullopt;
    if (snapshot == nullptr) return ReadDrive(letter);
    std::optional<std::optional<Drive>>& kept = snapshot->drives[letter - 'a'];
    if (!kept) kept = ReadDrive(letter);
    return *kept;
}

char LowerLetter(char letter) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
}

}  // namespace

DriveTableSnapshot::DriveTableSnapshot() : outermost_(snapshot == nullptr) {
    if (outermost_) snapshot = new Snapshot{};
}

DriveTableSnapshot::~DriveTableSnapshot() {
    if (!outermost_) return;
    delete snapshot;
    snapshot = nullptr;
}

std::vector<Drive> ListDrives() {
    std::vector<Drive> drives;
    const ::DWORD letters = LogicalDrives();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (std::optional<Drive> drive = KeptDrive(letter, letters)) {
            drives.push_back(std::move(*drive));
        }
    }
    return drives;
}

std::optional<Drive> FindDrive(char letter) {
    const char lower = LowerLetter(letter);
    if (lower < 'a' || lower > 'z') return std::nullopt;
    return KeptDrive(lower, LogicalDrives());
}

}  // namespace platform
