#include "platform/file_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/prefix_fixture.h"
#include "platform/random_access_file.h"
#include "platform/windows_error.h"

namespace platform {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FileLockTest : public platform_test::PrefixTest {
  protected:
    static constexpr const char* kGuarded = "C:\\windows\\system32\\tessarn.dat";

    // Whether a second lock on path is refused within a short patience.
    static bool Refused(const char* path) {
        try {
            FileLock second(path, 50ms);
            return false;
        } catch (const WindowsError& error) {
            return error.code() == ERROR_LOCK_VIOLATION;
        }
    }
};

TEST_F(FileLockTest, LivesOnAHiddenSiblingFile) {
    FileLock lock(kGuarded);
    EXPECT_TRUE(fs::exists(DriveC() / "windows/system32/.tessarn.dat.lock"));
    EXPECT_FALSE(fs::exists(DriveC() / "windows/system32/tessarn.dat"));
}

TEST_F(FileLockTest, SecondLockIsRefusedWithASentenceNamingTheFile) {
    FileLock lock(kGuarded);
    try {
        FileLock second(kGuarded, 50ms);
        FAIL() << "locked twice";
    } catch (const WindowsError& error) {
        EXPECT_EQ(error.code(), ERROR_LOCK_VIOLATION);
        EXPECT_NE(std::string(error.what()).find(kGuarded), std::string::npos);
    }
}

TEST_F(FileLockTest, AnotherSpellingOfTheNameMeetsTheSameLock) {
    FileLock lock(kGuarded);
    EXPECT_TRUE(Refused("c:\\WINDOWS\\System32\\TESSARN.DAT"));
}

TEST_F(FileLockTest, ReleasedLockCanBeTakenAgain) {
    { FileLock lock(kGuarded); }
    EXPECT_FALSE(Refused(kGuarded));
}

TEST_F(FileLockTest, MovedLockStaysHeld) {
    FileLock first(kGuarded);
    FileLock second = std::move(first);
    EXPECT_TRUE(Refused(kGuarded));
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

TEST_F(FileLockTest, ExcludesAnotherProcess) {
    FileLock lock(kGuarded);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(Refused(kGuarded) ? 0 : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(FileLockTest, SurvivesTheReplacementOfTheGuardedFile) {
    FileLock lock(kGuarded);
    MakeFile("windows/system32/tessarn.dat", "old");
    MakeFile("windows/system32/temp.dat", "new");
    ReplaceFile("C:\\windows\\system32\\temp.dat", kGuarded);
    EXPECT_TRUE(Refused(kGuarded));
}

TEST_F(FileLockTest, MissingFolderIsAPathError) {
    try {
        FileLock lock("C:\\gone\\x.dat", 50ms);
        FAIL() << "locked";
    } catch (const WindowsError& error) {
        EXPECT_EQ(error.code(), ERROR_PATH_NOT_FOUND);
    }
}

}  // namespace
}  // namespace platform
