#include "platform/posix/home_drive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/other_file_system.h"
#include "platform/posix/host_path.h"
#include "platform/prefix_fixture.h"
#include "platform/windows_path.h"

namespace platform {
namespace {
namespace fs = std::filesystem;
using ::testing::ElementsAre;

class HomeDriveTest : public platform_test::PrefixTest {
  protected:
    // Starts anew on a machine that does not exist yet, in `prefix`.
    void FirstStartIn(const fs::path& prefix) {
        fs::remove_all(prefix_);
        prefix_ = prefix;
        setenv("TESSARN_PREFIX", prefix_.c_str(), 1);
        PrepareMachine();
    }
};

TEST_F(HomeDriveTest, FirstStartMapsHomeAsDriveHWithItsHidingPlaceHiddenThere) {
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/h:"), Home());
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/h:recycled"), Home() / ".tessarn-recycled");
    EXPECT_TRUE(platform_test::VisibleNames(Home()).empty());
    // Nothing shields it but its own mode, as the machine folder shielded the hiding places in it.
    EXPECT_EQ(fs::status(Home() / ".tessarn-recycled").permissions(), fs::perms::owner_all);

    const HostLocation hiding_place = ResolveWindowsPath("h:\\RECYCLED\\H1");
    EXPECT_EQ(hiding_place.host, Home() / ".tessarn-recycled/H1");
    EXPECT_EQ(FormatWindowsPath(hiding_place.windows), "H:\\recycled\\H1");
    std::ofstream(Home() / "letter.txt") << "letter";
    MoveItem("H:\\letter.txt", "H:\\recycled\\H1");
    EXPECT_EQ(ReadHostFile(Home() / ".tessarn-recycled/H1"), "letter");
    EXPECT_TRUE(platform_test::VisibleNames(Home()).empty());
}

// Removing the machine folder is the way to start afresh; the items hidden from the home folder
// stay, and the next machine's drive H: finds them in its hiding place.
TEST_F(HomeDriveTest, ANewMachineTakesTheHidingPlaceLeftInHomeAsItIs) {
    std::ofstream(Home() / "letter.txt") << "letter";
    MoveItem("H:\\letter.txt", "H:\\recycled\\H7");
    fs::permissions(Home() / ".tessarn-recycled", fs::perms::group_read, fs::perm_options::add);
    FirstStartIn(scratch_ / "afresh");

    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/h:recycled"), Home() / ".tessarn-recycled");
    EXPECT_EQ(ReadHostFile(ResolveWindowsPath("H:\\recycled\\H7").host), "letter");
    EXPECT_EQ(fs::status(Home() / ".tessarn-recycled").permissions(),
              fs::perms::owner_all | fs::perms::group_read);
    MoveItem("H:\\recycled\\H7", "H:\\letter.txt");
    EXPECT_EQ(ReadHostFile(Home() / "letter.txt"), "letter");
}

// The prefix may lie on another file system than the home folder (on a tmpfs, say): the hiding
// place is the same hidden folder in home, so that a Hide stays one rename.
TEST_F(HomeDriveTest, APrefixOnAnotherFileSystemTakesTheSameHidingPlace) {
    const platform_test::FolderOnAnotherFileSystem other_file_system(scratch_);
    if (!other_file_system.folder()) GTEST_SKIP() << "no second file system at /dev/shm";
    FirstStartIn(*other_file_system.folder() / "prefix");

    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/h:recycled"), Home() / ".tessarn-recycled");
    std::ofstream(Home() / "letter.txt") << "letter";
    MoveItem("H:\\letter.txt", "H:\\recycled\\H1");
    EXPECT_TRUE(fs::exists(Home() / ".tessarn-recycled/H1"));
    EXPECT_THAT(platform_test::VisibleNames(Home()), ElementsAre());
}

TEST_F(HomeDriveTest, NoDriveHForAHomeThatIsTheHostRootOrNoFolder) {
    for (const fs::path& home : {fs::path("/"), scratch_ / "missing", fs::path("relative")}) {
        setenv("HOME", home.c_str(), 1);
        FirstStartIn(scratch_ / "prefix");
        EXPECT_FALSE(FindDrive('h').has_value()) << home;
    }
}

TEST_F(HomeDriveTest, TheMappedHidingPlaceIsTheOnlyOneTheDriveHas) {
    fs::create_directories(Home() / "recycled");
    fs::create_directories(Home() / "Docs");
    std::ofstream(Home() / "Docs/report.txt") << "report";
    EXPECT_THAT(ListSubFolders("H:\\"), ElementsAre("Docs"));
    EXPECT_EQ(WindowsPathOfHost(Home() / "Docs"), "H:\\Docs");

    MoveItem("H:\\Docs\\report.txt", "H:\\recycled\\H1");
    EXPECT_EQ(ReadHostFile(Home() / ".tessarn-recycled/H1"), "report");
    EXPECT_TRUE(fs::is_empty(Home() / "recycled"));

    // A link left dangling is a missing hiding place, never the home's own "recycled".
    MoveItem("H:\\recycled\\H1", "H:\\Docs\\report.txt");
    fs::remove(Home() / ".tessarn-recycled");
    EXPECT_EQ(ErrorOf([] { MoveItem("H:\\Docs\\report.txt", "H:\\recycled\\H2"); }).code(),
              ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(fs::is_empty(Home() / "recycled"));
}

}  // namespace
}  // namespace platform
