// Items left in a hiding place without a record, found and listed again as the hidden-items
// window opens, and brought back with its Unhide: after the register is lost, from a stick hidden
// on as D: and carried to a machine where it is E:, and with nothing to tell where they came from.
#include <cctype>
#include <filesystem>

#include "dialog_test.h"
#include "forms/Form3.h"
#include "hiding/intent_journal.h"
#include "hiding/recovery.h"
#include "register/hidden_items_register.h"

namespace {

namespace fs = std::filesystem;
using forms::Form1;
using forms::Form3;
using testing::HasSubstr;
using Shown = std::vector<std::string>;

class StrandedItemsTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        fs::create_directories(HostC("Docs/Old"));
        WriteFile(HostC("Docs/report.txt"), "report");
        WriteFile(HostC("Docs/Old/old.txt"), "old");
        machine_->StartIn(HostC("Docs"));
    }

    // Hides the item through the main window, on the drive of its path.
    void HideThroughTheWindow(const std::string& path) {
        Form1& main_window = Open<Form1>();
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        if (main_window.Drive1.Drive().front() != letter) {
            user::ChooseDrive(main_window.Drive1, letter);
        }
        user::Retype(main_window.Text1, path);
        user::Click(main_window.Command1);
    }

    // The register of another machine: it has never heard of what is hidden here.
    void LoseTheRegister() const { fs::remove(HostC("windows/system32/tessarn.dat")); }

    Form3& OpenHiddenItems() { return OpenFromMainWindow<Form3>(&Form1::Command2); }

    // Unhides the entry at `row` through the window's button.
    static void UnhideRow(Form3& window, int row) {
        user::ClickRow(window.List1, row);
        user::Click(window.Command1);
    }
};

TEST_F(StrandedItemsTest, AfterTheRegisterIsLostItemsAreListedWithTheirPathsAndComeBack) {
    HideThroughTheWindow("C:\\Docs\\report.txt");
    HideThroughTheWindow("C:\\Docs\\Old");
    LoseTheRegister();

    Form3& window = OpenHiddenItems();
    EXPECT_EQ(user::Entries(window.List1), (Shown{"report.txt", "Old"}));
    EXPECT_EQ(user::Entries(window.List2), (Shown{"C:\\Docs\\report.txt", "C:\\Docs\\Old"}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Tessarn");
    EXPECT_THAT(messages_[0].text, HasSubstr("found 2 hidden items that no record named"));
    EXPECT_THAT(messages_[0].text, HasSubstr("C:\\recycled\\H1 to C:\\Docs\\report.txt, as the "
                                             "list of its hiding place says"));
    EXPECT_THAT(messages_[0].text, HasSubstr("C:\\recycled\\H2 to C:\\Docs\\Old"));
    EXPECT_TRUE(fs::exists(HostC("recycled/H1"))) << "nothing moves before Unhide";

    UnhideRow(window, 1);
    UnhideRow(window, 0);
    EXPECT_EQ(ReadFile(HostC("Docs/report.txt")), "report");
    EXPECT_EQ(ReadFile(HostC("Docs/Old/old.txt")), "old");
    EXPECT_TRUE(hiding::ListHiddenItems().empty());
    user::Click(window.Command2);

    // Found once: the next opening has nothing to tell.
    messages_.clear();
    OpenHiddenItems();
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StrandedItemsTest, AnItemOfUnknownOriginGoesToTheRootOfItsDriveAndNothingElseIsTouched) {
    fs::create_directories(HostC("recycled/H7/Inner"));
    WriteFile(HostC("recycled/H7/Inner/kept.txt"), "kept");
    // The Recycle Bin's own files in a FAT drive's recycled folder, and names Hide never gives.
    const Shown others = {"INFO2", "Dc1.txt", "desktop.ini", "H0", "H32768", "H01", "h5"};
    for (const std::string& name : others) WriteFile(HostC("recycled") / name, name);

    Form3& window = OpenHiddenItems();
    EXPECT_EQ(user::Entries(window.List1), (Shown{"Tessarn found H7"}));
    EXPECT_EQ(user::Entries(window.List2), (Shown{"C:\\Tessarn found H7"}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_THAT(messages_[0].text,
                HasSubstr("C:\\recycled\\H7 to C:\\Tessarn found H7, since nothing tells where it "
                          "came from"));

    UnhideRow(window, 0);
    EXPECT_EQ(ReadFile(HostC("Tessarn found H7/Inner/kept.txt")), "kept");
    EXPECT_FALSE(fs::exists(HostC("recycled/H7")));
    EXPECT_TRUE(hiding::ListHiddenItems().empty());
    for (const std::string& name : others) {
        EXPECT_EQ(ReadFile(HostC("recycled") / name), name) << name;
    }
}

TEST_F(StrandedItemsTest, AStickHiddenOnAsDIsListedAndUnhiddenAsEOnAnotherMachine) {
    const fs::path stick = machine_->AddDrive('d', true);
    fs::create_directories(stick / "Work");
    WriteFile(stick / "Work" / "plan.txt", "plan");
    HideThroughTheWindow("D:\\Work\\plan.txt");
    ASSERT_TRUE(messages_.empty());

    LoseTheRegister();
    machine_->CarryMedium('d', 'e');
    Form3& window = OpenHiddenItems();
    EXPECT_EQ(user::Entries(window.List2), (Shown{"E:\\Work\\plan.txt"}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_THAT(messages_[0].text, HasSubstr("E:\\recycled\\H1 to E:\\Work\\plan.txt"));

    UnhideRow(window, 0);
    EXPECT_EQ(ReadFile(machine_->HostOf("E:\\Work\\plan.txt")), "plan");
    EXPECT_TRUE(hiding::ListHiddenItems().empty());
}

// A Hide cut short whose journal was forged beside its record: the notice names where the record
// says the item lies, and the item is found there with the record's path.
TEST_F(StrandedItemsTest, ADamagedJournalNamesTheRealPlaceAndItsItemIsFoundThere) {
    fs::rename(HostC("Docs/report.txt"), HostC("recycled/H2"));
    hiding::WriteIntent(hiding::kJournalPath,
                        {hiding::Intent::Operation::kHide, 2,
                         hiding::HiddenItemRecord::Make("H2", "C:\\Docs\\report.txt", "report.txt"),
                         "C:\\Docs\\report.txt", "C:\\recycled\\H02"});

    Form3& window = OpenHiddenItems();
    EXPECT_EQ(user::Entries(window.List2), (Shown{"C:\\Docs\\report.txt"}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_THAT(messages_[0].text, HasSubstr("the hidden place \"C:\\recycled\\H02\". Its own "
                                             "record names the hidden place "
                                             "\"C:\\recycled\\H2\""));
    EXPECT_THAT(messages_[0].text, HasSubstr("C:\\recycled\\H2 to C:\\Docs\\report.txt, as a "
                                             "journal set aside as damaged says"));
    UnhideRow(window, 0);
    EXPECT_EQ(ReadFile(HostC("Docs/report.txt")), "report");
}

}  // namespace
