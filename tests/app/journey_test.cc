// The whole journey of a user across the windows, through the real controls: the first start
// sets a password, a file and a folder are hidden, listed and brought back, a later start logs
// in, the password is changed and the new one admits the user, the About box opens and closes.
#include <algorithm>
#include <filesystem>

#include "app/Module1.h"
#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/frmAbout.h"
#include "forms/frmLogin.h"
#include "forms/window_test.h"
#include "password/password_store.h"

namespace {

namespace fs = std::filesystem;
using namespace forms;
using Entries = std::vector<std::string>;

class JourneyTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        fs::create_directories(HostC("Docs/Old"));
        WriteFile(HostC("Docs/report.txt"), "report");
        WriteFile(HostC("Docs/Old/old.txt"), "old");
        machine_->StartIn(HostC("Docs"));
    }

    // A new start of the program on the same machine.
    void Start() {
        program_ended_ = false;
        app::Main();
        ASSERT_EQ(LoadedFormCount(), 1);
        EXPECT_TRUE(user::WaitUntilActive(*LoadedForms().front()));
    }
    void EndByClosing(const Form& last_window) {
        user::CloseBox(last_window);
        EXPECT_TRUE(program_ended_);
        EXPECT_EQ(LoadedFormCount(), 0);
    }
    static bool Lists(const ListControl& list, const std::string& entry) {
        const Entries shown = user::Entries(list);
        return std::find(shown.begin(), shown.end(), entry) != shown.end();
    }
};

TEST_F(JourneyTest, FromFirstStartToAChangedPassword) {
    // First start: no password key, so the first-run dialog asks for one, twice.
    Start();
    ASSERT_TRUE(IsLoaded<Form4>());
    EXPECT_FALSE(IsLoaded<frmLogin>());
    Form4& first_run = Instance<Form4>();
    user::Type(first_run.Text1, "Secret1");
    user::Type(first_run.Text2, "SECRET1");
    user::Click(first_run.Command1);
    ASSERT_FALSE(IsLoaded<Form4>());
    ASSERT_TRUE(IsLoaded<Form1>());
    EXPECT_EQ(password::ReadStoredCheckValue(), password::ComputeCheckValue("Secret1").value());

    // Hide a file, then a folder.
    Form1& main_window = Instance<Form1>();
    user::Click(main_window.File1, "report.txt");
    ASSERT_EQ(user::TextOf(main_window.Text1), "C:\\Docs\\report.txt");
    user::Click(main_window.Command1);
    user::DoubleClick(main_window.Dir1, "Old");
    ASSERT_EQ(user::TextOf(main_window.Text1), "C:\\Docs\\Old");
    user::Click(main_window.Command1);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(user::TextOf(main_window.Text1), "C:\\Docs");
    EXPECT_FALSE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_FALSE(fs::exists(HostC("Docs/Old")));
    EXPECT_TRUE(fs::exists(HostC("recycled/H1")));
    EXPECT_TRUE(fs::exists(HostC("recycled/H2/old.txt")));
    EXPECT_FALSE(Lists(main_window.File1, "report.txt"));

    // List them and bring both back.
    user::Click(main_window.Command2);
    EXPECT_FALSE(user::IsEnabled(main_window));
    Form3& hidden_items = Instance<Form3>();
    EXPECT_EQ(user::Entries(hidden_items.List1), (Entries{"report.txt", "Old"}));
    EXPECT_EQ(user::Entries(hidden_items.List2),
              (Entries{"C:\\Docs\\report.txt", "C:\\Docs\\Old"}));
    for (std::size_t left = 2; left > 0; --left) {
        user::Click(hidden_items.List1, user::Entries(hidden_items.List1).front());
        user::Click(hidden_items.Command1);
        EXPECT_EQ(user::Entries(hidden_items.List1).size(), left - 1);
    }
    user::Click(hidden_items.Command2);
    EXPECT_TRUE(user::IsEnabled(main_window));
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_TRUE(fs::exists(HostC("Docs/Old/old.txt")));
    EXPECT_EQ(fs::file_size(HostC("windows/system32/tessarn.dat")), 0u);
    EXPECT_TRUE(Lists(main_window.Dir1, "Old"));
    EndByClosing(main_window);

    // A later start asks for the password; then the password is changed.
    Start();
    ASSERT_TRUE(IsLoaded<frmLogin>());
    EXPECT_FALSE(IsLoaded<Form4>());
    user::Type(Instance<frmLogin>().txtPassword, "Secret1");
    user::Press(Key::kEnter);
    ASSERT_TRUE(IsLoaded<Form1>());
    EXPECT_FALSE(IsLoaded<frmLogin>());
    Form1& second_main = Instance<Form1>();
    user::Click(second_main.Command4);
    EXPECT_FALSE(user::IsEnabled(second_main));
    Form2& change = Instance<Form2>();
    user::Type(change.Text1, "1terceS");  // the old password's characters in another order
    user::Type(change.Text2, "Other2");
    user::Type(change.Text3, "Other2");
    user::Click(change.Command1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_.back(), (ShownMessage{"Password Changed Sucessfully", "Tessarn"}));
    EXPECT_FALSE(IsLoaded<Form2>());
    EXPECT_TRUE(user::IsEnabled(second_main));
    EndByClosing(second_main);

    // The old password is refused now, the new one admits the user.
    ASSERT_NE(password::ComputeCheckValue("Secret1"), password::ComputeCheckValue("Other2"));
    Start();
    frmLogin& login = Instance<frmLogin>();
    user::Type(login.txtPassword, "Secret1");
    user::Click(login.cmdOK);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_.back(), (ShownMessage{"Invalid Password, try again!", "Login"}));
    EXPECT_FALSE(IsLoaded<Form1>());
    user::Retype(login.txtPassword, "Other2");
    user::Click(login.cmdOK);
    ASSERT_TRUE(IsLoaded<Form1>());

    // The About box, closed with Enter.
    Form1& third_main = Instance<Form1>();
    user::Click(third_main.Command3);
    EXPECT_FALSE(user::IsEnabled(third_main));
    frmAbout& about = Instance<frmAbout>();
    ASSERT_TRUE(user::WaitUntilActive(about));
    EXPECT_EQ(user::Caption(about), "About Tessarn");
    EXPECT_EQ(user::TextOf(about.lblVersion), "Version 1.0.0");
    user::Press(Key::kEnter);
    EXPECT_FALSE(IsLoaded<frmAbout>());
    EXPECT_TRUE(user::IsEnabled(third_main));
    EndByClosing(third_main);
    EXPECT_EQ(messages_.size(), 2u);
}

}  // namespace
