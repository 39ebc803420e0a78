// What the Linux stand-in's file system adds to Windows': host names that no Windows name can
// spell, links, and the rename of an item to its own name in other letter case, which Windows
// does on NTFS and Wine does not (conformance/kept-differences.txt).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_system.h"
#include "platform/prefix_fixture.h"

namespace platform {
namespace {
namespace fs = std::filesystem;
using ::testing::ElementsAre;

using HostListTest = platform_test::PrefixTest;
using HostMoveItemTest = platform_test::PrefixTest;

TEST_F(HostListTest, NamesThatDifferInLetterCaseAloneKeepOneOrder) {
    for (const char* name : {"b.txt", "a.txt", "A.txt"}) MakeFile(fs::path("Docs") / name);
    EXPECT_THAT(ListFiles("C:\\docs"), ElementsAre("A.txt", "a.txt", "b.txt"));
}

TEST_F(HostListTest, HiddenUnspellableAndUnexaminableEntriesAreLeftOut) {
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

TEST_F(HostMoveItemTest, OntoItselfLeavesTheItemNamedAsTheTargetSpellsIt) {
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

}  // namespace
}  // namespace platform
