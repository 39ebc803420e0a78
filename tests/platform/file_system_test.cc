#include "platform/file_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "machine/machine_test.h"

namespace platform {
namespace {
namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

using ListTest = test_machine::MachineTest;

TEST_F(ListTest, FilesAndFoldersApartEachSortedIgnoringCase) {
    for (const char* name : {"b.txt", "A.txt", "c.TXT", "Ä.txt", "ä2.txt"}) {
        MakeFile(std::string("Docs/") + name);
    }
    MakeFolder("Docs/old");
    MakeFolder("Docs/New");
    EXPECT_THAT(ListFiles("C:\\docs"), ElementsAre("A.txt", "b.txt", "c.TXT", "Ä.txt", "ä2.txt"));
    EXPECT_THAT(ListSubFolders("C:\\docs"), ElementsAre("New", "old"));
}

TEST_F(ListTest, HidingPlaceIsLeftOutAtTheRootOnlyInAnyLetterCase) {
    const fs::path d = machine().DriveD();
    fs::create_directories(d / "ReCycled");
    fs::create_directories(d / "windows/recycled");
    EXPECT_THAT(ListSubFolders("D:\\"), ElementsAre("windows"));
    EXPECT_THAT(ListSubFolders("D:\\windows"), ElementsAre("recycled"));
}

TEST_F(ListTest, MissingFolderOrNotReadyDriveFails) {
    EXPECT_STREQ(ErrorOf([] { ListFiles("C:\\Gone"); }).what(),
                 "Cannot read the folder C:\\Gone: The system cannot find the path specified.");
    EXPECT_EQ(ErrorOf([] { ListSubFolders("E:\\"); }).code(), ERROR_NOT_READY);
    EXPECT_EQ(ErrorOf([] { ListFiles("Q:\\"); }).code(), ERROR_NOT_READY);
}

// The program finds its own files beside the register by name, among the thousands of a system
// folder: hidden ones too, never a folder, never a name that only looks alike.
TEST_F(ListTest, FilesMatchingAPatternInAnyLetterCaseHiddenOnesIncluded) {
    for (const char* name : {"tessarn.jnl", "TESSARN-D.JNL", "tessarn.dat", "tessarn.jnl.old",
                             "xtessarn.jnl", "other.jnl", ".tessarn-x.jnl"}) {
        MakeFile(std::string("Reg/") + name);
    }
    MakeFolder("Reg/tessarn-f.jnl");
    EXPECT_THAT(ListFilesMatching("C:\\reg", "tessarn*.jnl"),
                ElementsAre("TESSARN-D.JNL", "tessarn.jnl"));
    EXPECT_THAT(
        ListFilesMatching("C:\\Reg", "*.JNL"),
        ElementsAre(".tessarn-x.jnl", "other.jnl", "TESSARN-D.JNL", "tessarn.jnl", "xtessarn.jnl"));
    EXPECT_THAT(ListFiles("C:\\Reg"), Not(Contains(".tessarn-x.jnl")));
    EXPECT_TRUE(ListFilesMatching("C:\\Reg", "none*").empty());
    EXPECT_EQ(ErrorOf([] { ListFilesMatching("C:\\Gone", "*.jnl"); }).code(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorOf([] { ListFilesMatching("E:\\", "*.jnl"); }).code(), ERROR_NOT_READY);
}

// A hiding place holds files and folders alike under the names Hide gives: one search finds them
// all, hidden ones too, and nothing else.
TEST_F(ListTest, ItemsOfEveryKindMatchingAPattern) {
    MakeFile("recycled/H1");
    MakeFolder("recycled/h2/H3");
    for (const char* name : {".H4", "tessarn-items.dat", "INFO2", "xH5"}) {
        MakeFile(std::string("recycled/") + name);
    }
    EXPECT_THAT(ListItemsMatching("C:\\recycled", "H*"), UnorderedElementsAre("H1", "h2"));
    EXPECT_THAT(ListItemsMatching("C:\\recycled", "*"),
                UnorderedElementsAre(".H4", "H1", "h2", "INFO2", "tessarn-items.dat", "xH5"));
    EXPECT_EQ(ErrorOf([] { ListItemsMatching("C:\\Gone", "H*"); }).code(), ERROR_PATH_NOT_FOUND);
}

using ExistsTest = test_machine::MachineTest;

TEST_F(ExistsTest, TellsFilesFromFoldersAndNeverThrows) {
    MakeFile("Docs/report.txt");
    EXPECT_TRUE(FileExists("c:\\DOCS\\Report.txt"));
    EXPECT_FALSE(FolderExists("C:\\Docs\\report.txt"));
    EXPECT_TRUE(FolderExists("C:\\"));
    EXPECT_FALSE(FileExists("C:\\Docs"));
    for (const char* path : {"C:\\missing", "E:\\", "Q:\\", "no path", "C:\\Docs\\report.txt\\"}) {
        EXPECT_FALSE(ItemExists(path)) << path;
    }
}

using DeleteFileTest = test_machine::MachineTest;

TEST_F(DeleteFileTest, DeletesAFileButNeitherAFolderNorWhatIsMissing) {
    MakeFile("windows/system32/TEMP.DAT");
    DeleteFileAt("c:\\windows\\system32\\temp.dat");
    EXPECT_FALSE(fs::exists(DriveC() / "windows/system32/TEMP.DAT"));
    EXPECT_EQ(ErrorOf([] { DeleteFileAt("C:\\windows\\system32\\temp.dat"); }).code(),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ErrorOf([] { DeleteFileAt("C:\\windows"); }).code(), ERROR_ACCESS_DENIED);
}

using MoveItemTest = test_machine::MachineTest;

TEST_F(MoveItemTest, MovesAFileIntoTheHidingPlaceAndBack) {
    MakeFile("Docs/report.txt", "content");
    MoveItem("C:\\Docs\\report.txt", "c:\\recycled\\H1");
    EXPECT_EQ(ReadHostFile(DriveC() / "recycled/H1"), "content");
    EXPECT_FALSE(fs::exists(DriveC() / "Docs/report.txt"));
    MoveItem("C:\\recycled\\H1", "C:\\DOCS\\report.txt . ");
    EXPECT_EQ(ReadHostFile(DriveC() / "Docs/report.txt"), "content");
}

TEST_F(MoveItemTest, MovesAWholeFolderWithItsContents) {
    MakeFile("Docs/Old/Sub/b.txt", "b");
    MoveItem("C:\\docs\\old", "C:\\Recycled\\H2");
    EXPECT_FALSE(fs::exists(DriveC() / "Docs/Old"));
    EXPECT_EQ(ReadHostFile(DriveC() / "recycled/H2/Sub/b.txt"), "b");
}

// A target that differs from the source in letter case alone names the source itself: no
// clash, nothing lost. (The spelling on disk follows the target on NTFS and on Linux, not under
// Wine; see posix/host_file_system_test.cc.)
TEST_F(MoveItemTest, OntoItselfInOtherLetterCaseIsNoClash) {
    MakeFile("Docs/a.txt", "a");
    MoveItem("C:\\Docs\\a.txt", "C:\\docs\\A.TXT");
    MoveItem("C:\\Docs\\a.txt", "C:\\Docs\\a.txt. ");
    MoveItem("C:\\Docs", "C:\\DOCS");
    EXPECT_TRUE(FileExists("C:\\Docs\\a.txt"));
    EXPECT_EQ(ListFiles("C:\\Docs").size(), 1u);
}

TEST_F(MoveItemTest, APathEndingInABackslashNamesOnlyAFolder) {
    MakeFile("a.txt");
    MakeFolder("Docs");
    EXPECT_EQ(ErrorOf([] { MoveItem("C:\\a.txt\\", "C:\\b.txt"); }).code(), ERROR_INVALID_NAME);
    EXPECT_EQ(ErrorOf([] { MoveItem("C:\\a.txt", "C:\\b.txt\\"); }).code(), ERROR_DIRECTORY);
    MoveItem("C:\\Docs\\", "C:\\Moved\\");
    EXPECT_TRUE(fs::is_directory(DriveC() / "Moved"));
    EXPECT_TRUE(fs::exists(DriveC() / "a.txt"));
}

TEST_F(MoveItemTest, MissingSourceFailsNamingBothPaths) {
    EXPECT_STREQ(ErrorOf([] { MoveItem("C:\\gone.txt", "C:\\recycled\\H1"); }).what(),
                 "Cannot move C:\\gone.txt to C:\\recycled\\H1: The system cannot find the file "
                 "specified.");
}

TEST_F(MoveItemTest, DriveRootCannotBeMoved) {
    for (const char* root : {"C:\\", "c:", "C:\\Docs\\.."}) {
        EXPECT_EQ(ErrorOf([&] { MoveItem(root, "C:\\recycled\\H1"); }).code(), ERROR_ACCESS_DENIED);
    }
    EXPECT_FALSE(fs::exists(DriveC() / "recycled/H1"));
}

TEST_F(MoveItemTest, NeverOverwritesATargetOfAnyLetterCase) {
    MakeFile("a.txt", "mine");
    MakeFile("recycled/h1", "hidden before");
    EXPECT_STREQ(ErrorOf([] { MoveItem("C:\\a.txt", "C:\\recycled\\H1"); }).what(),
                 "Cannot move C:\\a.txt to C:\\recycled\\H1: Cannot create a file when that file "
                 "already exists.");
    EXPECT_EQ(ReadHostFile(DriveC() / "a.txt"), "mine");
    EXPECT_EQ(ReadHostFile(DriveC() / "recycled/h1"), "hidden before");
}

TEST_F(MoveItemTest, MissingHidingPlaceIsAMissingPath) {
    StoreFile(machine().DriveD() / "a.txt", "x");
    EXPECT_EQ(ErrorOf([] { MoveItem("D:\\a.txt", "D:\\recycled\\H1"); }).code(),
              ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(fs::exists(machine().DriveD() / "a.txt"));
}

TEST_F(MoveItemTest, DriveNotReadyFails) {
    EXPECT_EQ(ErrorOf([] { MoveItem("E:\\a.txt", "E:\\recycled\\H1"); }).code(), ERROR_NOT_READY);
}

TEST_F(MoveItemTest, DifferentDriveLettersFailEvenForOneFolder) {
    MakeFile("a.txt");
    EXPECT_STREQ(ErrorOf([] { MoveItem("C:\\a.txt", "F:\\recycled\\H1"); }).what(),
                 "Cannot move C:\\a.txt to F:\\recycled\\H1: The system cannot move the file to "
                 "a different disk drive.");
    EXPECT_TRUE(fs::exists(DriveC() / "a.txt"));
}

TEST_F(MoveItemTest, AFolderCannotMoveIntoItselfAndNothingLiesBelowAFile) {
    MakeFolder("Docs/Old");
    MakeFile("a.txt");
    EXPECT_STREQ(ErrorOf([] { MoveItem("C:\\Docs", "C:\\docs\\old\\Docs"); }).what(),
                 "Cannot move the folder C:\\Docs into itself, to C:\\docs\\old\\Docs: The "
                 "parameter is incorrect.");
    // Below a file, or below a folder that is missing, no path leads anywhere.
    EXPECT_EQ(ErrorOf([] { MoveItem("C:\\a.txt", "C:\\a.txt\\x"); }).code(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorOf([] { MoveItem("C:\\Docs", "C:\\Docs\\gone\\x"); }).code(),
              ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(fs::is_directory(DriveC() / "Docs/Old"));
    EXPECT_TRUE(fs::exists(DriveC() / "a.txt"));
}

}  // namespace
}  // namespace platform
