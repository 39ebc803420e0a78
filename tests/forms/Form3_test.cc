// The hidden-items window driven as a user drives it: opened from the main window's Unhide,
// entries chosen with the mouse or the arrow keys, Unhide and Cancel pressed; checked against
// the host folders of the test machine and the register's bytes.
#include "forms/Form3.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "dialog_test.h"
#include "hiding/intent_journal.h"
#include "hiding/recovery.h"
#include "platform/fault_injection.h"
#include "platform/file_lock.h"
#include "platform/windows_error.h"
#include "register/hidden_items_register.h"

namespace {

namespace fs = std::filesystem;
using forms::Form1;
using forms::Form3;
using forms::Key;
using hiding::HiddenItemRecord;
using testing::HasSubstr;
using Entries = std::vector<std::string>;

class Form3Test : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        fs::create_directories(HostC("Docs"));
        // The main window starts in the program's current folder: on drive C.
        machine_->StartIn(HostC("Docs"));
    }

    fs::path RegisterFile() const { return HostC("windows/system32/tessarn.dat"); }

    // Hides a file the way Hide leaves it: in the hiding place under its hidden name, with its
    // record at the end of the register.
    void Hidden(const std::string& hidden_name, const std::string& item_path,
                const std::string& item_name, const fs::path& hiding_place) {
        WriteFile(hiding_place / hidden_name, item_path);
        auto hidden_items = hiding::HiddenItemsRegister::Open();
        hidden_items.WriteRecord(hidden_items.RecordCount() + 1,
                                 HiddenItemRecord::Make(hidden_name, item_path, item_name));
        hidden_items.Close();
    }
    void HiddenOnC(const std::string& hidden_name, const std::string& relative) {
        const std::string name = fs::path(relative).filename().string();
        std::string windows = "C:\\" + relative;
        std::replace(windows.begin(), windows.end(), '/', '\\');
        Hidden(hidden_name, windows, name, HostC("recycled"));
    }

    Form3& OpenHiddenItems() { return OpenFromMainWindow<Form3>(&Form1::Command2); }

    std::vector<HiddenItemRecord> Records() const { return hiding::ReadAllRecords(); }
};

TEST_F(Form3Test, OpeningWithoutARegisterCreatesAnEmptyOne) {
    Form3& window = OpenHiddenItems();
    EXPECT_TRUE(fs::exists(RegisterFile()));
    EXPECT_EQ(fs::file_size(RegisterFile()), 0u);
    EXPECT_TRUE(user::Entries(window.List1).empty());
    EXPECT_TRUE(user::Entries(window.List2).empty());
    EXPECT_FALSE(user::IsEnabled(window.Command1));
    EXPECT_TRUE(messages_.empty());

    user::Click(window.Command2);
    EXPECT_FALSE(forms::IsLoaded<Form3>());
    EXPECT_TRUE(user::IsEnabled(forms::Instance<Form1>()));
}

TEST_F(Form3Test, ARegisterShorterThanOneAndAHalfRecordsListsNothing) {
    fs::create_directories(RegisterFile().parent_path());
    WriteFile(RegisterFile(), std::string(200, 'x'));
    Form3& window = OpenHiddenItems();
    EXPECT_TRUE(user::Entries(window.List1).empty());
    EXPECT_TRUE(user::Entries(window.List2).empty());
}

TEST_F(Form3Test, ListsShowNamesBesidePathsInRecordOrder) {
    HiddenOnC("H1", "Docs/report.txt");
    HiddenOnC("H2", "Docs/Old");
    Form3& window = OpenHiddenItems();
    EXPECT_EQ(user::Entries(window.List1), (Entries{"report.txt", "Old"}));
    EXPECT_EQ(user::Entries(window.List2), (Entries{"C:\\Docs\\report.txt", "C:\\Docs\\Old"}));
    EXPECT_EQ(user::Caption(window), "Hidden Folders");
    EXPECT_EQ(user::TextOf(window.Label1), "File or Folder:              Path:");
}

