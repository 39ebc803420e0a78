#include "platform/posix/home_drive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/drives.h"
#include "platform/file_system.h"
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

TEST_F(HomeDriveTest, FirstStartMapsHomeAsDriveHWithItsHidingPlaceInTheMachine) {
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/h:"), Home());
    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/h:recycled"), "../recycled_h");
    EXPECT_TRUE(fs::is_empty(Home()));

    const HostLocation hiding_place = ResolveWindowsPath("h:\\RECYCLED\\H1");
    EXPECT_EQ(hiding_place.host, prefix_ / "recycled_h/H1");
    EXPECT_EQ(FormatWindowsPath(hiding_place.windows), "H:\\recycled\\H1");
    EXPECT_TRUE(FolderExists("H:\\recycled"));
}

TEST_F(HomeDriveTest, AHomeOnAnotherFileSystemKeepsItsHidingPlaceInAHiddenFolderThere) {
    struct stat scratch_info;
    struct stat shm_info;
    if (stat("/dev/shm", &shm_info) != 0 || stat(scratch_.c_str(), &scratch_info) != 0 ||
        shm_info.st_dev == scratch_info.st_dev) {
        GTEST_SKIP() << "no second file system at /dev/shm";
    }
    std::string pattern = "/dev/shm/tessarn-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    struct RemovedAtEnd {
        fs::path folder;
        ~RemovedAtEnd() {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    } other_file_system{pattern};
    FirstStartIn(other_file_system.folder / "prefix");

    EXPECT_EQ(fs::read_symlink(prefix_ / "dosdevices/h:recycled"), Home() / ".tessarn-recycled");
    EXPECT_TRUE(platform_test::VisibleNames(Home()).empty());
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
    EXPECT_EQ(ReadHostFile(prefix_ / "recycled_h/H1"), "report");
    EXPECT_TRUE(fs::is_empty(Home() / "recycled"));

    // A link left dangling is a missing hiding place, never the home's own "recycled".
    MoveItem("H:\\recycled\\H1", "H:\\Docs\\report.txt");
    fs::remove(prefix_ / "recycled_h");
    EXPECT_EQ(ErrorOf([] { MoveItem("H:\\Docs\\report.txt", "H:\\recycled\\H2"); }).code(),
              ERROR_PATH_NOT_FOUND);
    EXPECT_TRUE(fs::is_empty(Home() / "recycled"));
}

}  // namespace
}  // namespace platform
