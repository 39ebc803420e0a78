// What a medium is on Linux, where a drive letter leads to a host folder: the file system and the
// drive's hiding place on it, with the host folder's name as its label.
#include "platform/medium.h"

#include <gtest/gtest.h>

#include "platform/prefix_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using LinuxMediumTest = platform_test::PrefixTest;

TEST_F(LinuxMediumTest, TheHostFolderNamesTheMediumAndAnyLetterLeadingThereReachesIt) {
    const fs::path stick = Outside("STICK");
    fs::create_directory(stick / "recycled");
    AddDrive('d', stick);
    AddDrive('e', stick);
    EXPECT_EQ(MediumOf("D:\\recycled").label(), "STICK");
    EXPECT_EQ(MediumOf("E:\\recycled"), MediumOf("D:\\recycled"));
}

// A medium is known by its hiding place: one deleted and made anew cannot be told from another
// medium's, and an operation waiting for the first keeps waiting rather than guess.
TEST_F(LinuxMediumTest, AHidingPlaceMadeAnewIsAnotherMedium) {
    const fs::path stick = Outside("stick");
    fs::create_directory(stick / "recycled");
    AddDrive('d', stick);
    const Medium first = MediumOf("D:\\recycled");
    fs::rename(stick / "recycled", stick / "old");
    fs::create_directory(stick / "recycled");
    EXPECT_NE(MediumOf("D:\\recycled"), first);
}

}  // namespace
}  // namespace platform