TEST_F(Form3Test, UnhideOfTheFirstOfThreeBringsItBackAndKeepsTheOthersInOrder) {
    HiddenOnC("H1", "Docs/a.txt");
    HiddenOnC("H2", "Docs/b.txt");
    HiddenOnC("H3", "Docs/c.txt");
    Form3& window = OpenHiddenItems();

    user::ClickRow(window.List1, 0);
    EXPECT_TRUE(user::IsEnabled(window.Command1));
    user::Click(window.Command1);

    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ReadFile(HostC("Docs/a.txt")), "C:\\Docs\\a.txt");
    EXPECT_FALSE(fs::exists(HostC("recycled/H1")));
    const std::vector<HiddenItemRecord> records = Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].hidden_name(), "H2");
    EXPECT_EQ(records[1].hidden_name(), "H3");
    EXPECT_EQ(fs::file_size(RegisterFile()), 800u);
    EXPECT_EQ(user::Entries(window.List1), (Entries{"b.txt", "c.txt"}));
    EXPECT_EQ(user::Entries(window.List2), (Entries{"C:\\Docs\\b.txt", "C:\\Docs\\c.txt"}));
    EXPECT_EQ(user::SelectedRow(window.List1), -1);
    EXPECT_EQ(window.List1.ListIndex(), -1);
    EXPECT_FALSE(user::IsEnabled(window.Command1));
    EXPECT_FALSE(fs::exists(HostC("windows/system32/temp.dat")));
}

TEST_F(Form3Test, UnhideOfTheOnlyRecordLeavesAnEmptyRegister) {
    fs::create_directories(HostC("Docs/Old/Inner"));
    WriteFile(HostC("Docs/Old/Inner/deep.txt"), "deep");
    fs::rename(HostC("Docs/Old"), HostC("recycled/H1"));
    Hidden("H1", "C:\\Docs\\Old", "Old", HostC("recycled/unused"));
    Form3& window = OpenHiddenItems();

    user::ClickRow(window.List1, 0);
    user::Click(window.Command1);

    EXPECT_EQ(ReadFile(HostC("Docs/Old/Inner/deep.txt")), "deep");
    EXPECT_EQ(fs::file_size(RegisterFile()), 0u);
    EXPECT_TRUE(user::Entries(window.List1).empty());
    EXPECT_TRUE(user::Entries(window.List2).empty());
    EXPECT_FALSE(user::IsEnabled(window.Command1));
}

TEST_F(Form3Test, AnItemGoesBackToTheDriveOfItsPathWhateverTheDriveListShows) {
    const fs::path drive_d = machine_->AddDrive('d', true);
    fs::create_directories(drive_d / "Work");
    Hidden("H4", "D:\\Work\\Plans", "Plans", drive_d / "recycled");
    Form3& window = OpenHiddenItems();
    ASSERT_EQ(forms::Instance<Form1>().Drive1.Drive(), "c:");

    user::ClickRow(window.List1, 0);
    user::Click(window.Command1);

    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ReadFile(drive_d / "Work" / "Plans"), "D:\\Work\\Plans");
    EXPECT_FALSE(fs::exists(drive_d / "recycled" / "H4"));
}

TEST_F(Form3Test, OfTwoEntriesWithOneNameUnhideActsOnTheSelectedPositionOnly) {
    fs::create_directories(HostC("Docs/Other"));
    HiddenOnC("H1", "Docs/same.txt");
    HiddenOnC("H2", "Docs/Other/same.txt");
    Form3& window = OpenHiddenItems();

    user::ClickRow(window.List1, 1);
    user::Click(window.Command1);

    EXPECT_TRUE(fs::exists(HostC("Docs/Other/same.txt")));
    EXPECT_FALSE(fs::exists(HostC("Docs/same.txt")));
    EXPECT_TRUE(fs::exists(HostC("recycled/H1")));
    EXPECT_EQ(user::Entries(window.List2), (Entries{"C:\\Docs\\same.txt"}));
}

TEST_F(Form3Test, ArrowKeysSelectAsAClickDoesAndEnterOrEscapePressNothing) {
    HiddenOnC("H1", "Docs/a.txt");
    HiddenOnC("H2", "Docs/b.txt");
    Form3& window = OpenHiddenItems();
    user::Focus(window.List1);

    user::Press(Key::kDown);
    ASSERT_NE(user::SelectedRow(window.List1), -1);
    EXPECT_TRUE(user::IsEnabled(window.Command1));
    // Unlike a classic list box, a toolkit's list may let the user take the selection away:
    // Unhide goes with the selection the user sees, both ways.
    for (int press = 0; press < 2; ++press) {
        user::Press(Key::kSpace, user::Modifier::kControl);
        EXPECT_EQ(window.List1.ListIndex(), user::SelectedRow(window.List1));
        EXPECT_EQ(user::IsEnabled(window.Command1), user::SelectedRow(window.List1) != -1);
    }

    user::Press(Key::kEnter);
    user::Press(Key::kEsc);
    user::Focus(window.List2);
    user::Press(Key::kEnter);
    user::Press(Key::kEsc);
    EXPECT_TRUE(forms::IsLoaded<Form3>());
    EXPECT_EQ(Records().size(), 2u);
    EXPECT_EQ(user::Entries(window.List1).size(), 2u);
}

