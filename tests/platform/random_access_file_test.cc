#include "platform/random_access_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "machine/machine_test.h"
#include "platform/file_system.h"
#include "platform/text_case.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

using RandomAccessFileTest = test_machine::MachineTest;
using IfMissing = RandomAccessFile::IfMissing;

TEST_F(RandomAccessFileTest, CreateEmptyMakesAMissingFileAndFailLeavesItMissing) {
    EXPECT_STREQ(ErrorOf([] { RandomAccessFile("C:\\r.dat", IfMissing::kFail); }).what(),
                 "Cannot open the file C:\\r.dat: The system cannot find the file specified.");
    EXPECT_FALSE(fs::exists(DriveC() / "r.dat"));
    EXPECT_EQ(RandomAccessFile("C:\\r.dat", IfMissing::kCreateEmpty).Length(), 0u);
    EXPECT_TRUE(fs::exists(DriveC() / "r.dat"));
}

TEST_F(RandomAccessFileTest, MissingFolderOrAFolderCannotBeOpened) {
    EXPECT_EQ(ErrorOf([] { RandomAccessFile("C:\\gone\\r.dat", IfMissing::kCreateEmpty); }).code(),
              ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorOf([] { RandomAccessFile("C:\\windows", IfMissing::kCreateEmpty); }).code(),
              ERROR_ACCESS_DENIED);
}

TEST_F(RandomAccessFileTest, WritesPastTheEndAndReadsOnlyWhatIsThere) {
    MakeFile("Docs/R.DAT", "ab");
    RandomAccessFile file("c:\\docs\\r.dat", IfMissing::kFail);
    file.WriteAt(4, "wxyz", 4);
    char buffer[10];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(file.ReadAt(0, buffer, sizeof buffer), 8u);
    EXPECT_EQ(std::string(buffer, 10), std::string("ab\0\0wxyz##", 10));
    EXPECT_EQ(file.ReadAt(100, buffer, sizeof buffer), 0u);
    file.Truncate(1);
    file.Close();
    EXPECT_EQ(ReadHostFile(DriveC() / "Docs/R.DAT"), "a");
}

using ReplaceFileTest = test_machine::MachineTest;

TEST_F(ReplaceFileTest, TargetInAnyCaseTakesTheSourcesContentAndTheSourceIsGone) {
    MakeFile("Reg/Data.dat", "old");
    MakeFile("Reg/temp.dat", "new");
    ReplaceFile("C:\\Reg\\temp.dat", "C:\\REG\\DATA.DAT");
    ASSERT_EQ(ListFiles("C:\\Reg").size(), 1u);
    EXPECT_TRUE(EqualIgnoringCase(ListFiles("C:\\Reg")[0], "data.dat"));
    EXPECT_EQ(ReadHostFile(DriveC() / "Reg" / ListFiles("C:\\Reg")[0]), "new");
}

TEST_F(ReplaceFileTest, MissingSourceOrAnotherDriveLeavesTheTargetAlone) {
    MakeFile("data.dat", "old");
    EXPECT_EQ(ErrorOf([] { ReplaceFile("C:\\temp.dat", "C:\\data.dat"); }).code(),
              ERROR_FILE_NOT_FOUND);
    MakeFile("temp.dat", "new");
    EXPECT_EQ(ErrorOf([] { ReplaceFile("F:\\temp.dat", "C:\\data.dat"); }).code(),
              ERROR_NOT_SAME_DEVICE);
    EXPECT_EQ(ReadHostFile(DriveC() / "data.dat"), "old");
}

}  // namespace
}  // namespace platform
