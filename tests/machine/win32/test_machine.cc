#include "machine/test_machine.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text_case.h"

namespace test_machine {
namespace fs = std::filesystem;

namespace {

// What a fresh Wine prefix has at the root of C:, and the hiding place the runner makes there.
// Everything else at the root was made by a test.
constexpr std::array<std::string_view, 6> kRootOfAFreshMachine = {
    "windows", "users", "program files", "program files (x86)", "programdata", "recycled"};

void Require(bool condition, const std::string& what) {
    if (!condition) throw std::runtime_error("test machine: " + what);
}

// The tests wipe C:, which is only ever done to the Wine machine that `make windows-test` made
// for them; the runner says so through the environment.
void RequireTheTestMachine() {
    const char* machine = std::getenv("TESSARN_TEST_MACHINE");
    Require(machine != nullptr && std::string_view(machine) == "wine",
            "TESSARN_TEST_MACHINE is not \"wine\": these tests wipe drive C, and run only on the "
            "Wine machine that make windows-test makes");
}

// The host folder of drive D, as the host names it.
std::string HostPathOfD() {
    const char* folder = std::getenv("TESSARN_TEST_DRIVE_D");
    Require(folder != nullptr && *folder == '/', "TESSARN_TEST_DRIVE_D names no host folder");
    return folder;
}

// The host folder of drive D as drive Z, which Wine maps to the host's root, reaches it.
fs::path HostFolderOfD() {
    std::string path = "Z:" + HostPathOfD();
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Where drive D's own medium is kept while it is out of the drive, or while another is in.
fs::path OutOfTheDrive(const fs::path& folder) {
    return folder.string() + "-out";
}

// The host folder of drive E, the drive without a medium: beside drive D's
// (tests/windows/run-tests).
fs::path HostFolderOfE() {
    return HostFolderOfD().parent_path() / "no-medium";
}

// What Windows knows a medium by. Wine reads a drive's serial number and label from the files
// .windows-serial and .windows-label at the root of its folder (Wine hides them, as it hides
// every name that begins with a dot); they are part of the medium, and no wipe removes them.
struct MediumIdentity {
    ::DWORD serial;
    const char* label;
};
constexpr MediumIdentity kFirstMediumOfD = {0x7E5D0001, "d"};
// Another stick under the same label: only the serial number tells them apart.
constexpr MediumIdentity kAnotherMediumOfD = {0x7E5D0002, "d"};

bool IsMediumIdentityFile(const fs::path& entry) {
    const std::string name = entry.filename().string();
    return name == ".windows-serial" || name == ".windows-label";
}

void GiveIdentity(const fs::path& root, const MediumIdentity& medium) {
    char serial[16];
    std::snprintf(serial, sizeof serial, "%08lX\n", static_cast<unsigned long>(medium.serial));
    std::ofstream(root / ".windows-serial", std::ios::binary | std::ios::trunc) << serial;
    std::ofstream(root / ".windows-label", std::ios::binary | std::ios::trunc)
        << medium.label << "\n";
}

bool DriveDHolds(const MediumIdentity& medium) {
    std::array<wchar_t, MAX_PATH + 1> label{};
    ::DWORD serial = 0;
    if (!GetVolumeInformationW(L"D:\\", label.data(), static_cast<::DWORD>(label.size()), &serial,
                               nullptr, nullptr, nullptr, 0)) {
        return false;
    }
    const std::string wanted = medium.label;
    return serial == medium.serial &&
           std::wstring(label.data()) == std::wstring(wanted.begin(), wanted.end());
}

// Wine's mount manager reads a drive's serial number and label once, when the drive is defined,
// and keeps them while the drive stays: a medium changed under the same letter is seen only once
// the drive is defined anew, as Wine itself does when a disk comes or goes. Its own request for
// that (the one winecfg sends), with the drive's host folder as mount point.
struct WineUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fs_type;
    ::DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
};
constexpr ::DWORD kDefineUnixDrive =
    CTL_CODE(static_cast<ULONG>('m'), 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

void DefineDriveDAnew() {
    const std::string mount_point = HostPathOfD();
    std::vector<char> request(sizeof(WineUnixDrive) + mount_point.size() + 1, '\0');
    WineUnixDrive drive{};
    drive.size = static_cast<ULONG>(request.size());
    drive.type = DRIVE_FIXED;
    drive.letter = L'd';
    drive.mount_point_offset = sizeof(WineUnixDrive);
    std::memcpy(request.data(), &drive, sizeof drive);
    std::memcpy(request.data() + sizeof drive, mount_point.c_str(), mount_point.size() + 1);
    const HANDLE manager =
        CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    Require(manager != INVALID_HANDLE_VALUE, "cannot reach Wine's mount manager");
    ::DWORD returned = 0;
    const bool defined =
        DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                        static_cast<::DWORD>(request.size()), nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    Require(defined, "Wine's mount manager did not define drive D anew");
}

// Drive D with its own medium, as every test starts: one that a test left out of the drive, or
// in place of another, is put back.
void PutTheFirstMediumOfDIn() {
    const fs::path d = HostFolderOfD();
    // A medium a test carried into drive E leaves it: E is the drive without one.
    fs::remove_all(HostFolderOfE());
    if (fs::exists(OutOfTheDrive(d))) {
        fs::remove_all(d);
        fs::rename(OutOfTheDrive(d), d);
    }
    fs::create_directories(d);
    GiveIdentity(d, kFirstMediumOfD);
    if (!DriveDHolds(kFirstMediumOfD)) DefineDriveDAnew();
}

void RemoveEverythingIn(const fs::path& folder) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (IsMediumIdentityFile(entry.path())) continue;
        fs::remove_all(entry.path(), error);
        Require(!error, "cannot remove " + entry.path().string() + ": " + error.message());
    }
}

bool MadeByATest(const fs::directory_entry& entry) {
    const std::string name = platform::FoldCase(entry.path().filename().string());
    return std::find(kRootOfAFreshMachine.begin(), kRootOfAFreshMachine.end(), name) ==
           kRootOfAFreshMachine.end();
}

// The register, its temporary file, its journals (tessarn.jnl, tessarn-d.jnl, ...), in the
// system folder and in the one a 32-bit program was redirected to.
void RemoveTheProgramsFiles(const fs::path& folder) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = platform::FoldCase(entry.path().filename().string());
        if (name.starts_with("tessarn") || name == "temp.dat") fs::remove(entry.path(), error);
    }
}

