// An earlier machine's hiding place of drive H:, <prefix>/recycled_h, moved out of the prefix to
// the home folder once: with one rename or not at all, and safe to be cut short at every step.
#include "platform/posix/home_hiding_place.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "machine/child_process.h"
#include "platform/earlier_machine.h"
#include "platform/fault_injection.h"
#include "platform/medium.h"
#include "platform/other_file_system.h"
#include "platform/posix/host_path.h"
#include "platform/prefix_fixture.h"

namespace platform {
namespace {
namespace fs = std::filesystem;
using test_machine::ChildEnd;
using test_machine::ChildProcess;
using ::testing::HasSubstr;

// A start of the program, ended by the fault injector just before its nth file operation.
const test_machine::RegisteredRole kStartKilled("start-killed",
                                                [](const std::vector<std::string>& arguments) {
                                                    fault_injection::KillBeforeOperation(
                                                        std::stoi(arguments.at(0)));
                                                    PrepareMachine();
                                                    return 0;
                                                });

class HomeHidingPlaceTest : public platform_test::PrefixTest {
  protected:
    void SetUp() override {
        PrefixTest::SetUp();
        MakeEarlierMachine();
    }

    // An earlier machine with a file and a folder hidden from the home folder.
    void MakeEarlierMachine() {
        const fs::path place = Place();
        std::ofstream(place / "H1") << "letter";
        fs::create_directories(place / "H2/Photos");
        std::ofstream(place / "H2/Photos/beach.jpg") << "beach";
        platform_test::MakeHomeHidingPlaceEarlier(prefix_, Home());
        medium_.emplace(MediumOf("H:\\recycled"));
    }
    // A machine made anew, earlier again.
    void MakeEarlierMachineAnew() {
        fs::remove_all(prefix_);
        fs::remove_all(Home());
        fs::create_directories(Home());
        PrepareMachine();
        MakeEarlierMachine();
    }

    fs::path Place() const { return Home() / ".tessarn-recycled"; }
    fs::path Earlier() const { return prefix_ / "recycled_h"; }
    fs::path LinkTarget() const { return fs::read_symlink(prefix_ / "dosdevices/h:recycled"); }
    fs::path HostOf(const char* windows_path) const {
        return ResolveWindowsPath(windows_path).host;
    }

    // The hiding place moved out whole, H:\recycled leading to it, and the same medium for any
    // journal that waits for it.
    void ExpectMovedOut() {
        EXPECT_EQ(LinkTarget(), Place());
        EXPECT_FALSE(fs::exists(fs::symlink_status(Earlier())));
        EXPECT_EQ(ReadHostFile(HostOf("H:\\recycled\\H1")), "letter");
        EXPECT_EQ(ReadHostFile(HostOf("H:\\recycled\\H2\\Photos\\beach.jpg")), "beach");
        EXPECT_EQ(HostOf("H:\\recycled\\H1"), Place() / "H1");
        EXPECT_EQ(MediumOf("H:\\recycled"), *medium_);
        EXPECT_EQ(fs::status(Place()).permissions(), fs::perms::owner_all);
        EXPECT_EQ(std::distance(fs::directory_iterator(prefix_ / "dosdevices"), {}), 4)
            << "c:, h:, h:recycled and z: only";
    }
    // Nothing moved: the earlier layout as it was.
    void ExpectLeftInPlace() {
        EXPECT_EQ(LinkTarget(), "../recycled_h");
        EXPECT_EQ(ReadHostFile(HostOf("H:\\recycled\\H1")), "letter");
        EXPECT_EQ(HostOf("H:\\recycled\\H1"), Earlier() / "H1");
    }

