// The machine a window test runs on, made afresh for each test and removed afterwards: a machine
// prefix prepared as on a first start, with drive C, a home folder of the test's own as drive H:,
// and the program started in a folder the test chooses. Every host path the window tests use
// comes from here, so that a build of the tests for another system puts its own machine in this
// one's place (on Windows: Wine's own C: drive, where C:\Docs is a path std::filesystem takes as
// it is).
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/prefix.h"
#include "platform/test_home.h"
#include "platform/posix/host_path.h"
#include "platform/windows_path.h"

class TestMachine {
  public:
    TestMachine() {
        char pattern[] = "/tmp/tessarn-window-XXXXXX";
        EXPECT_NE(mkdtemp(pattern), nullptr);
        scratch_ = pattern;
        prefix_ = scratch_ / "prefix";
        home_.emplace(Home());
        setenv("TESSARN_PREFIX", prefix_.c_str(), 1);
        platform::PrepareMachine();
    }
    ~TestMachine() {
        std::error_code ignored;
        std::filesystem::current_path(scratch_.parent_path(), ignored);
        std::filesystem::remove_all(scratch_, ignored);
    }
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    // The host path of C:\<relative>, given with forward slashes ("windows/system32").
    std::filesystem::path HostC(const std::string& relative = "") const {
        return prefix_ / "drive_c" / relative;
    }
    // The host path of any Windows path of the machine.
    std::filesystem::path HostOf(const std::string& windows_path) const {
        return platform::ResolveWindowsPath(windows_path).host;
    }
    // The user's home folder, drive H:.
    std::filesystem::path Home() const { return scratch_ / "home"; }
    // A folder of the test's own, outside every drive.
    const std::filesystem::path& Scratch() const { return scratch_; }

    // The program starts in this folder: its lists show it first.
    void StartIn(const std::filesystem::path& host_folder) const {
        std::filesystem::current_path(host_folder);
    }

    // Gives the machine drive `letter` on a folder of its own, whose host root it returns. A
    // ready drive has its hiding place; one that is not has no medium in it.
    std::filesystem::path AddDrive(char letter, bool ready) const {
        const std::filesystem::path root = scratch_ / std::string(1, letter);
        if (ready) std::filesystem::create_directories(root / "recycled");
        std::filesystem::create_directory_symlink(
            root, prefix_ / "dosdevices" / (std::string(1, letter) + ":"));
        return root;
    }
    // Takes the medium out of a drive added with AddDrive.
    void TakeOutMedium(char letter) const {
        const std::filesystem::path root = scratch_ / std::string(1, letter);
        std::filesystem::rename(root, scratch_ / ("medium out of " + std::string(1, letter)));
    }

    // Whether the registry has been written at all: the hive is written on its first change.
    bool RegistryWritten() const { return std::filesystem::exists(prefix_ / "system.reg"); }
    // A registry holding `readable` and a line it cannot read: it reads what it can but refuses
    // to write the hive back, which would drop that line.
    void DamageRegistry(const std::string& readable) const {
        std::ofstream(prefix_ / "system.reg", std::ios::binary | std::ios::trunc)
            << "REGEDIT4\n\n" + readable + "a line that is no value\n";
    }

    // Runs the action while the disk takes no byte more: a file-size limit of zero fails every
    // write that would grow a file, and nothing else.
    static void WithFullDisk(const std::function<void()>& action) {
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit none = saved;
        none.rlim_cur = 0;
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &none);
        action();
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, SIG_DFL);
    }

  private:
    std::filesystem::path scratch_;
    std::filesystem::path prefix_;
    std::optional<platform_test::TestHome> home_;
};
