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

// A drive is ready when its volume answers. A root that leads nowhere (a substituted folder that
// is gone; under Wine, a drive link that dangles) is DRIVE_NO_ROOT_DIR, and is not ready either,
// although Wine then still answers the volume query for it.
std::optional<Drive> ReadDrive(char letter) {
    if (!(LogicalDrives() & (1u << (letter - 'a')))) return std::nullopt;
    KeepCriticalErrorsQuiet();
    const wchar_t root[] = {static_cast<wchar_t>(std::toupper(letter)), L':', L'\\', L'\0'};
    Drive drive{letter, std::filesystem::path(root), false, {}};
    if (GetDriveTypeW(root) == DRIVE_NO_ROOT_DIR) return drive;
    std::array<wchar_t, MAX_PATH + 1> label{};
    drive.ready = GetVolumeInformationW(root, label.data(), static_cast<::DWORD>(label.size()),
                                        nullptr, nullptr, nullptr, nullptr, 0) != FALSE;
    if (drive.ready) drive.label = win32::Utf8(label.data());
    return drive;
}

std::optional<Drive> KeptDrive(char letter) {
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
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (std::optional<Drive> drive = KeptDrive(letter)) drives.push_back(std::move(*drive));
    }
    return drives;
}

std::optional<Drive> FindDrive(char letter) {
    const char lower = LowerLetter(letter);
    if (lower < 'a' || lower > 'z') return std::nullopt;
    return KeptDrive(lower);
}

}  // namespace platform
