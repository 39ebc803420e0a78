#include "platform/prefix.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/prefix_fixture.h"

namespace platform {
namespace {
namespace fs = std::filesystem;
using platform_test::PrefixTest;

using PrepareMachineTest = PrefixTest;

TEST_F(PrepareMachineTest, FirstStartCreatesDriveCWithItsHidingPlace) {
    EXPECT_TRUE(fs::is_directory(prefix_ / "drive_c" / "windows" / "system32"));
    EXPECT_TRUE(fs::is_directory(prefix_ / "drive_c" / "recycled"));
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices" / "c:"), "../drive_c");
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices" / "z:"), "/");
}

TEST_F(PrepareMachineTest, FirstStartLeavesNoBuildingFolderBehind) {
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(scratch_)) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(PrepareMachineTest, LeavesAnExistingPrefixAsItIs) {
    fs::remove(prefix_ / "dosdevices" / "z:");
    fs::remove(prefix_ / "drive_c" / "recycled");
    PrepareMachine();
    EXPECT_FALSE(fs::exists(fs::symlink_status(prefix_ / "dosdevices" / "z:")));
    EXPECT_FALSE(fs::exists(prefix_ / "drive_c" / "recycled"));
}

TEST_F(PrepareMachineTest, CreatesMissingParentFolders) {
    const fs::path deep = scratch_ / "a" / "b" / "machine";
    setenv("TESSARN_PREFIX", deep.c_str(), 1);
    PrepareMachine();
    EXPECT_TRUE(fs::is_directory(deep / "drive_c" / "recycled"));
}

class PrefixFolderTest : public ::testing::Test {
  protected:
    void TearDown() override {
        unsetenv("TESSARN_PREFIX");
        unsetenv("XDG_DATA_HOME");
    }
};

TEST_F(PrefixFolderTest, TessarnPrefixWinsOverXdgDataHome) {
    setenv("TESSARN_PREFIX", "/tmp/machine", 1);
    setenv("XDG_DATA_HOME", "/tmp/data", 1);
    EXPECT_EQ(PrefixFolder(), "/tmp/machine");
}

TEST_F(PrefixFolderTest, EmptyTessarnPrefixFallsBackToXdgDataHome) {
    setenv("TESSARN_PREFIX", "", 1);
    setenv("XDG_DATA_HOME", "/tmp/data", 1);
    EXPECT_EQ(PrefixFolder(), "/tmp/data/tessarn");
}

TEST_F(PrefixFolderTest, WithoutEitherUsesTheHomeFolder) {
    unsetenv("TESSARN_PREFIX");
    unsetenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(PrefixFolder(), fs::path(home) / ".local/share/tessarn");
}

TEST_F(PrefixFolderTest, RelativeXdgDataHomeIsIgnored) {
    unsetenv("TESSARN_PREFIX");
    setenv("XDG_DATA_HOME", "relative/data", 1);
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(PrefixFolder(), fs::path(home) / ".local/share/tessarn");
}

}  // namespace
}  // namespace platform