TEST_F(Form3Test, AccessKeysPressUnhideOnlyWhileItIsEnabledAndCancelAlways) {
    HiddenOnC("H1", "Docs/a.txt");
    Form3& window = OpenHiddenItems();
    user::PressAlt('N');
    EXPECT_EQ(Records().size(), 1u);
    user::ClickRow(window.List1, 0);
    // A toolkit may show the press before it clicks.
    user::PressAlt('N');
    EXPECT_TRUE(user::WaitFor([this] { return Records().empty(); }));
    EXPECT_EQ(ReadFile(HostC("Docs/a.txt")), "C:\\Docs\\a.txt");
    user::PressAlt('C');
    EXPECT_TRUE(user::WaitFor([] { return !forms::IsLoaded<Form3>(); }));
    EXPECT_TRUE(user::IsEnabled(forms::Instance<Form1>()));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Form3Test, TabVisitsTheControlsInTheirOrder) {
    HiddenOnC("H1", "Docs/a.txt");
    Form3& window = OpenHiddenItems();
    user::ClickRow(window.List1, 0);
    user::Focus(window.List1);
    EXPECT_EQ(TabWalk(3), (std::vector<const forms::Control*>{&window.List1, &window.Command1,
                                                              &window.List2, &window.Command2}));
}

class Form3FailedMoveBackTest : public Form3Test {
  protected:
    // Presses Unhide on the only entry, whose move back must fail: one message giving the
    // reason, and the register's bytes, both lists and the window as they were.
    void ExpectUnhideRefused(const char* reason) {
        const std::string before = ReadFile(RegisterFile());
        Form3& window = OpenHiddenItems();
        user::ClickRow(window.List1, 0);
        user::Click(window.Command1);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].title, "Error!!!!!");
        EXPECT_THAT(messages_[0].text, HasSubstr("a.txt"));
        EXPECT_THAT(messages_[0].text, HasSubstr(reason));
        EXPECT_EQ(ReadFile(RegisterFile()), before);
        EXPECT_EQ(user::Entries(window.List1).size(), 1u);
        EXPECT_EQ(user::Entries(window.List2).size(), 1u);
        EXPECT_TRUE(forms::IsLoaded<Form3>());
    }
};

TEST_F(Form3FailedMoveBackTest, ItemMissingFromTheHidingPlaceKeepsItsRecord) {
    HiddenOnC("H1", "Docs/a.txt");
    fs::remove(HostC("recycled/H1"));
    // While the message waits for the user, another running copy can use the register.
    bool register_free_while_shown = false;
    on_message_ = [&] {
        try {
            platform::FileLock probe(hiding::kRegisterPath, std::chrono::milliseconds(0));
            register_free_while_shown = true;
        } catch (const platform::WindowsError&) {
        }
    };
    ExpectUnhideRefused("no longer in the hiding place");
    EXPECT_TRUE(register_free_while_shown);
}

TEST_F(Form3FailedMoveBackTest, AHidingPlaceGoneIsNotTakenForTheFolderTheItemCameFrom) {
    HiddenOnC("H1", "Docs/a.txt");
    fs::rename(HostC("recycled"), HostC("recycled-elsewhere"));
    ExpectUnhideRefused("no longer in the hiding place");
}

TEST_F(Form3FailedMoveBackTest, FolderGoneKeepsTheItemHidden) {
    fs::create_directories(HostC("Docs/Gone"));
    HiddenOnC("H1", "Docs/Gone/a.txt");
    fs::remove(HostC("Docs/Gone"));
    ExpectUnhideRefused("no longer exists");
    EXPECT_TRUE(fs::exists(HostC("recycled/H1")));
}

TEST_F(Form3FailedMoveBackTest, NameTakenAtTheOriginalPathOverwritesNothing) {
    HiddenOnC("H1", "Docs/a.txt");
    WriteFile(HostC("Docs/A.TXT"), "newcomer");
    ExpectUnhideRefused("already there");
    EXPECT_EQ(ReadFile(HostC("Docs/A.TXT")), "newcomer");
    EXPECT_EQ(ReadFile(HostC("recycled/H1")), "C:\\Docs\\a.txt");
}

// The record names no drive, so no item in a hiding place is its own: one left in C:\recycled\H1
// would be found and listed on its own.
TEST_F(Form3FailedMoveBackTest, PathWithoutADriveLetterKeepsItsRecord) {
    Hidden("H1", "Docs\\a.txt", "a.txt", HostC("recycled/unused"));
    ExpectUnhideRefused("does not begin with a drive letter");
}

