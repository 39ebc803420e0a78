#include "platform/posix/no_replace_rename.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/prefix_fixture.h"

namespace platform {
namespace {
namespace fs = std::filesystem;

// The kernel's way and the fallback must keep the same promise, so each test runs with both.
class NoReplaceRenameTest : public platform_test::PrefixTest,
                            public ::testing::WithParamInterface<bool> {
  protected:
    int Rename(const fs::path& from, const fs::path& to) const {
        return GetParam() ? RenameNoReplaceFallback(from, to) : RenameNoReplace(from, to);
    }
};

TEST_P(NoReplaceRenameTest, RenamesFilesAndFoldersWithTheirContents) {
    MakeFile("Old/a.txt", "a");
    EXPECT_EQ(Rename(DriveC() / "Old/a.txt", DriveC() / "Old/b.txt"), 0);
    EXPECT_EQ(Rename(DriveC() / "Old", DriveC() / "New"), 0);
    EXPECT_EQ(ReadHostFile(DriveC() / "New/b.txt"), "a");
    EXPECT_EQ(Rename(DriveC() / "Old", DriveC() / "Other"), ENOENT);
}

TEST_P(NoReplaceRenameTest, RefusesAnExistingFileOrEmptyFolder) {
    MakeFile("Old/a.txt", "a");
    MakeFile("b.txt", "b");
    MakeFolder("Empty");
    EXPECT_EQ(Rename(DriveC() / "Old/a.txt", DriveC() / "b.txt"), EEXIST);
    EXPECT_EQ(Rename(DriveC() / "Old", DriveC() / "Empty"), EEXIST);
    EXPECT_EQ(ReadHostFile(DriveC() / "b.txt"), "b");
    EXPECT_EQ(ReadHostFile(DriveC() / "Old/a.txt"), "a");
}

INSTANTIATE_TEST_SUITE_P(KernelAndFallback, NoReplaceRenameTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Fallback" : "Kernel"; });

}  // namespace
}  // namespace platform
