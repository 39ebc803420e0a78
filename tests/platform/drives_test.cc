#include "platform/drives.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/prefix_fixture.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

using DrivesTest = platform_test::PrefixTest;

TEST_F(DrivesTest, FreshMachineHasDrivesCAndZ) {
    const std::vector<Drive> drives = ListDrives();
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].text(), "c:");
    EXPECT_EQ(drives[0].host_root, DriveC());
    EXPECT_TRUE(drives[0].ready);
    EXPECT_EQ(drives[1].text(), "z:");
    EXPECT_EQ(drives[1].host_root, "/");
    EXPECT_TRUE(drives[1].ready);
}

TEST_F(DrivesTest, DriveAddedWithASymlinkIsListedInLetterOrder) {
    AddDrive('d', Outside("stick"));
    const std::vector<Drive> drives = ListDrives();
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_EQ(drives[1].letter, 'd');
    EXPECT_EQ(drives[1].host_root, Outside("stick"));
    EXPECT_TRUE(drives[1].ready);
}

TEST_F(DrivesTest, DanglingLinkIsANotReadyDrive) {
    AddDrive('e', scratch_ / "no-medium");
    const std::optional<Drive> drive = FindDrive('e');
    ASSERT_TRUE(drive.has_value());
    EXPECT_FALSE(drive->ready);
}

TEST_F(DrivesTest, UnreadableFolderIsANotReadyDrive) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    const fs::path locked = Outside("locked");
    AddDrive('f', locked);
    chmod(locked.c_str(), 0);
    const std::optional<Drive> drive = FindDrive('f');
    chmod(locked.c_str(), 0700);
    ASSERT_TRUE(drive.has_value());
    EXPECT_FALSE(drive->ready);
}

TEST_F(DrivesTest, FindDriveTakesEitherLetterCase) {
    ASSERT_TRUE(FindDrive('C').has_value());
    EXPECT_EQ(FindDrive('C')->letter, 'c');
}

TEST_F(DrivesTest, FindDriveGivesNothingForAnUnmappedLetterOrNonLetter) {
    EXPECT_FALSE(FindDrive('q').has_value());
    EXPECT_FALSE(FindDrive('1').has_value());
    EXPECT_FALSE(FindDrive('\xE9').has_value());
}

TEST_F(DrivesTest, DrivesAreReadAnewOnEveryCall) {
    ASSERT_TRUE(FindDrive('z').has_value());
    fs::remove(prefix_ / "dosdevices" / "z:");
    EXPECT_FALSE(FindDrive('z').has_value());
    EXPECT_EQ(ListDrives().size(), 1u);
}

}  // namespace
}  // namespace platform