// A medium taken out must not read as an item lost: the message names the drive, and the item
// comes back once the medium is in again.
TEST_F(Form3FailedMoveBackTest, ADriveThatIsNotReadySaysSoAndKeepsTheRecord) {
    Hidden("H1", "D:\\a.txt", "a.txt", machine_->AddDrive('d', true) / "recycled");
    machine_->TakeOutMedium('d');
    ExpectUnhideRefused("drive D: is not ready");
}

TEST_F(Form3Test, AnUnhideFailingAtAnyOneStepNeverLeavesAHiddenItemWithoutItsRecord) {
    for (int nth = 1;; ++nth) {
        SCOPED_TRACE("file operation " + std::to_string(nth) + " fails");
        fs::remove(RegisterFile());
        fs::remove(HostC("Docs/a.txt"));
        fs::remove(HostC("recycled/H1"));
        HiddenOnC("H1", "Docs/a.txt");
        messages_.clear();
        Form3& window = OpenHiddenItems();
        user::ClickRow(window.List1, 0);

        platform::fault_injection::FailOnlyOperation(nth);
        user::Click(window.Command1);
        platform::fault_injection::Disarm();

        const bool hidden = fs::exists(HostC("recycled/H1"));
        const bool back = fs::exists(HostC("Docs/a.txt"));
        const bool recorded = !Records().empty();
        EXPECT_NE(hidden, back) << "the item lies in exactly one place";
        EXPECT_TRUE(!hidden || recorded) << "a hidden item keeps its record";
        EXPECT_EQ(user::Entries(window.List1).size(), recorded ? 1u : 0u);
        user::Click(window.Command2);
        // Opened again, as the next window would, the register agrees with the hiding place.
        EXPECT_EQ(hiding::ListHiddenItems().size(), hidden ? 1u : 0u);
        if (messages_.empty()) {
            EXPECT_TRUE(back && !recorded);
            break;
        }
        ASSERT_LT(nth, 40) << "the unhide never went through";
    }
}

// A hidden name stays with its item when an item before it is unhidden: the next Hide takes the
// next free name instead of failing on the one still taken.
TEST_F(Form3Test, HideAHideBUnhideAThenHideCTakesTheNextFreeNameAndComesBack) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFile(HostC("Docs") / name, name);
    Form1& main_window = Open<Form1>();
    const auto hide = [&](const std::string& path) {
        user::Retype(main_window.Text1, path);
        user::Click(main_window.Command1);
    };
    hide("C:\\Docs\\a.txt");
    hide("C:\\Docs\\b.txt");
    Form3* window = &OpenHiddenItems();
    user::ClickRow(window->List1, 0);
    user::Click(window->Command1);
    user::Click(window->Command2);
    hide("C:\\Docs\\c.txt");
    EXPECT_EQ(messages_, std::vector<ShownMessage>{});
    EXPECT_EQ(ReadFile(HostC("recycled/H3")), "c.txt");
    ASSERT_EQ(Records().size(), 2u);
    EXPECT_EQ(Records()[1].hidden_name(), "H3");

    window = &OpenHiddenItems();
    EXPECT_EQ(user::Entries(window->List1), (Entries{"b.txt", "c.txt"}));
    user::ClickRow(window->List1, 1);
    user::Click(window->Command1);
    EXPECT_EQ(ReadFile(HostC("Docs/c.txt")), "c.txt");
    EXPECT_EQ(user::Entries(window->List1), (Entries{"b.txt"}));
}

// A crash left a Hide whose record was never written and an Unhide whose record was never
// removed; opening the window settles both before it lists anything.
TEST_F(Form3Test, ACrashLeftBehindIsSettledBeforeTheListIsShown) {
    HiddenOnC("H1", "Docs/back.txt");
    fs::rename(HostC("recycled/H1"), HostC("Docs/back.txt"));
    hiding::WriteIntent(hiding::ParkedJournalPath('c'),
                        {hiding::Intent::Operation::kUnhide, 0, Records()[0], "C:\\recycled\\H1",
                         "C:\\Docs\\back.txt"});
    WriteFile(HostC("recycled/H2"), "stranded");
    hiding::WriteIntent(hiding::kJournalPath,
                        {hiding::Intent::Operation::kHide, 2,
                         HiddenItemRecord::Make("H2", "C:\\Docs\\stranded.txt", "stranded.txt"),
                         "C:\\Docs\\stranded.txt", "c:\\recycled\\H2"});
    Form3& window = OpenHiddenItems();
    EXPECT_EQ(user::Entries(window.List1), (Entries{"stranded.txt"}));
    EXPECT_TRUE(fs::exists(HostC("Docs/back.txt")));
    EXPECT_TRUE(messages_.empty());
}

