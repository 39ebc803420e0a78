#include "platform/drives.h"

// After windows_api.h, which <winternl.h> needs.
#include <winternl.h>

#include <array>
#include <cctype>
#include <string_view>
#include <unordered_map>

#include "platform/utf16.h"
#include "platform/win32/system_path.h"
#include "platform/win32/volumes.h"
#include "platform/win32/windows_api.h"

namespace platform {
namespace {

// What a volume query gave, as a DriveTableSnapshot keeps it: the answer, or the system's reason
// for having none.
struct VolumeAnswer {
    std::optional<win32::VolumeInformation> volume;
    ::DWORD error = 0;
};

// What a DriveTableSnapshot keeps: the letters the system reported, each letter's root as first
// asked (ReadDrive below), what each drive's volume said of itself, and the serial number of each
// volume that holds an item looked at, by the volume's name (VolumeName below).
struct Snapshot {
    std::optional<::DWORD> letters;
    std::array<std::optional<Drive>, 26> roots;
    std::array<std::optional<VolumeAnswer>, 26> volumes_in_drives;
    std::unordered_map<std::wstring, ::DWORD> serials;
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

std::array<wchar_t, 4> RootOf(char letter) {
    return {static_cast<wchar_t>(std::toupper(letter)), L':', L'\\', L'\0'};
}

// A drive is ready when its root answers: one without its medium says ERROR_NOT_READY, and one
// whose root leads nowhere (a substituted folder that is gone; under Wine, a drive link that
// dangles) says the path is missing, as does a letter without a drive. Its label is read only
// for ListDrives (VolumeInDrive).
Drive ReadDrive(char letter) {
    KeepCriticalErrorsQuiet();
    const std::array<wchar_t, 4> root = RootOf(letter);
    Drive drive{letter, std::filesystem::path(root.data()), false, {}};
    const ::DWORD attributes = GetFileAttributesW(root.data());
    drive.ready = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return drive;
}

// The letter's root as the snapshot keeps it, asked once.
Drive KeptRoot(char letter) {
    if (snapshot == nullptr) return ReadDrive(letter);
    std::optional<Drive>& kept = snapshot->roots[letter - 'a'];
    if (!kept) kept = ReadDrive(letter);
    return *kept;
}

bool InMask(char letter, ::DWORD letters) {
    return letters & (1u << (letter - 'a'));
}

char LowerLetter(char letter) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
}

VolumeAnswer AskVolumeInDrive(char letter) {
    KeepCriticalErrorsQuiet();
    const std::array<wchar_t, 4> root = RootOf(letter);
    std::array<wchar_t, MAX_PATH + 1> label{};
    ::DWORD serial = 0;
    if (!GetVolumeInformationW(root.data(), label.data(), static_cast<::DWORD>(label.size()),
                               &serial, nullptr, nullptr, nullptr, 0)) {
        return {std::nullopt, GetLastError()};
    }
    return {win32::VolumeInformation{serial, Utf8(label.data())}, 0};
}

std::optional<::DWORD> AskSerialOfVolumeHolding(HANDLE item) {
    ::DWORD serial = 0;
    if (!GetVolumeInformationByHandleW(item, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) {
        return std::nullopt;
    }
    return serial;
}

// The name of the volume that holds an open item, as the system names the item itself:
// "\Device\HarddiskVolume3" on Windows, "\??\C:" under Wine, which names an item by the drive
// whose folder holds it and takes the item's volume from that same drive. Asking for it costs
// no volume query. Nothing where the name does not tell one volume: below a network device
// ("\Device\Mup\server\share"), one name holds many.
std::optional<std::wstring> VolumeName(HANDLE item) {
    alignas(OBJECT_NAME_INFORMATION) std::array<unsigned char, 4096> buffer;
    ULONG size = 0;
    if (!NT_SUCCESS(NtQueryObject(item, ObjectNameInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &size))) {
        return std::nullopt;
    }
    const UNICODE_STRING& name =
        reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer.data())->Name;
    const std::wstring_view text(name.Buffer, name.Length / sizeof(wchar_t));
    constexpr std::wstring_view kDrive = L"\\??\\";
    if (text.starts_with(kDrive) && text.size() > kDrive.size() + 1 &&
        text[kDrive.size() + 1] == L':') {
        return std::wstring(text.substr(0, kDrive.size() + 2));
    }
    constexpr std::wstring_view kDevice = L"\\Device\\";
    if (!text.starts_with(kDevice)) return std::nullopt;
    const std::wstring_view device = text.substr(0, text.find(L'\\', kDevice.size()));
    for (const std::wstring_view one_volume : {L"HarddiskVolume", L"CdRom", L"Floppy"}) {
        if (device.substr(kDevice.size()).starts_with(one_volume)) return std::wstring(device);
    }
    return std::nullopt;
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

std::vector<Drive> ListDrives(DriveLabels labels) {
    std::vector<Drive> drives;
    const ::DWORD letters = LogicalDrives();
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (!InMask(letter, letters)) continue;
        Drive drive = KeptRoot(letter);
        if (labels == DriveLabels::kRead && drive.ready) {
            if (const std::optional<win32::VolumeInformation> volume =
                    win32::VolumeInDrive(letter)) {
                drive.label = volume->label;
            }
        }
        drives.push_back(std::move(drive));
    }
    return drives;
}

// A root that answers is a drive's: only the letters whose roots do not answer need the mask.
std::vector<Drive> ListReadyDrives() {
    std::vector<Drive> drives;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        Drive drive = KeptRoot(letter);
        if (drive.ready) drives.push_back(std::move(drive));
    }
    return drives;
}

std::optional<Drive> FindDrive(char letter) {
    const char lower = LowerLetter(letter);
    if (lower < 'a' || lower > 'z') return std::nullopt;
    Drive drive = KeptRoot(lower);
    if (!drive.ready && !InMask(lower, LogicalDrives())) return std::nullopt;
    return drive;
}

namespace win32 {

std::optional<VolumeInformation> VolumeInDrive(char letter) {
    VolumeAnswer answer;
    if (snapshot == nullptr) {
        answer = AskVolumeInDrive(letter);
    } else {
        std::optional<VolumeAnswer>& kept = snapshot->volumes_in_drives[letter - 'a'];
        if (!kept) kept = AskVolumeInDrive(letter);
        answer = *kept;
    }
    if (!answer.volume) SetLastError(answer.error);
    return answer.volume;
}

std::optional<::DWORD> SerialOfVolumeHolding(HANDLE item) {
    if (snapshot == nullptr) return AskSerialOfVolumeHolding(item);
    const std::optional<std::wstring> volume = VolumeName(item);
    if (!volume) return AskSerialOfVolumeHolding(item);
    // An item named by its drive lies on the volume in that drive, which the operation may well
    // have asked about already.
    if (volume->starts_with(L"\\??\\")) {
        const char letter = LowerLetter(static_cast<char>(volume->at(4)));
        if (letter >= 'a' && letter <= 'z') {
            if (const std::optional<VolumeInformation> drive_volume = VolumeInDrive(letter)) {
                return drive_volume->serial;
            }
        }
        return AskSerialOfVolumeHolding(item);
    }
    if (const auto kept = snapshot->serials.find(*volume); kept != snapshot->serials.end()) {
        return kept->second;
    }
    const std::optional<::DWORD> serial = AskSerialOfVolumeHolding(item);
    if (serial) snapshot->serials.emplace(*volume, *serial);
    return serial;
}

}  // namespace win32
}  // namespace platform
