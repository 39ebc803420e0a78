// Records made on Linux, where any name is allowed, may name a path that Windows reserves. Linux
// brings such an item back as any other; Windows refuses before anything moves, so that no item
// lands where its own tools cannot reach it, and the item stays hidden and listed.
#include <filesystem>

#include "dialog_test.h"
#include "forms/Form3.h"
#include "register/hidden_items_register.h"

namespace {

namespace fs = std::filesystem;
using forms::Form3;
using hiding::HiddenItemRecord;
using testing::HasSubstr;

class Form3ReservedNamesTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        fs::create_directories(HostC("Docs"));
        machine_->StartIn(HostC("Docs"));
        // What Linux left: a file and a folder in C:\recycled, and their records.
        WriteFile(HostC("recycled/H1"), "console notes");
        fs::create_directories(HostC("recycled/H2"));
        WriteFile(HostC("recycled/H2/page.txt"), "printed");
        auto hidden_items = hiding::HiddenItemsRegister::Open();
        hidden_items.WriteRecord(1, HiddenItemRecord::Make("H1", "C:\\Docs\\con.txt", "con.txt"));
        hidden_items.WriteRecord(2, HiddenItemRecord::Make("H2", "C:\\Docs\\Lpt1", "Lpt1"));
        hidden_items.Close();
    }

    void TearDown() override {
        // Had Windows let them back, the test machine's own clean-up could not remove them: only a
        // "\\?\" path reaches an item of such a name there.
        if (!TestMachine::HoldsReservedNames()) {
            std::error_code ignored;
            for (const char* item : {"Docs/con.txt", "Docs/Lpt1"}) {
                fs::remove_all(L"\\\\?\\" + HostC(item).make_preferred().wstring(), ignored);
            }
        }
        DialogTest::TearDown();
    }

    fs::path RegisterFile() const { return HostC("windows/system32/tessarn.dat"); }

    void UnhideRow(Form3& window, int row) {
        user::ClickRow(window.List1, row);
        user::Click(window.Command1);
    }
};

TEST_F(Form3ReservedNamesTest, UnhideBringsBackANameWindowsReservesOnlyWhereTheSystemHoldsIt) {
    Form3& window = OpenFromMainWindow<Form3>(&forms::Form1::Command2);
    if (TestMachine::HoldsReservedNames()) {
        UnhideRow(window, 0);
        UnhideRow(window, 0);
        EXPECT_TRUE(messages_.empty());
        EXPECT_EQ(ReadFile(HostC("Docs/con.txt")), "console notes");
        EXPECT_EQ(ReadFile(HostC("Docs/Lpt1/page.txt")), "printed");
        EXPECT_EQ(fs::file_size(RegisterFile()), 0u);
        EXPECT_TRUE(user::Entries(window.List1).empty());
        return;
    }

    const std::string register_bytes = ReadFile(RegisterFile());
    UnhideRow(window, 0);
    UnhideRow(window, 1);
    ASSERT_EQ(messages_.size(), 2u);
    for (const ShownMessage& message : messages_) EXPECT_EQ(message.title, "Error!!!!!");
    EXPECT_THAT(messages_[0].text, HasSubstr("Cannot unhide con.txt"));
    EXPECT_THAT(messages_[0].text, HasSubstr("C:\\Docs\\con.txt"));
    EXPECT_THAT(messages_[0].text, HasSubstr("device CON"));
    EXPECT_THAT(messages_[0].text, HasSubstr("C:\\recycled\\H1"));
    EXPECT_THAT(messages_[1].text, HasSubstr("device LPT1"));
    EXPECT_THAT(messages_[1].text, HasSubstr("It stays in the list of hidden items."));
    // Nothing moved: the items in their hiding place, the Docs folder as it was, the records.
    EXPECT_EQ(ReadFile(HostC("recycled/H1")), "console notes");
    EXPECT_EQ(ReadFile(HostC("recycled/H2/page.txt")), "printed");
    EXPECT_TRUE(fs::is_empty(HostC("Docs")));
    EXPECT_EQ(ReadFile(RegisterFile()), register_bytes);
    EXPECT_EQ(user::Entries(window.List1), (std::vector<std::string>{"con.txt", "Lpt1"}));
}

}  // namespace
