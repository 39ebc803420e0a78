#include "platform/file_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/prefix_fixture.h"

namespace platform {
namespace {
namespace fs = std::filesystem;
using ::testing::ElementsAre;

using ListTest = platform_test::PrefixTest;

TEST_F(ListTest, FilesAndFoldersApartEachSortedIgnoringCase) {
    // Names that differ in letter case alone keep one order, whatever order the host lists them in.
    for (const char* name : {"b.txt", "a.txt", "A.txt", "c.TXT", "Ä.txt"}) {
        MakeFile(fs::path("Docs") / name);
    }
    MakeFolder("Docs/old");
    MakeFolder("Docs/New");
    EXPECT_THAT(ListFiles("C:\\docs"), ElementsAre("A.txt", "a.txt", "b.txt", "c.TXT", "Ä.txt"));
    EXPECT_THAT(ListSubFolders("C:\\docs"), ElementsAre("New", "old"));
}

TEST_F(ListTest, HiddenUnspellableAndUnexaminableEntriesAreLeftOut) {
    MakeFile("Docs/.hidden");
    MakeFolder("Docs/.git");
    MakeFile("Docs/a\\b.txt");
    MakeFile("Docs/trailing ");
    MakeFile("Docs/trailing.");
    fs::create_symlink(DriveC() / "nowhere", DriveC() / "Docs/broken");
    fs::create_directory_symlink(Outside("shared"), DriveC() / "Docs/Shared");
    MakeFile("Docs/kept.txt");
    EXPECT_THAT(ListFiles("C:\\Docs"), ElementsAre("kept.txt"));
    EXPECT_THAT(ListSubFolders("C:\\Docs"), ElementsAre("Shared"));
}

TEST_F(ListTest, HidingPlaceIsLeftOutAtTheRootOnlyInAnyLetterCase) {
    fs::rename(DriveC() / "recycled", DriveC() / "ReCycled");
    MakeFolder("windows/recycled");
    EXPECT_THAT(ListSubFolders("C:\\"), ElementsAre("windows"));
    EXPECT_THAT(ListSubFolders("C:\\windows"), ElementsAre("recycled", "system32"));
}

TEST_F(ListTest, MissingFolderOrNotReadyDriveFails) {
    AddDrive('e', scratch_ / "no-medium");
    EXPECT_STREQ(ErrorOf([] { ListFiles("C:\\Gone"); }).what(),
                 "Cannot read the folder C:\\Gone: The system cannot find the path specified.");
    EXPECT_EQ(ErrorOf([] { ListSubFolders("E:\\"); }).code(), ERROR_NOT_READY);
}

using ExistsTest = platform_test::PrefixTest;

TEST_F(ExistsTest, TellsFilesFromFoldersAndNeverThrows) {
    MakeFile("Docs/report.txt");
    AddDrive('e', scratch_ / "no-medium");
    EXPECT_TRUE(FileExists("c:\\DOCS\\Report.txt"));
    EXPECT_FALSE(FolderExists("C:\\Docs\\report.txt"));
    EXPECT_TRUE(FolderExists("C:\\"));
    EXPECT_FALSE(FileExists("C:\\Docs"));
    for (const char* path : {"C:\\missing", "E:\\", "Q:\\", "no path"}) {
        EXPECT_FALSE(ItemExists(path)) << path;
    }
}

using DeleteFileTest = platform_test::PrefixTest;

TEST_F(DeleteFileTest, DeletesAFileButNeitherAFolderNorWhatIsMissing) {
    MakeFile("windows/system32/TEMP.DAT");
    DeleteFileAt("c:\\windows\\system32\\temp.dat");
    EXPECT_FALSE(fs::exists(DriveC() / "windows/system32/TEMP.DAT"));
    EXPECT_EQ(ErrorOf([] { DeleteFileAt("C:\\windows\\system32\\temp.dat"); }).code(),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ErrorOf([] { DeleteFileAt("C:\\windows"); }).code(), ERROR_ACCESS_DENIED);
}

using MoveItemTest = platform_test::PrefixTest;

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

TEST_F(MoveItemTest, OntoItselfLeavesTheItemNamedAsTheTargetSpellsIt) {
    struct Case {
        const char* from;
        const char* to;
        const char* host_after;
    };
    const Case cases[] = {
        {"C:\\Docs\\a.txt", "C:\\Docs\\a.txt.", "Docs/a.txt"},
        {"C:\\Docs\\a.txt", "C:\\docs\\A.TXT", "Docs/A.TXT"},
        {"C:\\Docs", "C:\\DOCS", "DOCS/A.TXT"},
        {"C:\\docs\\é.txt", "C:\\DOCS\\É.txt", "DOCS/É.txt"},
    };
    MakeFile("Docs/a.txt", "a");
    MakeFile("Docs/é.txt", "é");
    for (const Case& c : cases) {
        MoveItem(c.from, c.to);
        EXPECT_TRUE(fs::exists(DriveC() / c.host_after)) << c.to;
    }
    EXPECT_EQ(ReadHostFile(DriveC() / "DOCS/A.TXT"), "a");
    EXPECT_THAT(ListFiles("C:\\DOCS"), ElementsAre("A.TXT", "É.txt"));
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
    AddDrive('d', Outside("stick"));
    std::ofstream(Outside("stick") / "a.txt") << "x";
    EXPECT_EQ(ErrorOf([] { MoveItem("D:\\a.txt", "D:\\recycled\\H1"); }).code(),
              ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(fs::exists(Outside("stick") / "a.txt"));
}

TEST_F(MoveItemTest, DriveNotReadyFails) {
    AddDrive('e', scratch_ / "no-medium");
    EXPECT_EQ(ErrorOf([] { MoveItem("E:\\a.txt", "E:\\recycled\\H1"); }).code(), ERROR_NOT_READY);
}

TEST_F(MoveItemTest, DifferentDriveLettersFailEvenOnOneHostFileSystem) {
    AddDrive('d', DriveC());
    MakeFile("a.txt");
    EXPECT_STREQ(ErrorOf([] { MoveItem("C:\\a.txt", "D:\\recycled\\H1"); }).what(),
                 "Cannot move C:\\a.txt to D:\\recycled\\H1: The system cannot move the file to "
                 "a different disk drive.");
    EXPECT_TRUE(fs::exists(DriveC() / "a.txt"));
}

TEST_F(MoveItemTest, AFolderCannotMoveIntoItself) {
    MakeFolder("Docs/Old");
    EXPECT_STREQ(ErrorOf([] { MoveItem("C:\\Docs", "C:\\docs\\old\\Docs"); }).what(),
                 "Cannot move the folder C:\\Docs into itself, to C:\\docs\\old\\Docs: The "
                 "parameter is incorrect.");
    EXPECT_TRUE(fs::is_directory(DriveC() / "Docs/Old"));
}

}  // namespace
}  // namespace platform
