#include "platform/file_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/prefix_fixture.h"
#include "platform/random_access_file.h"

namespace platform {
namespace {
using namespace std::chrono_literals;

constexpr const char* kGuarded = "C:\\windows\\system32\\tessarn.dat";

class FileLockTest : public platform_test::PrefixTest {
  protected:
    // Whether another lock on path is refused within a short patience.
    static bool Refused(const char* path) {
        try {
            FileLock other(path, 50ms);
            return false;
        } catch (const WindowsError& error) {
            return error.code() == ERROR_LOCK_VIOLATION;
        }
    }
};

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
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(Refused(kGuarded) ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
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
