#include "platform/posix/prefix.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/prefix_fixture.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

using PrepareMachineTest = platform_test::PrefixTest;

TEST_F(PrepareMachineTest, FirstStartCreatesDriveCWithItsHidingPlaceAndDriveZ) {
    EXPECT_TRUE(fs::is_directory(prefix_ / "drive_c/windows/system32"));
    EXPECT_TRUE(fs::is_directory(prefix_ / "drive_c/recycled"));
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/c:"), "../drive_c");
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/z:"), "/");
    // The scratch folder holds the test's home folder and the prefix, and no building folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch_), {}), 2) << "building folder left";
}

TEST_F(PrepareMachineTest, LeavesAnExistingPrefixAsItIs) {
    fs::remove(prefix_ / "dosdevices/z:");
    fs::remove(prefix_ / "drive_c/recycled");
    PrepareMachine();
    EXPECT_FALSE(fs::exists(fs::symlink_status(prefix_ / "dosdevices/z:")));
    EXPECT_FALSE(fs::exists(prefix_ / "drive_c/recycled"));
}

TEST_F(PrepareMachineTest, AnEmptyPrefixFolderIsSetUpAsAFirstStart) {
    fs::remove_all(prefix_);
    fs::create_directory(prefix_);
    PrepareMachine();
    EXPECT_TRUE(fs::is_directory(prefix_ / "drive_c/recycled"));
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/c:"), "../drive_c");
}

// A first start killed half-way leaves its hidden build folder; the next start removes it, but
// never the folder of a copy that is building at this moment (it holds a lock on it).
TEST_F(PrepareMachineTest, RemovesTheBuildFolderOfAFirstStartThatDiedButNotOfOneBuilding) {
    const fs::path died = scratch_ / ".prefix.new-Dead01";
    const fs::path building = scratch_ / ".prefix.new-Live01";
    fs::create_directories(died / "drive_c");
    fs::create_directories(building);
    const int held = open(building.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    PrepareMachine();
    EXPECT_FALSE(fs::exists(died));
    EXPECT_TRUE(fs::exists(building));
    close(held);
}

TEST_F(PrepareMachineTest, AFileOrAnUnreadableFolderInPlaceOfTheMachineIsAFailure) {
    fs::remove_all(prefix_);
    std::ofstream(prefix_) << "not a machine";
    EXPECT_EQ(ErrorOf([] { PrepareMachine(); }).code(), ERROR_DIRECTORY);
    fs::remove(prefix_);
    fs::create_directory(prefix_);
    fs::permissions(prefix_, fs::perms::none);
    if (access(prefix_.c_str(), R_OK) != 0) {  // root reads every folder
        EXPECT_EQ(ErrorOf([] { PrepareMachine(); }).code(), ERROR_ACCESS_DENIED);
    }
    fs::permissions(prefix_, fs::perms::owner_all);
}

TEST(PrefixFolder, TessarnPrefixWinsThenXdgDataHomeThenHome) {
    setenv("XDG_DATA_HOME", "/tmp/data", 1);
    for (const char* same : {"/tmp/machine", "/tmp/machine/", "/tmp//machine/."}) {
        setenv("TESSARN_PREFIX", same, 1);
        EXPECT_EQ(PrefixFolder(), "/tmp/machine") << same;
    }
    setenv("TESSARN_PREFIX", "", 1);
    EXPECT_EQ(PrefixFolder(), "/tmp/data/tessarn");
    // A relative XDG_DATA_HOME is invalid and ignored.
    setenv("XDG_DATA_HOME", "relative", 1);
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(PrefixFolder(), fs::path(home) / ".local/share/tessarn");
    unsetenv("TESSARN_PREFIX");
    unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace platform
