#include "platform/drives.h"

#include <gtest/gtest.h>

#include "machine/machine_test.h"
#include "platform/file_system.h"
#include "platform/medium.h"

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

// An operation looks into the hiding place of every ready drive, and finds them without the
// table's list of letters: it must find the same drives, and none without its medium.
TEST_F(DrivesTest, TheReadyDrivesAreTheListedDrivesThatAreReady) {
    const auto letters = [](const std::vector<Drive>& drives, bool only_ready) {
        std::string found;
        for (const Drive& drive : drives) {
            if (drive.ready || !only_ready) found += drive.letter;
        }
        return found;
    };
    const std::string ready = letters(ListReadyDrives(), false);
    EXPECT_EQ(ready, letters(ListDrives(DriveLabels::kLeftOut), true));
    EXPECT_NE(ready.find('c'), std::string::npos);
    EXPECT_NE(ready.find(test_machine::kSecondLetterOfC), std::string::npos);
    EXPECT_EQ(ready.find(test_machine::kNotReadyDrive), std::string::npos);
    machine().TakeOutMediumOfD();
    EXPECT_EQ(letters(ListReadyDrives(), false).find('d'), std::string::npos);
    machine().PutBackMediumOfD();
    EXPECT_NE(letters(ListReadyDrives(), false).find('d'), std::string::npos);
}

TEST_F(DrivesTest, ASnapshotReadsTheTableOnce) {
    const DriveTableSnapshot snapshot;
    EXPECT_TRUE(FindDrive('d')->ready);
    machine().TakeOutMediumOfD();
    EXPECT_TRUE(FindDrive('d')->ready);
    machine().PutBackMediumOfD();
}

// One operation asks about each drive's medium once; a medium pulled meanwhile still fails what
// is done on it, and the next operation sees another medium put in.
TEST_F(DrivesTest, AnOperationKeepsWhatItLearntOfAMediumAndTheNextOneLooksAgain) {
    std::filesystem::create_directories(machine().DriveD() / "recycled");
    const Medium first = MediumOf("D:\\recycled");
    {
        const DriveTableSnapshot operation;
        EXPECT_EQ(MediumOf("D:\\recycled"), first);
        machine().TakeOutMediumOfD();
        EXPECT_THROW(ListFiles("D:\\recycled"), WindowsError);
        machine().PutBackMediumOfD();
    }
    machine().PutInAnotherMediumOfD();
    std::filesystem::create_directories(machine().DriveD() / "recycled");
    const DriveTableSnapshot next_operation;
    EXPECT_NE(MediumOf("D:\\recycled"), first);
}

}  // namespace
}  // namespace platform
