// The main window driven as a user drives it: clicks and keys on the real lists, Text1 and Hide,
// checked against the host folders of the test machine and the register's bytes.
#include "forms/Form1.h"

#include <filesystem>

#include "form1_test.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/frmAbout.h"
#include "hiding/recovery.h"
#include "platform/fault_injection.h"

namespace {

namespace fs = std::filesystem;
using forms::Form1;
using forms::Key;
using testing::AllOf;
using testing::EndsWith;
using testing::HasSubstr;
using testing::StartsWith;
using Entries = std::vector<std::string>;

TEST_F(Form1Test, OpensOnTheCurrentFolderWithItsLayoutAndTabOrder) {
    Form1& w = Open();
    EXPECT_EQ(user::Caption(w), "Tessarn");
    EXPECT_EQ(user::ClientSize(w), (user::Size{user::Pixels(4755), user::Pixels(6870)}));
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs");
    EXPECT_EQ(w.Drive1.Drive(), "c:");
    EXPECT_EQ(user::Entries(w.Dir1), (Entries{"C:\\", "Docs", "New", "Old"}));
    EXPECT_EQ(user::Entries(w.File1), (Entries{"notes.txt", "report.txt"}));
    const user::Rect command4 = user::Geometry(w.Command4);
    EXPECT_EQ(command4.left, user::Pixels(2520));
    EXPECT_EQ(command4.top, user::Pixels(6120));

    const std::vector<const forms::Control*> order = {
        &w.Dir1, &w.Drive1, &w.File1, &w.Text1, &w.Command1, &w.Command2, &w.Command3, &w.Command4};
    EXPECT_EQ(user::FocusedControl(), &w.Dir1);
    for (std::size_t i = 1; i < order.size(); ++i) {
        user::Press(Key::kTab);
        EXPECT_EQ(user::FocusedControl(), order[i]) << "tab stop " << i;
    }
}

TEST_F(Form1Test, UnhideAboutAndChangePasswordOpenTheirWindowsOverADisabledMainWindow) {
    Form1& w = Open();
    ExpectOpensWhileDisabled<forms::Form3>(w, w.Command2);
    ExpectOpensWhileDisabled<forms::frmAbout>(w, w.Command3);
    ExpectOpensWhileDisabled<forms::Form2>(w, w.Command4);
}

TEST_F(Form1Test, AccessKeysPressTheButtonsTheyMark) {
    Form1& w = Open();
    // A toolkit may show the press before it clicks.
    user::PressAlt('A');
    ASSERT_TRUE(user::WaitFor([] { return forms::IsLoaded<forms::frmAbout>(); }));
    EXPECT_FALSE(user::IsEnabled(w));
    ASSERT_TRUE(user::WaitUntilActive(forms::Instance<forms::frmAbout>()));
    user::Press(Key::kEsc);
    EXPECT_TRUE(user::IsEnabled(w));
    user::Activate(w);
    ASSERT_TRUE(user::WaitUntilActive(w));
    user::PressAlt('c');
    EXPECT_TRUE(user::WaitFor([] { return forms::IsLoaded<forms::Form2>(); }));
    EXPECT_FALSE(forms::IsLoaded<forms::frmAbout>());
}

TEST_F(Form1Test, Text1FollowsTheFolderAndFileChosen) {
    Form1& w = Open();
    user::Click(w.File1, "report.txt");
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs\\report.txt");

    user::DoubleClick(w.Dir1, "Old");
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs\\Old");
    EXPECT_EQ(user::Entries(w.Dir1), (Entries{"C:\\", "Docs", "Old", "Inner"}));
    EXPECT_EQ(user::Entries(w.File1), (Entries{"old.txt"}));

    // A file in a drive root takes one backslash; the hiding place is never listed.
    user::DoubleClick(w.Dir1, "C:\\");
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\");
    EXPECT_FALSE(Lists(w.Dir1, "recycled"));
    user::Click(w.File1, "boot.ini");
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\boot.ini");

    // Keyboard alone: Enter opens the chosen folder, arrow keys choose a file.
    user::Click(w.Dir1, "Docs");
    user::Press(Key::kEnter);
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs");
    user::Focus(w.File1);
    user::Press(Key::kDown);
    user::Press(Key::kDown);
    ASSERT_FALSE(w.File1.FileName().empty());
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs\\" + w.File1.FileName());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Form1Test, DriveChangesGoToEachDrivesLastFolderOrSayTheDriveIsNotReady) {
    fs::create_directories(machine_->AddDrive('d', true) / "Music");
    machine_->AddDrive('e', false);
    Form1& w = Open();
    // What a drive shows beside its letter (its label) is the system's.
    EXPECT_THAT(user::Entries(w.Drive1).at(2), AllOf(StartsWith("e:"), EndsWith(" not ready")));
    user::Focus(w.Drive1);
    user::Press(Key::kDown);
    EXPECT_EQ(user::TextOf(w.Text1), "D:\\");
    user::DoubleClick(w.Dir1, "Music");
    user::Focus(w.Drive1);
    user::Press(Key::kUp);
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs");
    user::Press(Key::kDown);
    EXPECT_EQ(user::TextOf(w.Text1), "D:\\Music");
    EXPECT_TRUE(messages_.empty());

    // The drive list keeps the drive that cannot be read; everything else stays.
    user::Press(Key::kDown);
    EXPECT_EQ(messages_, std::vector<ShownMessage>({{"Drive not ready!!!", "Error!!!!"}}));
    EXPECT_EQ(w.Drive1.Drive(), "e:");
    EXPECT_EQ(user::SelectedRow(w.Drive1), 2);
    EXPECT_EQ(w.Dir1.Path(), "D:\\Music");
    EXPECT_EQ(user::TextOf(w.Text1), "D:\\Music");
}

TEST_F(Form1Test, HidesAFileAndThenAFolderUnderTheNextNumbers) {
    Form1& w = Open();
    user::Click(w.File1, "report.txt");
    user::Click(w.Command1);
    EXPECT_FALSE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_EQ(ReadFile(HostC("recycled/H1")), "report");
    EXPECT_EQ(Register(), RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt"));
    EXPECT_EQ(user::Entries(w.File1), (Entries{"notes.txt"}));
    // The folder list stays in the same folder, so Text1 keeps the hidden file's path, and a
    // second press (a double-click) finds nothing there to hide: never the folder around it.
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs\\report.txt");
    user::Click(w.Command1);
    EXPECT_EQ(messages_, std::vector<ShownMessage>({kCannotHide}));
    EXPECT_TRUE(fs::exists(HostC("Docs/notes.txt")));
    EXPECT_EQ(Register(), RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt"));
    messages_.clear();

    user::DoubleClick(w.Dir1, "Old");
    user::Click(w.Command1);
    EXPECT_TRUE(fs::exists(HostC("recycled/H2/Inner")));
    EXPECT_EQ(Register(), RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt") +
                              RecordBytes("H2", "C:\\Docs\\Old", "Old"));
    EXPECT_EQ(w.Dir1.Path(), "C:\\Docs");
    EXPECT_EQ(user::Entries(w.Dir1), (Entries{"C:\\", "Docs", "New"}));
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Form1Test, HidesATypedPathExactlyAsTypedAfterARoundedCount) {
    // 1000 bytes count as two records, so the next one is number 3 at byte 800.
    WriteFile(HostC("windows/system32/tessarn.dat"), std::string(1000, 'x'));
    Form1& w = Open();
    user::Retype(w.Text1, "c:\\docs\\REPORT.TXT");
    user::Click(w.Command1);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ReadFile(HostC("recycled/H3")), "report");
    EXPECT_EQ(Register(),
              std::string(800, 'x') + RecordBytes("H3", "c:\\docs\\REPORT.TXT", "REPORT.TXT"));
}

TEST_F(Form1Test, RefusesWhatTheRegisterCouldNotBringBackBeforeMovingAnything) {
    const fs::path drive_d = machine_->AddDrive('d', true);
    WriteFile(drive_d / "song.mp3", "song");
    const std::string long_name(193, 'n');  // C:\Docs\ and this name: 201 characters
    WriteFile(HostC("Docs/" + long_name), "long");
    WriteFile(HostC("Docs/\u65e5\u672c.txt"), "cjk");
    struct Case {
        std::string typed;
        std::string why;
    } cases[] = {
        {"", "full path"},
        {"report.txt", "full path"},
        {"C:\\Docs\\" + long_name, "longer than 200"},
        {"C:\\Docs\\\u65e5\u672c.txt", "characters the register cannot store"},
        {"D:\\song.mp3", "not on drive c:"},
        {"C:\\WINDOWS", "holds the program's own data"},
    };
    Form1& w = Open();
    for (const Case& c : cases) {
        messages_.clear();
        user::Retype(w.Text1, c.typed);
        user::Click(w.Command1);
        ASSERT_EQ(messages_.size(), 1u) << c.typed;
        EXPECT_THAT(messages_[0].text, HasSubstr(c.why));
        EXPECT_EQ(messages_[0].title, "Error!!!!!");
        EXPECT_EQ(user::TextOf(w.Text1), c.typed);
    }
    // However long a pasted path, Text1 takes it whole, and the refusal speaks of all of it.
    user::Paste(w.Text1, "C:\\Docs\\" + std::string(40000, 'x'));
    EXPECT_EQ(w.Text1.Text().size(), 40008u);
    EXPECT_FALSE(fs::exists(HostC("windows/system32/tessarn.dat")));
    EXPECT_TRUE(fs::is_empty(HostC("recycled")));
    EXPECT_TRUE(fs::exists(HostC("Docs/" + long_name)));
    EXPECT_TRUE(fs::exists(drive_d / "song.mp3"));
    EXPECT_TRUE(fs::exists(HostC("windows/system32")));
}

TEST_F(Form1Test, AFailedMoveShowsTheHideMessageAndRecordsNothing) {
    Form1& w = Open();
    for (const std::string typed : {"C:\\", "C:\\Docs\\gone.txt"}) {
        messages_.clear();
        user::Retype(w.Text1, typed);
        user::Click(w.Command1);
        EXPECT_EQ(messages_, std::vector<ShownMessage>({kCannotHide})) << typed;
    }
    fs::remove(HostC("recycled"));  // a drive without its hiding place
    user::Retype(w.Text1, "C:\\Docs\\report.txt");
    messages_.clear();
    user::Click(w.Command1);
    EXPECT_EQ(messages_, std::vector<ShownMessage>({kCannotHide}));
    EXPECT_TRUE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_EQ(Register(), "");
}

TEST_F(Form1Test, RefusesWhenTheRegisterCannotBeOpenedOrNumberedFurther) {
    Form1& w = Open();
    const fs::path data = HostC("windows/system32/tessarn.dat");
    for (std::uintmax_t records : {32767u, 32768u}) {
        messages_.clear();
        WriteFile(data, "");
        fs::resize_file(data, records * 400);  // sparse on Linux: no disk used
        user::Retype(w.Text1, "C:\\Docs\\report.txt");
        user::Click(w.Command1);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_THAT(messages_[0].text, StartsWith("Cannot Hide: ")) << records;
        EXPECT_EQ(fs::file_size(data), records * 400);
    }
    // A folder where the register belongs: it cannot be opened as a file.
    fs::remove(data);
    fs::create_directory(data);
    messages_.clear();
    user::Click(w.Command1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_THAT(messages_[0].text, HasSubstr("tessarn.dat"));
    EXPECT_TRUE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_TRUE(fs::is_empty(HostC("recycled")));
}

// Fails the Nth file operation of a Hide, and every one after it, for every N until one goes
// through. Once the register has been opened again, as the next window would, the item is either
// in place without a record or hidden with its record; anything short of a clean Hide was told.
TEST_F(Form1Test, NoFailingFileOperationLosesTheItem) {
    Form1& w = Open();
    const std::string record = RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt");
    for (int n = 1; n < 60; ++n) {
        messages_.clear();
        user::Retype(w.Text1, "C:\\Docs\\report.txt");
        platform::fault_injection::FailFromOperation(n);
        user::Click(w.Command1);
        platform::fault_injection::Disarm();
        hiding::ListHiddenItems();
        const bool in_place = fs::exists(HostC("Docs/report.txt"));
        const bool hidden = fs::exists(HostC("recycled/H1"));
        ASSERT_NE(in_place, hidden) << "operation " << n;
        EXPECT_EQ(Register() == record, hidden) << "operation " << n;
        if (in_place) {
            EXPECT_EQ(messages_.size(), 1u) << "operation " << n;
        }
        if (hidden && messages_.empty()) return;
        if (hidden) {
            fs::rename(HostC("recycled/H1"), HostC("Docs/report.txt"));
            fs::remove(HostC("windows/system32/tessarn.dat"));
        }
    }
    FAIL() << "Hide never went through";
}

TEST_F(Form1Test, TheFolderListFollowsFoldersRemovedBehindIt) {
    Form1& w = Open();
    fs::remove_all(HostC("Docs/New"));
    user::DoubleClick(w.Dir1, "New");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_THAT(messages_[0].text, HasSubstr("C:\\Docs\\New"));
    EXPECT_EQ(user::Entries(w.Dir1), (Entries{"C:\\", "Docs", "Old"}));

    // Refreshing after the folder shown has gone moves to the nearest folder that is left.
    user::DoubleClick(w.Dir1, "Old");
    fs::remove_all(HostC("Docs/Old"));
    w.Dir1.Refresh();
    EXPECT_EQ(user::Entries(w.Dir1), (Entries{"C:\\", "Docs"}));
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs");
}

}  // namespace
