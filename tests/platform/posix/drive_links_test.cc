// The Linux drive table: drive letters as links in <prefix>/dosdevices/.
#include <gtest/gtest.h>

#include "platform/drives.h"
#include "platform/prefix_fixture.h"

namespace platform {
namespace {

using DriveLinksTest = platform_test::PrefixTest;

TEST_F(DriveLinksTest, FreshMachineHasDrivesCHomeAndZ) {
    const std::vector<Drive> drives = ListDrives();
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_EQ(drives[0].text(), "c:");
    EXPECT_EQ(drives[0].host_root, DriveC());
    EXPECT_EQ(drives[1].text(), "h:");
    EXPECT_EQ(drives[1].host_root, Home());
    EXPECT_EQ(drives[2].text(), "z:");
    EXPECT_TRUE(drives[0].ready && drives[1].ready && drives[2].ready);
}

TEST_F(DriveLinksTest, DriveAddedWithASymlinkIsListedInLetterOrder) {
    AddDrive('d', Outside("stick"));
    const std::vector<Drive> drives = ListDrives();
    ASSERT_EQ(drives.size(), 4u);
    EXPECT_EQ(drives[1].letter, 'd');
    EXPECT_TRUE(drives[1].ready);
}

TEST_F(DriveLinksTest, DanglingLinkIsANotReadyDrive) {
    AddDrive('e', scratch_ / "no-medium");
    ASSERT_TRUE(FindDrive('E').has_value());
    EXPECT_FALSE(FindDrive('E')->ready);
    EXPECT_FALSE(FindDrive('q').has_value());
}

}  // namespace
}  // namespace platform
