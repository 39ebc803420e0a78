// The whole journey of a user across the windows, through the real widgets: the first start
// sets a password, a file and a folder are hidden, listed and brought back, a later start logs
// in, the password is changed and the new one admits the user, the About box opens and closes.
#include <QStringList>
#include <filesystem>
#include <fstream>

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/frmAbout.h"
#include "forms/frmLogin.h"
#include "app/Module1.h"
#include "password/password_store.h"
#include "forms/window_test.h"

namespace {

namespace fs = std::filesystem;
using namespace forms;

class JourneyTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        fs::create_directories(HostC("Docs/Old"));
        std::ofstream(HostC("Docs/report.txt")) << "report";
        std::ofstream(HostC("Docs/Old/old.txt")) << "old";
        fs::current_path(HostC("Docs"));
    }
    void TearDown() override {
        fs::current_path(scratch_.parent_path());
        WindowTest::TearDown();
    }

    // A new start of the program on the same machine.
    void Start() {
        program_ended_ = false;
        app::Main();
        QCoreApplication::processEvents();
    }
    void EndByClosing(QWidget& last_window) {
        last_window.close();
        EXPECT_TRUE(program_ended_);
        EXPECT_EQ(LoadedFormCount(), 0);
    }

    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        QTest::keyClicks(box, text);
    }
    static void ClickEntry(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(found.first()).center());
    }
    static void DoubleClickEntry(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        const QPoint at = list->visualItemRect(found.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(JourneyTest, FromFirstStartToAChangedPassword) {
    // First start: no password key, so the first-run dialog asks for one, twice.
    Start();
    ASSERT_TRUE(IsLoaded<Form4>());
    EXPECT_FALSE(IsLoaded<frmLogin>());
    Form4& first_run = Instance<Form4>();
    Type(first_run.Text1, "Secret1");
    Type(first_run.Text2, "SECRET1");
    QTest::mouseClick(first_run.Command1, Qt::LeftButton);
    ASSERT_FALSE(IsLoaded<Form4>());
    ASSERT_TRUE(IsLoaded<Form1>());
    EXPECT_EQ(password::ReadStoredCheckValue(), password::ComputeCheckValue("Secret1").value());

    // Hide a file, then a folder.
    Form1& main_window = Instance<Form1>();
    ClickEntry(main_window.File1, "report.txt");
    ASSERT_EQ(main_window.Text1->text(), "C:\\Docs\\report.txt");
    QTest::mouseClick(main_window.Command1, Qt::LeftButton);
    DoubleClickEntry(main_window.Dir1, "Old");
    ASSERT_EQ(main_window.Text1->text(), "C:\\Docs\\Old");
    QTest::mouseClick(main_window.Command1, Qt::LeftButton);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(main_window.Text1->text(), "C:\\Docs");
    EXPECT_FALSE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_FALSE(fs::exists(HostC("Docs/Old")));
    EXPECT_TRUE(fs::exists(HostC("recycled/H1")));
    EXPECT_TRUE(fs::exists(HostC("recycled/H2/old.txt")));
    EXPECT_FALSE(Entries(main_window.File1).contains("report.txt"));

    // List them and bring both back.
    QTest::mouseClick(main_window.Command2, Qt::LeftButton);
    EXPECT_FALSE(main_window.isEnabled());
    Form3& hidden_items = Instance<Form3>();
    EXPECT_EQ(Entries(hidden_items.List1), (QStringList{"report.txt", "Old"}));
    EXPECT_EQ(Entries(hidden_items.List2), (QStringList{"C:\\Docs\\report.txt", "C:\\Docs\\Old"}));
    for (int left = 2; left > 0; --left) {
        ClickEntry(hidden_items.List1, Entries(hidden_items.List1).first());
        QTest::mouseClick(hidden_items.Command1, Qt::LeftButton);
        EXPECT_EQ(hidden_items.List1->count(), left - 1);
    }
    QTest::mouseClick(hidden_items.Command2, Qt::LeftButton);
    EXPECT_TRUE(main_window.isEnabled());
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(fs::exists(HostC("Docs/report.txt")));
    EXPECT_TRUE(fs::exists(HostC("Docs/Old/old.txt")));
    EXPECT_EQ(fs::file_size(HostC("windows/system32/tessarn.dat")), 0u);
    EXPECT_TRUE(Entries(main_window.Dir1).contains("Old"));
    EndByClosing(main_window);

    // A later start asks for the password; then the password is changed.
    Start();
    ASSERT_TRUE(IsLoaded<frmLogin>());
    EXPECT_FALSE(IsLoaded<Form4>());
    Type(Instance<frmLogin>().txtPassword, "Secret1");
    QTest::keyClick(Instance<frmLogin>().txtPassword, Qt::Key_Return);
    ASSERT_TRUE(IsLoaded<Form1>());
    EXPECT_FALSE(IsLoaded<frmLogin>());
    Form1& second_main = Instance<Form1>();
    QTest::mouseClick(second_main.Command4, Qt::LeftButton);
    EXPECT_FALSE(second_main.isEnabled());
    Form2& change = Instance<Form2>();
    Type(change.Text1, "1terceS");  // the old password's characters in another order
    Type(change.Text2, "Other2");
    Type(change.Text3, "Other2");
    QTest::mouseClick(change.Command1, Qt::LeftButton);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_.back(), (ShownMessage{"Password Changed Sucessfully", "Tessarn"}));
    EXPECT_FALSE(IsLoaded<Form2>());
    EXPECT_TRUE(second_main.isEnabled());
    EndByClosing(second_main);

    // The old password is refused now, the new one admits the user.
    ASSERT_NE(password::ComputeCheckValue("Secret1"), password::ComputeCheckValue("Other2"));
    Start();
    frmLogin& login = Instance<frmLogin>();
    Type(login.txtPassword, "Secret1");
    QTest::mouseClick(login.cmdOK, Qt::LeftButton);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_.back(), (ShownMessage{"Invalid Password, try again!", "Login"}));
    EXPECT_FALSE(IsLoaded<Form1>());
    login.txtPassword->clear();
    Type(login.txtPassword, "Other2");
    QTest::mouseClick(login.cmdOK, Qt::LeftButton);
    ASSERT_TRUE(IsLoaded<Form1>());

    // The About box, closed with Enter.
    Form1& third_main = Instance<Form1>();
    QTest::mouseClick(third_main.Command3, Qt::LeftButton);
    EXPECT_FALSE(third_main.isEnabled());
    frmAbout& about = Instance<frmAbout>();
    EXPECT_EQ(about.windowTitle(), "About Tessarn");
    EXPECT_EQ(about.lblVersion->text(), "Version 1.0.0");
    QTest::keyClick(about.cmdOK, Qt::Key_Return);
    EXPECT_FALSE(IsLoaded<frmAbout>());
    EXPECT_TRUE(third_main.isEnabled());
    EndByClosing(third_main);
    EXPECT_EQ(messages_.size(), 2u);
}

}  // namespace
