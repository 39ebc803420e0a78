#include "platform/file_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "machine/child_process.h"
#include "machine/machine_test.h"
#include "platform/random_access_file.h"

namespace platform {
namespace {
using namespace std::chrono_literals;

constexpr const char* kGuarded = "C:\\windows\\system32\\tessarn.dat";

// Whether another lock on path is refused within a short patience.
bool Refused(const char* path) {
    try {
        FileLock other(path, 50ms);
        return false;
    } catch (const WindowsError& error) {
        return error.code() == ERROR_LOCK_VIOLATION;
    }
}

const test_machine::RegisteredRole kTriesTheLock("tries-the-lock",
                                                 [](const std::vector<std::string>&) {
                                                     return Refused(kGuarded) ? 0 : 1;
                                                 });

using FileLockTest = test_machine::MachineTest;

TEST_F(FileLockTest, SecondLockIsRefusedUnderAnySpellingAndNamesTheFile) {
    FileLock lock(kGuarded);
    EXPECT_TRUE(std::filesystem::exists(DriveC() / "windows/system32/.tessarn.dat.lock"));
    EXPECT_TRUE(Refused("c:\\WINDOWS\\System32\\TESSARN.DAT"));
    EXPECT_STREQ(ErrorOf([] { FileLock(kGuarded, 10ms); }).what(),
                 "Cannot lock C:\\windows\\system32\\tessarn.dat: The process cannot access the "
                 "file because another process has locked a portion of the file.");
}

TEST_F(FileLockTest, ExcludesAnotherProcess) {
    FileLock lock(kGuarded);
    test_machine::ChildProcess other_copy("tries-the-lock");
    EXPECT_TRUE(other_copy.Wait().ExitedWith(0));
}

TEST_F(FileLockTest, WaitsForALockReleasedWithinItsPatience) {
    auto holder = std::make_unique<FileLock>(kGuarded);
    std::thread releaser([&] {
        std::this_thread::sleep_for(100ms);
        holder.reset();
    });
    EXPECT_NO_THROW(FileLock(kGuarded, 5s));
    releaser.join();
}

TEST_F(FileLockTest, SurvivesTheReplacementOfTheGuardedFile) {
    FileLock lock(kGuarded);
    MakeFile("windows/system32/temp.dat", "new");
    ReplaceFile("C:\\windows\\system32\\temp.dat", kGuarded);
    EXPECT_TRUE(Refused(kGuarded));
}

}  // namespace
}  // namespace platform
