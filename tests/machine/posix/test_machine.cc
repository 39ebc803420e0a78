#include "machine/test_machine.h"

#include <stdlib.h>

#include <fstream>
#include <string>

#include "platform/drives.h"
#include "platform/machine.h"
#include "platform/posix/prefix.h"
#include "platform/test_home.h"

namespace test_machine {
namespace fs = std::filesystem;

struct TestMachine::Parts {
    fs::path scratch;
    std::optional<platform_test::TestHome> home;
    fs::path prefix() const { return scratch / "prefix"; }
    void Link(char letter, const fs::path& target) const {
        fs::create_directory_symlink(target, prefix() / "dosdevices" / std::string{letter, ':'});
    }
};

TestMachine::TestMachine() : parts_(std::make_unique<Parts>()) {
    std::string pattern = (fs::temp_directory_path() / "tessarn-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    parts_->scratch = pattern;
    parts_->home.emplace(parts_->scratch / "home");
    setenv("TESSARN_PREFIX", parts_->prefix().c_str(), 1);
    platform::PrepareMachine();
    fs::create_directories(parts_->scratch / "d");
    parts_->Link('d', parts_->scratch / "d");
    parts_->Link(kNotReadyDrive, parts_->scratch / "no-medium");
    parts_->Link(kSecondLetterOfC, "../drive_c");
}

TestMachine::~TestMachine() {
    std::error_code ignored;
    fs::remove_all(parts_->scratch, ignored);
    unsetenv("TESSARN_PREFIX");
    parts_->home.reset();
}

fs::path TestMachine::DriveC() const {
    return parts_->prefix() / "drive_c";
}

fs::path TestMachine::DriveD() const {
    return parts_->scratch / "d";
}

void TestMachine::TakeOutMediumOfD() {
    fs::rename(parts_->scratch / "d", parts_->scratch / "d-out");
}

void TestMachine::PutBackMediumOfD() {
    fs::rename(parts_->scratch / "d-out", parts_->scratch / "d");
}

void TestMachine::PutInAnotherMediumOfD() {
    fs::rename(parts_->scratch / "d", parts_->scratch / "d-first");
    fs::create_directories(parts_->scratch / "d");
}

void TestMachine::PutBackFirstMediumOfD() {
    fs::remove_all(parts_->scratch / "d");
    fs::rename(parts_->scratch / "d-first", parts_->scratch / "d");
}

void TestMachine::MoveMediumOfDIntoE() {
    fs::rename(parts_->scratch / "d", parts_->scratch / "no-medium");
}

void TestMachine::WritePasswordKey(std::optional<std::string_view> default_value) {
    std::string hive = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Tessarn]\n";
    if (default_value) hive += "@=\"" + std::string(*default_value) + "\"\n";
    std::ofstream(platform::HiveFile(), std::ios::binary | std::ios::trunc) << hive << "\n";
}

fs::path DriveCOfThisMachine() {
    return platform::FindDrive('c')->host_root;
}

}  // namespace test_machine
