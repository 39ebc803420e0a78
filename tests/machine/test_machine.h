// The machine a test runs on, fresh for every test, on either system.
//
// On Linux it is a machine prefix of its own in a temporary folder (TESSARN_PREFIX), made as on a
// first start, with a home folder of its own, and removed afterwards: the real prefix and the
// real home are never touched. On Windows it is the Wine prefix that `make windows-test` made
// for the tests: the register's place is fixed, so every test runs on that machine's own C:,
// which is wiped clean of the register, its journals, the hiding place's contents, the items
// tests make and the password key before each test. Tests there run one at a time.
//
// Either way the machine has these drives:
//   C:  the system drive, with the register's folder and its hiding place C:\recycled
//   D:  a ready drive of its own, empty, without a hiding place; its medium is labelled "d", and
//       another medium put in its place (PutInAnotherMediumOfD) has the same label but a serial
//       number of its own
//   E:  a drive without its medium: not ready
//   F:  a second letter for drive C's folder, as a substituted drive is on Windows
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace test_machine {

inline constexpr char kNotReadyDrive = 'e';
inline constexpr char kSecondLetterOfC = 'f';

class TestMachine {
  public:
    TestMachine();
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // Where drive C's root and drive D's root lie, for a test to make and read files there
    // with std::filesystem.
    std::filesystem::path DriveC() const;
    std::filesystem::path DriveD() const;
    std::filesystem::path System32() const { return DriveC() / "windows" / "system32"; }

    // Takes drive D's medium out, and puts it back: its items stay as they were.
    void TakeOutMediumOfD();
    void PutBackMediumOfD();
    // Puts another medium, empty, into drive D in place of its own, which is kept aside; and
    // takes that one out again to put the first back.
    void PutInAnotherMediumOfD();
    void PutBackFirstMediumOfD();
    // Takes drive D's medium out and puts it into drive E, as a stick carried to another machine
    // that gives it another letter: drive D is then without a medium.
    void MoveMediumOfDIntoE();

    // The password key HKEY_LOCAL_MACHINE\Software\Tessarn as another program may have left it:
    // with this default text value, or without a default value.
    void WritePasswordKey(std::optional<std::string_view> default_value);

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// Drive C's root on the machine this process runs on, for a child process of a test, which
// works on its parent's machine without making one.
std::filesystem::path DriveCOfThisMachine();

}  // namespace test_machine
