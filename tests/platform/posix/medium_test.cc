#include "platform/medium.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/prefix_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using MediumTest = platform_test::PrefixTest;

// A medium is told by what lies at the drive's place, not by the drive's letter or host path:
// another stick mounted where the first one was is another medium, and the first one back is
// the same again.
TEST_F(MediumTest, AnotherMediumAtTheSamePlaceIsAnotherMediumAndTheFirstBackIsTheSame) {
    const fs::path stick = Outside("stick");
    fs::create_directory(stick / "recycled");
    AddDrive('d', stick);
    const Medium first = MediumOf("D:\\recycled");
    EXPECT_EQ(MediumOf("d:\\RECYCLED"), first);

    fs::rename(stick, scratch_ / "first stick out");
    fs::create_directories(stick / "recycled");
    EXPECT_NE(MediumOf("D:\\recycled"), first);

    fs::remove_all(stick);
    fs::rename(scratch_ / "first stick out", stick);
    EXPECT_EQ(MediumOf("D:\\recycled"), first);
    AddDrive('e', stick);
    EXPECT_EQ(MediumOf("E:\\recycled"), first) << "another letter for the same medium";
}

TEST_F(MediumTest, AMediumReadsAsWindowsShowsAVolume) {
    AddDrive('d', Outside("STICK"));
    fs::create_directory(Outside("STICK") / "recycled");
    const Medium medium = MediumOf("D:\\recycled");
    EXPECT_EQ(medium.label(), "STICK");
    EXPECT_TRUE(std::regex_match(medium.SerialText(), std::regex("[0-9A-F]{4}-[0-9A-F]{4}")))
        << medium.SerialText();
    // A serial number of four bytes is shown as it is, as Windows shows it.
    EXPECT_EQ(Medium(std::string("\x4D\x3C\x2B\x1A", 4), "").SerialText(), "1A2B-3C4D");
    EXPECT_EQ(Medium(medium.identity(), "renamed"), medium);
}

TEST_F(MediumTest, NoMediumCanBeToldWhereNoFolderCanBeRead) {
    AddDrive('e', scratch_ / "no-medium");
    EXPECT_EQ(ErrorOf([] { MediumOf("E:\\recycled"); }).code(), ERROR_NOT_READY);
    EXPECT_EQ(ErrorOf([] { MediumOf("C:\\missing"); }).code(), ERROR_PATH_NOT_FOUND);
    MakeFile("file.txt");
    EXPECT_EQ(ErrorOf([] { MediumOf("C:\\file.txt"); }).code(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorOf([] { MediumOf(""); }).code(), ERROR_PATH_NOT_FOUND);
}

}  // namespace
}  // namespace platform
