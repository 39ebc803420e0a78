#include "platform/medium.h"

#include <gtest/gtest.h>

#include <regex>

#include "machine/machine_test.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using MediumTest = test_machine::MachineTest;

// A medium is told by what is in the drive, not by the drive's letter: another medium put in the
// same drive is another medium, and the first one back is the same again.
TEST_F(MediumTest, AnotherMediumInTheDriveIsAnotherOneAndTheFirstBackIsTheSame) {
    fs::create_directories(machine().DriveD() / "recycled");
    const Medium first = MediumOf("D:\\recycled");
    EXPECT_EQ(MediumOf("d:\\RECYCLED"), first);

    machine().PutInAnotherMediumOfD();
    fs::create_directories(machine().DriveD() / "recycled");
    const Medium other = MediumOf("D:\\recycled");
    EXPECT_NE(other, first);
    EXPECT_EQ(other.label(), first.label()) << "a label tells no medium from another";

    machine().PutBackFirstMediumOfD();
    EXPECT_EQ(MediumOf("D:\\recycled"), first);
    EXPECT_NE(MediumOf("C:\\recycled"), first);
}

TEST_F(MediumTest, AMediumReadsAsWindowsShowsAVolume) {
    fs::create_directories(machine().DriveD() / "recycled");
    const Medium medium = MediumOf("D:\\recycled");
    EXPECT_EQ(medium.label(), "d");
    EXPECT_TRUE(std::regex_match(medium.SerialText(), std::regex("[0-9A-F]{4}-[0-9A-F]{4}")))
        << medium.SerialText();
    // A serial number of four bytes is shown as it is, as Windows shows it.
    EXPECT_EQ(Medium(std::string("\x4D\x3C\x2B\x1A", 4), "").SerialText(), "1A2B-3C4D");
    EXPECT_EQ(Medium(medium.identity(), "renamed"), medium);
}

TEST_F(MediumTest, NoMediumCanBeToldWhereNoFolderCanBeRead) {
    const std::string no_medium = std::string(1, test_machine::kNotReadyDrive) + ":\\recycled";
    EXPECT_EQ(ErrorOf([&] { MediumOf(no_medium); }).code(), ERROR_NOT_READY);
    fs::create_directories(machine().DriveD() / "recycled");
    machine().TakeOutMediumOfD();
    EXPECT_EQ(ErrorOf([] { MediumOf("D:\\recycled"); }).code(), ERROR_NOT_READY);
    machine().PutBackMediumOfD();

    EXPECT_EQ(ErrorOf([] { MediumOf("C:\\missing"); }).code(), ERROR_PATH_NOT_FOUND);
    MakeFile("file.txt");
    EXPECT_EQ(ErrorOf([] { MediumOf("C:\\file.txt"); }).code(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorOf([] { MediumOf(""); }).code(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorOf([] { MediumOf("recycled"); }).code(), ERROR_INVALID_NAME);
}

}  // namespace
}  // namespace platform
