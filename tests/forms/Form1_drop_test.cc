// Files and folders dropped on the main window from a file manager: the browser goes to the first
// of them as the user's clicks would, nothing is hidden before Hide, and nothing is taken while
// another window of the program is open over the main window.
#include <filesystem>

#include "form1_test.h"
#include "forms/frmAbout.h"

namespace {

namespace fs = std::filesystem;
using forms::Form1;
using DroppedOnForm1Test = Form1Test;

TEST_F(DroppedOnForm1Test, TheFirstDroppedFileIsChosenOnItsDriveAndHiddenOnlyByHide) {
    const fs::path drive_d = machine_->AddDrive('d', true);
    fs::create_directories(drive_d / "Work");
    WriteFile(drive_d / "Work/plan.txt", "plan");
    Form1& w = Open();

    // A drop while the message about it is open, over the window, is not taken.
    on_message_ = [&] { user::DropItems(w, {HostC("boot.ini")}); };
    user::DropItems(w, {drive_d / "Work/plan.txt", HostC("boot.ini")});
    EXPECT_EQ(w.Drive1.Drive(), "d:");
    EXPECT_EQ(w.Dir1.Path(), "D:\\Work");
    ASSERT_EQ(user::Entries(w.File1), std::vector<std::string>{"plan.txt"});
    EXPECT_EQ(user::SelectedRow(w.File1), 0);
    EXPECT_EQ(user::TextOf(w.Text1), "D:\\Work\\plan.txt");
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{
                             {"Tessarn takes one item at a time: of the 2 items, only the first "
                              "was taken.",
                              "Tessarn"}}));
    EXPECT_TRUE(fs::exists(drive_d / "Work/plan.txt"));

    user::Click(w.Command1);
    EXPECT_EQ(ReadFile(drive_d / "recycled/H1"), "plan");
    EXPECT_EQ(Register(), RecordBytes("H1", "D:\\Work\\plan.txt", "plan.txt"));
}

TEST_F(DroppedOnForm1Test, NothingIsTakenWhileAnotherWindowIsOpenOverIt) {
    Form1& w = Open();
    user::Click(w.Command3);
    ASSERT_FALSE(user::IsEnabled(w));
    user::DropItems(w, {HostC("Docs/report.txt")});
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs");
    EXPECT_EQ(user::SelectedRow(w.File1), -1);

    user::CloseBox(forms::Instance<forms::frmAbout>());
    ASSERT_TRUE(user::IsEnabled(w));
    user::Click(w.File1, "report.txt");
    // A dropped folder is opened itself, and named in Text1 also where the list shows it already.
    user::DropItems(w, {HostC("Docs")});
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs");
    user::DropItems(w, {HostC("Docs/Old")});
    EXPECT_EQ(w.Dir1.Path(), "C:\\Docs\\Old");
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs\\Old");
    EXPECT_TRUE(messages_.empty());
}

}  // namespace
