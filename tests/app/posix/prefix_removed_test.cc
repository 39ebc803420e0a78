// Removing the machine folder is how a Linux user who forgot the password starts afresh. What was
// hidden in the home folder stays in drive H:'s hiding place outside that folder, and the first
// start after it lists the item again and brings it back home.
#include <filesystem>

#include "app/Module1.h"
#include "app/machine_start.h"
#include "forms/Form1.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/window_test.h"
#include "platform/posix/prefix.h"

namespace {

namespace fs = std::filesystem;
using namespace forms;
using Entries = std::vector<std::string>;

class PrefixRemovedTest : public WindowTest {
  protected:
    // A start that finds no password: the first-run dialog sets one and the main window opens.
    static Form1& FirstStart() {
        EXPECT_TRUE(app::PrepareMachineOrTell());
        app::Main();
        EXPECT_TRUE(IsLoaded<Form4>());
        user::Type(Instance<Form4>().Text1, "abc");
        user::Type(Instance<Form4>().Text2, "abc");
        user::Click(Instance<Form4>().Command1);
        EXPECT_TRUE(IsLoaded<Form1>());
        user::Settle();
        return Instance<Form1>();
    }
};

TEST_F(PrefixRemovedTest, ANewFirstStartListsWhatWasHiddenInHomeAndBringsItBack) {
    fs::create_directories(Home() / "Docs");
    WriteFile(Home() / "Docs/letter.txt", "letter");
    machine_->StartIn(Home() / "Docs");
    Form1& before = FirstStart();
    user::Click(before.File1, "letter.txt");
    user::Click(before.Command1);
    ASSERT_TRUE(messages_.empty());
    user::CloseBox(before);
    ASSERT_TRUE(program_ended_);

    fs::remove_all(platform::PrefixFolder());
    ASSERT_FALSE(fs::exists(Home() / "Docs/letter.txt"));
    Form1& after = FirstStart();
    user::Click(after.Command2);
    Form3& hidden_items = Instance<Form3>();
    EXPECT_TRUE(user::WaitUntilActive(hidden_items));
    EXPECT_EQ(user::Entries(hidden_items.List2), (Entries{"H:\\Docs\\letter.txt"}));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Tessarn");

    user::ClickRow(hidden_items.List1, 0);
    user::Click(hidden_items.Command1);
    EXPECT_EQ(ReadFile(Home() / "Docs/letter.txt"), "letter");
    EXPECT_TRUE(user::Entries(hidden_items.List1).empty());
}

}  // namespace
