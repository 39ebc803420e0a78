// Within one operation (a DriveTableSnapshot) each path is looked up once; what the platform
// itself changes meanwhile, and what others changed before a lock was taken, must still be seen.
#include <gtest/gtest.h>

#include "platform/drives.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/item_identity.h"
#include "platform/prefix_fixture.h"
#include "platform/random_access_file.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using LookupMemoTest = platform_test::PrefixTest;

TEST_F(LookupMemoTest, WhatTheOperationChangesItselfIsSeenByItsNextStep) {
    MakeFolder("Docs/Old");
    MakeFile("Docs/Old/inner.txt");
    MakeFolder("recycled");
    const DriveTableSnapshot operation;
    ASSERT_FALSE(ItemExists("c:\\docs\\NEW.TXT"));
    ASSERT_TRUE(ItemExists("C:\\Docs\\Old\\inner.txt"));

    RandomAccessFile(std::string_view("C:\\Docs\\new.txt"),
                     RandomAccessFile::IfMissing::kCreateEmpty)
        .Close();
    EXPECT_TRUE(ItemExists("c:\\docs\\NEW.TXT")) << "a file created is found in any letter case";

    MoveItem("C:\\Docs\\Old", "C:\\recycled\\H1");
    EXPECT_FALSE(ItemExists("C:\\Docs\\Old\\inner.txt"));
    EXPECT_TRUE(ItemExists("C:\\RECYCLED\\h1\\inner.txt"));
    EXPECT_TRUE(FolderAndAbove("C:\\Docs\\Old").empty());

    // Another folder moved to where one was is another folder, with its own identity.
    MakeFolder("Other/Old");
    const std::optional<ItemIdentity> other = FolderIdentity("C:\\Other\\Old");
    ASSERT_FALSE(FolderAndAbove("C:\\recycled\\H1").empty());
    MoveItem("C:\\recycled\\H1", "C:\\recycled\\H2");
    MoveItem("C:\\Other\\Old", "C:\\recycled\\H1");
    EXPECT_EQ(FolderAndAbove("C:\\recycled\\H1").front(), other);

    DeleteFileAt("C:\\Docs\\NEW.txt");
    EXPECT_FALSE(ItemExists("C:\\Docs\\new.txt"));
    ReplaceFile("C:\\recycled\\H2\\inner.txt", "C:\\Docs\\moved.txt");
    EXPECT_TRUE(FileExists("c:\\docs\\MOVED.TXT"));
    EXPECT_FALSE(ItemExists("C:\\recycled\\H2\\inner.txt"));
}

// Another running copy changes things only under the register's lock: whoever takes the lock
// next must see them, whatever it looked up while it waited.
TEST_F(LookupMemoTest, WhatOthersChangedIsSeenOnceTheLockIsHeld) {
    MakeFile("Docs/a.txt");
    const DriveTableSnapshot operation;
    ASSERT_TRUE(ItemExists("C:\\Docs\\a.txt"));
    ASSERT_FALSE(ItemExists("C:\\Docs\\B.TXT"));

    fs::rename(DriveC() / "Docs/a.txt", DriveC() / "Docs/b.txt");
    const FileLock lock("C:\\windows\\system32\\tessarn.dat");
    EXPECT_FALSE(ItemExists("C:\\Docs\\a.txt"));
    EXPECT_TRUE(ItemExists("C:\\Docs\\B.TXT"));
}

}  // namespace
}  // namespace platform
