// The window tests' machine on Windows: the Wine machine of `make windows-test`, wiped clean
// before each test by the machine every test below the windows uses (tests/machine), whose drive
// C is the program's system drive.
#include "forms/test_machine.h"

#include <gtest/gtest.h>
#include <windows.h>

// After <windows.h>, which it needs.
#include <sddl.h>

#include "machine/test_machine.h"

namespace {

namespace fs = std::filesystem;

constexpr char kPasswordKey[] = "Software\\Tessarn";

// A UTF-8 path as the system takes it: a plain string would be read in the ANSI code page.
fs::path FromUtf8(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

struct TestMachine::Parts {
    test_machine::TestMachine machine;
};

TestMachine::TestMachine() : parts_(std::make_unique<Parts>()) {}

TestMachine::~TestMachine() {
    std::error_code ignored;
    fs::current_path(parts_->machine.DriveC(), ignored);
}

fs::path TestMachine::HostC(const std::string& relative) const {
    return parts_->machine.DriveC() / FromUtf8(relative);
}

void TestMachine::StartIn(const fs::path& host_folder) const {
    fs::current_path(host_folder);
}

fs::path TestMachine::AddDrive(char letter, bool ready) const {
    if (letter == 'd' && ready) {
        fs::create_directories(parts_->machine.DriveD() / "recycled");
        return parts_->machine.DriveD();
    }
    if (letter == test_machine::kNotReadyDrive && !ready) return "E:\\";
    ADD_FAILURE() << "the Windows test machine has drive D, ready, and E, without its medium; "
                  << "no drive " << letter << ": can be added to it";
    return {};
}

void TestMachine::TakeOutMedium(char letter) const {
    if (letter != 'd') {
        ADD_FAILURE() << "only drive D's medium can be taken out of the Windows test machine";
        return;
    }
    parts_->machine.TakeOutMediumOfD();
}

void TestMachine::CarryMedium(char from, char to) const {
    if (from != 'd' || to != test_machine::kNotReadyDrive) {
        ADD_FAILURE() << "only drive D's medium can be carried, into drive E";
        return;
    }
    parts_->machine.MoveMediumOfDIntoE();
}

// The machine starts without the password key; only the program creates it.
bool TestMachine::RegistryWritten() const {
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPasswordKey, 0, KEY_READ | view, &key) ==
            ERROR_SUCCESS) {
            RegCloseKey(key);
            return true;
        }
    }
    return false;
}

// The password key, with a security descriptor that lets everyone read it and no one set a
// value in it, as for a user who may not change HKEY_LOCAL_MACHINE.
void TestMachine::RefuseRegistryChanges(const std::optional<std::string>& stored) const {
    parts_->machine.WritePasswordKey(stored ? std::optional<std::string_view>(*stored)
                                            : std::nullopt);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(D;;0x0002;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPasswordKey, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    RegCloseKey(key);
    LocalFree(descriptor);
}

bool TestMachine::HoldsReservedNames() {
    return false;
}

fs::path TestMachine::Home() const {
    ADD_FAILURE() << "the Windows test machine gives the home folder no drive";
    return {};
}

fs::path TestMachine::HostOf(const std::string& windows_path) const {
    return FromUtf8(windows_path);
}

fs::path TestMachine::Scratch() const {
    ADD_FAILURE() << "the Windows test machine has no folder outside its drives";
    return {};
}

void TestMachine::WithFullDisk(const std::function<void()>&) {
    ADD_FAILURE() << "the Windows test machine has no way to fill its disk";
}
