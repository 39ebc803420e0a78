#include "platform/drives.h"

#include <gtest/gtest.h>

#include "machine/machine_test.h"

namespace platform {
namespace {

using DrivesTest = test_machine::MachineTest;

TEST_F(DrivesTest, DrivesAreListedInLetterOrderEachReadyOrNot) {
    const std::vector<Drive> drives = ListDrives();
    ASSERT_GE(drives.size(), 4u);
    for (std::size_t i = 1; i < drives.size(); ++i)
        EXPECT_LT(drives[i - 1].letter, drives[i].letter);
    EXPECT_EQ(drives.front().text(), "c:");
    EXPECT_TRUE(FindDrive('C')->ready);
    EXPECT_TRUE(FindDrive('d')->ready);
    EXPECT_TRUE(FindDrive(test_machine::kSecondLetterOfC)->ready);
}

TEST_F(DrivesTest, ADriveWithoutItsMediumIsListedButNotReady) {
    ASSERT_TRUE(FindDrive(test_machine::kNotReadyDrive).has_value());
    EXPECT_FALSE(FindDrive(test_machine::kNotReadyDrive)->ready);
    machine().TakeOutMediumOfD();
    EXPECT_FALSE(FindDrive('d')->ready);
    machine().PutBackMediumOfD();
    EXPECT_TRUE(FindDrive('d')->ready);
    EXPECT_FALSE(FindDrive('q').has_value());
    EXPECT_FALSE(FindDrive('?').has_value());
}

TEST_F(DrivesTest, ASnapshotReadsTheTableOnce) {
    const DriveTableSnapshot snapshot;
    EXPECT_TRUE(FindDrive('d')->ready);
    machine().TakeOutMediumOfD();
    EXPECT_TRUE(FindDrive('d')->ready);
    machine().PutBackMediumOfD();
}

}  // namespace
}  // namespace platform
