// The machine a window test runs on, made afresh for each test, on either system. Every host path
// the window tests use comes from here.
//
// On Linux (posix/test_machine.cc) it is a machine prefix of the test's own, prepared as on a
// first start, with drive C, a home folder of the test's own as drive H:, and drives added on
// folders of the test's own; it is removed afterwards. On Windows (win32/test_machine.cc) it is
// the Wine machine that `make windows-test` makes, wiped clean before each test: its drive C,
// drive D (ready) and drive E (without its medium) are there from the start, and a host path is
// the Windows path itself.
//
// What only the Linux machine has (the home folder as drive H:, the machine prefix, any drive
// letter added while the program runs, a full disk) is used only by the tests under posix/.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TestMachine {
  public:
    TestMachine();
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // The host path of C:\<relative>, given in UTF-8 with forward slashes ("windows/system32").
    std::filesystem::path HostC(const std::string& relative = "") const;

    // The program starts in this folder: its lists show it first.
    void StartIn(const std::filesystem::path& host_folder) const;

    // Gives the machine drive `letter`, whose host root it returns. A ready drive has its hiding
    // place; one that is not ready has no medium in it. On Windows only the drives the machine
    // has are there to give: D, ready, and E, not ready.
    std::filesystem::path AddDrive(char letter, bool ready) const;
    // Takes the medium out of a drive given with AddDrive.
    void TakeOutMedium(char letter) const;
    // Takes the medium out of a drive given with AddDrive and puts it into drive `to`, as a stick
    // carried to another machine that gives it another letter. On Windows only drive D's medium
    // goes, into drive E.
    void CarryMedium(char from, char to) const;

    // Whether the program has changed the registry at all.
    bool RegistryWritten() const;
    // From now on the registry refuses every change to the password key, which holds `stored` as
    // its default value where one is given.
    void RefuseRegistryChanges(const std::optional<std::string>& stored) const;

    // Whether the machine's file system holds, and its own tools reach, the names Windows
    // reserves ("con.txt", "nul"): Linux's does, Windows' does not.
    static bool HoldsReservedNames();

    // The Linux machine only:
    // The user's home folder, drive H:.
    std::filesystem::path Home() const;
    // The host path of any Windows path of the machine.
    std::filesystem::path HostOf(const std::string& windows_path) const;
    // A folder of the test's own, outside every drive.
    std::filesystem::path Scratch() const;
    // Runs the action while the disk takes no byte more.
    static void WithFullDisk(const std::function<void()>& action);

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};
