#include "forms/frmLogin.h"

#include "dialog_test.h"

namespace {

using forms::Form1;
using forms::frmLogin;

const ShownMessage kInvalid{"Invalid Password, try again!", "Login"};

class FrmLoginTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        SetPassword("abc");  // check value 16
        form_ = &Open<frmLogin>();
    }
    void PressOk() { QTest::mouseClick(form_->cmdOK, Qt::LeftButton); }
    // The selecting keys are posted: the selection shows once events have been processed.
    QString SelectionShown() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return form_->txtPassword->hasSelectedText(); }));
        EXPECT_TRUE(form_->txtPassword->hasFocus());
        return form_->txtPassword->selectedText();
    }

    frmLogin* form_ = nullptr;
};

TEST_F(FrmLoginTest, TheLabelsAccessKeyAndTabLeadToThePasswordBox) {
    form_->cmdCancel->setFocus();
    QTest::keyClick(form_->cmdCancel, Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(TabWalk(3), (std::vector<QWidget*>{form_->txtPassword, form_->cmdOK, form_->cmdCancel,
                                                 form_->txtPassword}));
}

TEST_F(FrmLoginTest, AdmitsEveryEntryWithTheStoredCheckValue) {
    ASSERT_EQ(password::ComputeCheckValue(":"), "1C");
    struct Entry {
        std::string stored;
        QString typed;
    };
    // Another order of the same characters, and a stored value in lower case.
    for (const auto& [stored, typed] : {Entry{"16", "abc"}, Entry{"16", "cab"}, Entry{"1c", ":"}}) {
        password::StoreCheckValue(stored);
        QTest::keyClicks(Open<frmLogin>().txtPassword, typed);
        QTest::keyClick(forms::Instance<frmLogin>().txtPassword, Qt::Key_Return);
        EXPECT_FALSE(forms::IsLoaded<frmLogin>()) << typed.toStdString();
        EXPECT_TRUE(forms::IsLoaded<Form1>());
        forms::Instance<Form1>().Unload();
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FrmLoginTest, RefusalSelectsTheWholeEntryForRetypingAsOftenAsNeeded) {
    QTest::keyClicks(form_->txtPassword, "abd");
    PressOk();
    PressOk();
    EXPECT_EQ(SelectionShown(), "abd");
    QTest::keyClicks(form_->txtPassword, kOverflowing);
    PressOk();
    EXPECT_EQ(SelectionShown(), kOverflowing);
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{kInvalid, kInvalid, TooLong("Login")}));
    QTest::keyClicks(form_->txtPassword, "abc");
    PressOk();
    EXPECT_FALSE(forms::IsLoaded<frmLogin>());
}

TEST_F(FrmLoginTest, RefusalSelectsTheEntryAlsoWhenTheDialogIsActivatedOnlyLater) {
    // A real message box takes the activation with it when it closes; for a moment no window is
    // active and no control has the focus.
    on_message_ = [] {
        auto* box = new QWidget;
        box->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        delete box;
    };
    QTest::keyClicks(form_->txtPassword, "abd");
    PressOk();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    form_->activateWindow();  // as the window manager does
    EXPECT_EQ(SelectionShown(), "abd");
}

TEST_F(FrmLoginTest, EscCancelEnterOnCancelAndTheCloseBoxEndTheProgram) {
    const std::vector<std::function<void(frmLogin&)>> ways = {
        [](frmLogin& f) { QTest::keyClick(f.txtPassword, Qt::Key_Escape); },
        [](frmLogin& f) { QTest::mouseClick(f.cmdCancel, Qt::LeftButton); },
        [](frmLogin& f) {
            f.cmdCancel->setFocus();
            QTest::keyClick(f.cmdCancel, Qt::Key_Return);
        },
        [](frmLogin& f) { f.close(); },  // as the close box does
    };
    int way = 0;
    for (const auto& close_it : ways) {
        SCOPED_TRACE(way++);
        program_ended_ = false;
        // The right password is typed: pressing OK instead would open the main window.
        QTest::keyClicks(Open<frmLogin>().txtPassword, "abc");
        close_it(forms::Instance<frmLogin>());
        EXPECT_TRUE(program_ended_);
        EXPECT_FALSE(forms::IsLoaded<frmLogin>());
        EXPECT_FALSE(forms::IsLoaded<Form1>());
    }
}

}  // namespace