// What cannot be settled yet is said when the window opens: a Hide cut short on a drive whose
// medium is out waits for it, and a journal that could not be trusted was set aside unused.
TEST_F(Form3Test, AnOperationWaitingForItsMediumAndADamagedJournalAreToldOnOpening) {
    machine_->AddDrive('e', false);
    hiding::WriteIntent(hiding::ParkedJournalPath('e'),
                        {hiding::Intent::Operation::kHide, 1,
                         HiddenItemRecord::Make("H1", "E:\\song.mp3", "song.mp3"), "E:\\song.mp3",
                         "E:\\recycled\\H1"});
    hiding::WriteIntent(hiding::kJournalPath,
                        {hiding::Intent::Operation::kHide, 1,
                         HiddenItemRecord::Make("H1", "C:\\Docs\\a.txt", "a.txt"),
                         "C:\\Docs\\a.txt", "C:\\recycled\\H2"});
    Form3& window = OpenHiddenItems();
    EXPECT_TRUE(user::Entries(window.List1).empty());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Tessarn");
    EXPECT_THAT(messages_[0].text,
                HasSubstr("Hiding E:\\song.mp3 was cut short. It is finished once drive E: is "
                          "ready again. Drive E: is not ready now."));
    EXPECT_THAT(messages_[0].text, HasSubstr("tessarn-damaged-1.jnl, is damaged"));
    EXPECT_FALSE(fs::exists(HostC("recycled/H2")));
}

TEST_F(Form3Test, AListChangedByAnotherRunningCopyIsNotActedOnByPosition) {
    HiddenOnC("H1", "Docs/a.txt");
    HiddenOnC("H2", "Docs/b.txt");
    Form3& window = OpenHiddenItems();
    // Meanwhile another copy of the program unhides a.txt.
    hiding::RemoveRecordAt(0);
    fs::rename(HostC("recycled/H1"), HostC("Docs/a.txt"));

    user::ClickRow(window.List1, 0);
    user::Click(window.Command1);

    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_THAT(messages_[0].text, HasSubstr("has changed"));
    EXPECT_TRUE(fs::exists(HostC("recycled/H2")));
    EXPECT_EQ(Records().size(), 1u);
}

TEST_F(Form3Test, TheMainWindowCannotBeClosedFromOutsideWhileThisWindowIsOpen) {
    OpenHiddenItems();
    Form1& main_window = forms::Instance<Form1>();
    user::CloseBox(main_window);
    EXPECT_TRUE(forms::IsLoaded<Form1>());
    user::Click(forms::Instance<Form3>().Command2);
    EXPECT_TRUE(user::IsShown(main_window));
    EXPECT_TRUE(user::IsEnabled(main_window));
    EXPECT_FALSE(program_ended_);
}

TEST_F(Form3Test, ClosingReenablesTheMainWindowAndRereadsItsFolders) {
    fs::create_directories(HostC("Docs/Old"));
    fs::rename(HostC("Docs/Old"), HostC("recycled/H1"));
    Hidden("H1", "C:\\Docs\\Old", "Old", HostC("recycled/unused"));
    Form1& main_window = Open<Form1>();
    main_window.Dir1.SetPath("C:\\Docs");
    const auto lists_old = [&] {
        const Entries shown = user::Entries(main_window.Dir1);
        return std::find(shown.begin(), shown.end(), "Old") != shown.end();
    };
    ASSERT_FALSE(lists_old());

    user::Click(main_window.Command2);
    Form3& window = forms::Instance<Form3>();
    user::ClickRow(window.List1, 0);
    user::Click(window.Command1);
    user::CloseBox(window);

    EXPECT_FALSE(forms::IsLoaded<Form3>());
    EXPECT_TRUE(user::IsEnabled(main_window));
    EXPECT_TRUE(lists_old());
}

TEST_F(Form3Test, ReopeningReadsTheRegisterAnew) {
    HiddenOnC("H1", "Docs/a.txt");
    Form3& first = OpenHiddenItems();
    user::Click(first.Command2);
    HiddenOnC("H2", "Docs/b.txt");
    user::Click(forms::Instance<Form1>().Command2);
    Form3& second = forms::Instance<Form3>();
    EXPECT_EQ(user::Entries(second.List1), (Entries{"a.txt", "b.txt"}));
    EXPECT_FALSE(user::IsEnabled(second.Command1));
}

}  // namespace