    std::optional<Medium> medium_;
};

TEST_F(HomeHidingPlaceTest, TheFirstStartMovesItOutOnceAndRemovingThePrefixLosesNothing) {
    PrepareMachine();
    ExpectMovedOut();
    // Later starts find nothing to do, without a single file operation.
    fault_injection::FailFromOperation(1);
    PrepareMachine();
    EXPECT_EQ(fault_injection::OperationsSeen(), 0);
    fault_injection::Disarm();

    fs::remove_all(prefix_);
    PrepareMachine();
    EXPECT_EQ(ReadHostFile(HostOf("H:\\recycled\\H1")), "letter");
    EXPECT_EQ(ReadHostFile(HostOf("H:\\recycled\\H2\\Photos\\beach.jpg")), "beach");
}

// An empty folder there holds nothing to lose, and is replaced by the rename; anything else
// stays as it is, and so does the earlier hiding place, which goes on working in the prefix.
TEST_F(HomeHidingPlaceTest, OnlyOneRenameMovesItAndOnlyOverNothingOrAnEmptyFolder) {
    fs::create_directory(Place());
    PrepareMachine();
    ExpectMovedOut();

    MakeEarlierMachineAnew();
    fs::create_directory(Place());
    std::ofstream(Place() / "H1") << "another machine's";
    PrepareMachine();
    ExpectLeftInPlace();
    EXPECT_EQ(ReadHostFile(Place() / "H1"), "another machine's");

    MakeEarlierMachineAnew();
    std::ofstream(Place()) << "a file of the user's";
    PrepareMachine();
    ExpectLeftInPlace();
    EXPECT_EQ(ReadHostFile(Place()), "a file of the user's");

    // A link of the user's own, which names another hiding place, is theirs to keep.
    MakeEarlierMachineAnew();
    fs::remove(prefix_ / "dosdevices/h:recycled");
    fs::create_directory_symlink(Outside("mine"), prefix_ / "dosdevices/h:recycled");
    PrepareMachine();
    EXPECT_EQ(LinkTarget(), Outside("mine"));
    EXPECT_EQ(ReadHostFile(Earlier() / "H1"), "letter");
    EXPECT_FALSE(fs::exists(Place()));
}

TEST_F(HomeHidingPlaceTest, AHidingPlaceOnAnotherFileSystemThanHomeIsNeverCopied) {
    const platform_test::FolderOnAnotherFileSystem other_file_system(scratch_);
    if (!other_file_system.folder()) GTEST_SKIP() << "no second file system at /dev/shm";
    // A machine moved there with its hiding place, as a user may move a machine folder.
    prefix_ = *other_file_system.folder() / "prefix";
    setenv("TESSARN_PREFIX", prefix_.c_str(), 1);
    PrepareMachine();
    fs::create_directory(Earlier());
    std::ofstream(Earlier() / "H1") << "letter";
    fs::remove(prefix_ / "dosdevices/h:recycled");
    fs::create_directory_symlink("../recycled_h", prefix_ / "dosdevices/h:recycled");

    PrepareMachine();
    ExpectLeftInPlace();
    EXPECT_TRUE(fs::is_empty(Place()));
}

// A start killed just before each file operation of the move, or whose operation fails there (the
// start then goes on as it was before the rename, and says so after it); then a start that runs to
// its end.
TEST_F(HomeHidingPlaceTest, AStartCutShortAtAnyStepOfTheMoveLosesNothingAndTheNextFinishesIt) {
    for (int nth = 1; nth < 20; ++nth) {
        SCOPED_TRACE("cut short before file operation " + std::to_string(nth));
        MakeEarlierMachineAnew();
        ChildProcess start("start-killed", {std::to_string(nth)});
        const ChildProcess::End end = start.Wait();
        ASSERT_TRUE(end.how == ChildEnd::kKilled || end.ExitedWith(0)) << end.exit_code;
        PrepareMachine();
        ExpectMovedOut();

        MakeEarlierMachineAnew();
        fault_injection::FailFromOperation(nth);
        try {
            PrepareMachine();
            if (fault_injection::OperationsSeen() >= nth) ExpectLeftInPlace();
        } catch (const WindowsError& error) {
            EXPECT_THAT(error.what(), HasSubstr("the next start finishes the move"));
        }
        fault_injection::Disarm();
        PrepareMachine();
        ExpectMovedOut();
        if (end.how == ChildEnd::kExited || HasFailure()) return;
    }
    FAIL() << "the move never ran to its end";
}

}  // namespace
}  // namespace platform
