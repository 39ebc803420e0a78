// What the main window does with what the Linux machine alone has: the home folder as drive H:,
// a drive linked in while the program runs, and a full disk. The Wine machine of the Windows
// tests gives the home folder no drive, reads its drive table once when it starts, and cannot
// fill its disk.
#include <filesystem>

#include "forms/form1_test.h"
#include "platform/test_home.h"

namespace {

namespace fs = std::filesystem;
using forms::Form1;
using testing::HasSubstr;
using Entries = std::vector<std::string>;

TEST_F(Form1Test, ADriveAddedWhileTheProgramRunsCanBeChosenFromTheDropDown) {
    Form1& w = Open();
    fs::create_directories(machine_->AddDrive('k', true) / "Photos");
    user::ChooseDrive(w.Drive1, 'k');
    EXPECT_EQ(w.Drive1.Drive(), "k:");
    EXPECT_EQ(user::Entries(w.Dir1), (Entries{"K:\\", "Photos"}));
    EXPECT_EQ(user::TextOf(w.Text1), "K:\\");
    EXPECT_TRUE(messages_.empty());
}

// A new user's first Hide: started in the home folder, a file there goes into drive H:'s hiding
// place, which leaves no trace in the home folder as `ls` or a file manager shows it.
TEST_F(Form1Test, StartedInTheHomeFolderHidesThroughDriveHLeavingNoVisibleTrace) {
    fs::create_directories(Home() / "Docs");
    WriteFile(Home() / "Docs/letter.txt", "letter");
    machine_->StartIn(Home() / "Docs");
    Form1& w = Open();
    EXPECT_EQ(user::TextOf(w.Text1), "H:\\Docs");
    EXPECT_EQ(w.Drive1.Drive(), "h:");
    EXPECT_EQ(user::Entries(w.Dir1), (Entries{"H:\\", "Docs"}));

    user::Click(w.File1, "letter.txt");
    user::Click(w.Command1);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(user::Entries(w.File1).empty());
    EXPECT_TRUE(fs::is_empty(Home() / "Docs"));
    EXPECT_EQ(Register(), RecordBytes("H1", "H:\\Docs\\letter.txt", "letter.txt"));
    EXPECT_EQ(ReadFile(machine_->HostOf("H:\\recycled\\H1")), "letter");
    EXPECT_EQ(platform_test::VisibleNames(Home()), std::vector<std::string>({"Docs"}));
}

TEST_F(Form1Test, AFullDiskRefusesTheHideBeforeAnythingMoves) {
    Form1& w = Open();
    user::Click(w.File1, "report.txt");
    TestMachine::WithFullDisk([&] { user::Click(w.Command1); });

    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_THAT(messages_[0].text, HasSubstr("not enough space"));
    EXPECT_EQ(ReadFile(HostC("Docs/report.txt")), "report");
    EXPECT_TRUE(fs::is_empty(HostC("recycled")));
    EXPECT_EQ(Register(), "");
}

}  // namespace
