// A start with the path of a file or folder, as Explorer's "Hide with Tessarn…" and the file
// managers' actions give it: the password is asked for as on every start, and only then does the
// main window open on the item, which nothing hides before Hide.
#include <filesystem>

#include "app/Module1.h"
#include "forms/Form1.h"
#include "forms/Form4.h"
#include "forms/form1_test.h"
#include "forms/frmLogin.h"
#include "password/password_store.h"

namespace {

namespace fs = std::filesystem;
using namespace forms;

// A path as the system gives it to a program it starts.
std::string Given(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

class StartPathTest : public Form1Test {
  protected:
    // A later start: a password has been set.
    static void LogIn(const std::vector<std::string>& paths) {
        password::StoreCheckValue(password::ComputeCheckValue("abc").value());
        app::Main(paths);
        ASSERT_TRUE(IsLoaded<frmLogin>());
        EXPECT_FALSE(IsLoaded<Form1>());
        user::Type(Instance<frmLogin>().txtPassword, "abc");
        user::Click(Instance<frmLogin>().cmdOK);
        ASSERT_TRUE(IsLoaded<Form1>());
        user::Settle();
    }
};

TEST_F(StartPathTest, AFileIsChosenAfterTheFirstPasswordAndHiddenByHide) {
    machine_->StartIn(HostC());
    app::Main({Given(HostC("Docs/report.txt"))});
    ASSERT_TRUE(IsLoaded<Form4>());
    EXPECT_FALSE(IsLoaded<Form1>());
    user::Type(Instance<Form4>().Text1, "abc");
    user::Type(Instance<Form4>().Text2, "abc");
    user::Click(Instance<Form4>().Command1);
    ASSERT_TRUE(IsLoaded<Form1>());
    user::Settle();

    Form1& w = Instance<Form1>();
    EXPECT_EQ(w.Dir1.Path(), "C:\\Docs");
    EXPECT_EQ(user::SelectedRow(w.File1), 1);
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs\\report.txt");
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(fs::exists(HostC("Docs/report.txt")));
    user::Click(w.Command1);
    EXPECT_EQ(Register(), RecordBytes("H1", "C:\\Docs\\report.txt", "report.txt"));
}

TEST_F(StartPathTest, AFolderIsOpenedItself) {
    LogIn({Given(HostC("Docs/Old"))});
    Form1& w = Instance<Form1>();
    EXPECT_EQ(w.Dir1.Path(), "C:\\Docs\\Old");
    EXPECT_EQ(user::Entries(w.File1), std::vector<std::string>{"old.txt"});
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs\\Old");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StartPathTest, AMissingPathIsToldAndTheWindowOpensWhereItWouldHave) {
    const std::string missing = Given(HostC("Docs/gone.txt"));
    LogIn({missing, Given(HostC("Docs/report.txt"))});

    Form1& w = Instance<Form1>();
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs");
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{
                             {"Cannot find " + missing +
                                  ": there is no such file or folder.\nTessarn takes one item at "
                                  "a time: of the 2 items, only the first was taken.",
                              "Tessarn"}}));
    user::Click(w.File1, "notes.txt");
    EXPECT_EQ(user::TextOf(w.Text1), "C:\\Docs\\notes.txt");
}

}  // namespace