void DeletePasswordKey(REGSAM view) {
    HKEY software;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS | view, &software) !=
        ERROR_SUCCESS) {
        return;
    }
    RegDeleteTreeA(software, "Tessarn");
    RegDeleteKeyExA(software, "Tessarn", view, 0);
    RegCloseKey(software);
}

}  // namespace

struct TestMachine::Parts {};

TestMachine::TestMachine() : parts_(std::make_unique<Parts>()) {
    RequireTheTestMachine();
    PutTheFirstMediumOfDIn();
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(DriveC(), error)) {
        if (MadeByATest(entry)) fs::remove_all(entry.path());
    }
    fs::create_directories(DriveC() / "recycled");
    RemoveEverythingIn(DriveC() / "recycled");
    RemoveTheProgramsFiles(System32());
    RemoveTheProgramsFiles(DriveC() / "windows" / "syswow64");
    RemoveEverythingIn(DriveD());
    DeletePasswordKey(KEY_WOW64_64KEY);
    DeletePasswordKey(KEY_WOW64_32KEY);
}

TestMachine::~TestMachine() = default;

fs::path TestMachine::DriveC() const {
    return "C:\\";
}

fs::path TestMachine::DriveD() const {
    return "D:\\";
}

void TestMachine::TakeOutMediumOfD() {
    fs::rename(HostFolderOfD(), OutOfTheDrive(HostFolderOfD()));
}

void TestMachine::PutBackMediumOfD() {
    fs::rename(OutOfTheDrive(HostFolderOfD()), HostFolderOfD());
}

void TestMachine::PutInAnotherMediumOfD() {
    fs::rename(HostFolderOfD(), OutOfTheDrive(HostFolderOfD()));
    fs::create_directories(HostFolderOfD());
    GiveIdentity(HostFolderOfD(), kAnotherMediumOfD);
    DefineDriveDAnew();
}

void TestMachine::PutBackFirstMediumOfD() {
    fs::remove_all(HostFolderOfD());
    fs::rename(OutOfTheDrive(HostFolderOfD()), HostFolderOfD());
    DefineDriveDAnew();
}

void TestMachine::MoveMediumOfDIntoE() {
    fs::rename(HostFolderOfD(), HostFolderOfE());
}

void TestMachine::WritePasswordKey(std::optional<std::string_view> default_value) {
    HKEY key;
    Require(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Tessarn", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) == ERROR_SUCCESS,
            "cannot create the password key");
    if (default_value) {
        const std::string text(*default_value);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    } else {
        RegDeleteValueA(key, nullptr);
    }
    RegCloseKey(key);
}

fs::path DriveCOfThisMachine() {
    return "C:\\";
}

}  // namespace test_machine
