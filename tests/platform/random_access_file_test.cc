#include "platform/random_access_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/prefix_fixture.h"
#include "platform/windows_error.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

class RandomAccessFileTest : public platform_test::PrefixTest {
  protected:
    // The error code a call throws, or ERROR_SUCCESS when it returns.
    template <typename Call>
    static LONG CodeOf(Call call) {
        try {
            call();
            return ERROR_SUCCESS;
        } catch (const WindowsError& error) {
            return error.code();
        }
    }
};

TEST_F(RandomAccessFileTest, CreateEmptyMakesAMissingFile) {
    RandomAccessFile file("C:\\windows\\system32\\tessarn.dat",
                          RandomAccessFile::IfMissing::kCreateEmpty);
    EXPECT_EQ(file.Length(), 0u);
    EXPECT_TRUE(fs::is_regular_file(DriveC() / "windows/system32/tessarn.dat"));
}

TEST_F(RandomAccessFileTest, FailLeavesAMissingFileMissing) {
    try {
        RandomAccessFile file("C:\\none.dat", RandomAccessFile::IfMissing::kFail);
        FAIL() << "opened";
    } catch (const WindowsError& error) {
        EXPECT_EQ(error.code(), ERROR_FILE_NOT_FOUND);
        EXPECT_STREQ(error.what(),
                     "Cannot open the file C:\\none.dat: The system cannot find the file "
                     "specified.");
    }
    EXPECT_FALSE(fs::exists(DriveC() / "none.dat"));
}

TEST_F(RandomAccessFileTest, MissingFolderIsAPathNotFound) {
    EXPECT_EQ(CodeOf([] {
                  RandomAccessFile("C:\\gone\\x.dat", RandomAccessFile::IfMissing::kCreateEmpty);
              }),
              ERROR_PATH_NOT_FOUND);
}

TEST_F(RandomAccessFileTest, AFolderCannotBeOpenedAsAFile) {
    EXPECT_EQ(
        CodeOf([] { RandomAccessFile("C:\\windows", RandomAccessFile::IfMissing::kCreateEmpty); }),
        ERROR_ACCESS_DENIED);
}

TEST_F(RandomAccessFileTest, OpensAnExistingFileIgnoringCase) {
    MakeFile("Docs/Tessarn.DAT", "abc");
    RandomAccessFile file("c:\\DOCS\\tessarn.dat", RandomAccessFile::IfMissing::kFail);
    EXPECT_EQ(file.Length(), 3u);
}

TEST_F(RandomAccessFileTest, WritesAndReadsAtOffsets) {
    RandomAccessFile file("C:\\r.dat", RandomAccessFile::IfMissing::kCreateEmpty);
    file.WriteAt(4, "wxyz", 4);
    EXPECT_EQ(file.Length(), 8u);
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(file.ReadAt(0, buffer, 8), 8u);
    EXPECT_EQ(std::string(buffer, 8), std::string("\0\0\0\0wxyz", 8));
}

TEST_F(RandomAccessFileTest, ReadAtTheEndReturnsOnlyWhatIsThere) {
    MakeFile("r.dat", "abcdef");
    RandomAccessFile file("C:\\r.dat", RandomAccessFile::IfMissing::kFail);
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(file.ReadAt(4, buffer, 8), 2u);
    EXPECT_EQ(std::string(buffer, 8), "ef######");
    EXPECT_EQ(file.ReadAt(100, buffer, 8), 0u);
}

TEST_F(RandomAccessFileTest, TruncateShortensTheFile) {
    MakeFile("r.dat", "abcdef");
    RandomAccessFile file("C:\\r.dat", RandomAccessFile::IfMissing::kFail);
    file.Truncate(2);
    file.Sync();
    file.Close();
    EXPECT_EQ(ReadHostFile(DriveC() / "r.dat"), "ab");
}

TEST_F(RandomAccessFileTest, MovedFromFileLeavesTheDescriptorToTheNewOwner) {
    RandomAccessFile first("C:\\r.dat", RandomAccessFile::IfMissing::kCreateEmpty);
    RandomAccessFile second = std::move(first);
    second.WriteAt(0, "x", 1);
    EXPECT_EQ(second.Length(), 1u);
}

using ReplaceFileTest = RandomAccessFileTest;

TEST_F(ReplaceFileTest, TargetTakesTheSourcesContentAndTheSourceIsGone) {
    MakeFile("windows/system32/tessarn.dat", "old");
    MakeFile("windows/system32/temp.dat", "new");
    ReplaceFile("C:\\windows\\system32\\temp.dat", "C:\\windows\\system32\\tessarn.dat");
    EXPECT_EQ(ReadHostFile(DriveC() / "windows/system32/tessarn.dat"), "new");
    EXPECT_FALSE(fs::exists(DriveC() / "windows/system32/temp.dat"));
}

TEST_F(ReplaceFileTest, ReplacesTheExistingTargetWhateverCaseItIsTyped) {
    MakeFile("Data.dat", "old");
    MakeFile("temp.dat", "new");
    ReplaceFile("C:\\temp.dat", "C:\\DATA.DAT");
    EXPECT_EQ(ReadHostFile(DriveC() / "Data.dat"), "new");
    EXPECT_FALSE(fs::exists(DriveC() / "DATA.DAT"));
}

TEST_F(ReplaceFileTest, MissingSourceLeavesTheTargetAlone) {
    MakeFile("data.dat", "old");
    EXPECT_EQ(CodeOf([] { ReplaceFile("C:\\temp.dat", "C:\\data.dat"); }), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadHostFile(DriveC() / "data.dat"), "old");
}

TEST_F(ReplaceFileTest, RefusesToReplaceAcrossDrives) {
    AddDrive('d', DriveC());
    MakeFile("data.dat", "old");
    MakeFile("temp.dat", "new");
    EXPECT_EQ(CodeOf([] { ReplaceFile("D:\\temp.dat", "C:\\data.dat"); }), ERROR_NOT_SAME_DEVICE);
    EXPECT_EQ(ReadHostFile(DriveC() / "data.dat"), "old");
}

}  // namespace
}  // namespace platform
