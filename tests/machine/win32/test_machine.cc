#include "machine/test_machine.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>

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

// The host folder of drive D as drive Z, which Wine maps to the host's root, reaches it.
fs::path HostFolderOfD() {
    const char* folder = std::getenv("TESSARN_TEST_DRIVE_D");
    Require(folder != nullptr && *folder == '/', "TESSARN_TEST_DRIVE_D names no host folder");
    std::string path = std::string("Z:") + folder;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

fs::path OutOfTheDrive(const fs::path& folder) {
    return folder.string() + "-out";
}

void RemoveEverythingIn(const fs::path& folder) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
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
    const fs::path d = HostFolderOfD();
    if (!fs::exists(d) && fs::exists(OutOfTheDrive(d))) fs::rename(OutOfTheDrive(d), d);
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
}

void TestMachine::PutBackFirstMediumOfD() {
    fs::remove_all(HostFolderOfD());
    fs::rename(OutOfTheDrive(HostFolderOfD()), HostFolderOfD());
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
