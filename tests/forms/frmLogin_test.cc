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
    void Type(const QString& text) { QTest::keyClicks(form_->txtPassword, text); }
    void PressOk() { QTest::mouseClick(form_->cmdOK, Qt::LeftButton); }
    void ExpectAdmitted() {
        EXPECT_TRUE(messages_.empty());
        EXPECT_TRUE(forms::IsLoaded<Form1>());
        EXPECT_FALSE(forms::IsLoaded<frmLogin>());
        EXPECT_FALSE(program_ended_);
    }

    frmLogin* form_ = nullptr;
};

TEST_F(FrmLoginTest, RightPasswordOpensTheMainWindow) {
    EXPECT_EQ(form_->windowTitle(), "Enter Password");
    Type("abc");
    EXPECT_EQ(form_->txtPassword->displayText(), "***");
    PressOk();
    ExpectAdmitted();
}

TEST_F(FrmLoginTest, EnterInThePasswordBoxActsAsOkAndAnyPermutationIsAdmitted) {
    Type("cab");
    QTest::keyClick(form_->txtPassword, Qt::Key_Return);
    ExpectAdmitted();
}

TEST_F(FrmLoginTest, StoredValueInLowerCaseStillMatches) {
    ASSERT_EQ(startup::ComputeCheckValue(":"), "1C");
    startup::StoreCheckValue("1c");
    Type(":");
    PressOk();
    ExpectAdmitted();
}

TEST_F(FrmLoginTest, RefusalSelectsTheWholeEntryForRetypingAsOftenAsNeeded) {
    Type("abd");
    PressOk();
    PressOk();
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{kInvalid, kInvalid}));
    // The selecting keys are posted, so the selection shows once events have been processed.
    EXPECT_TRUE(QTest::qWaitFor([this] { return form_->txtPassword->hasSelectedText(); }));
    EXPECT_EQ(form_->txtPassword->selectedText(), "abd");
    EXPECT_TRUE(form_->txtPassword->hasFocus());
    Type("abc");
    EXPECT_EQ(form_->txtPassword->text(), "abc");
    PressOk();
    EXPECT_FALSE(forms::IsLoaded<frmLogin>());
}

TEST_F(FrmLoginTest, RefusalSelectsTheEntryAlsoWhenTheDialogIsActivatedAgainOnlyLater) {
    // A real message box takes the activation with it when it closes; for a moment no window is
    // active and no control has the focus.
    on_message_ = [] {
        auto* box = new QWidget;
        box->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        delete box;
    };
    Type("abd");
    PressOk();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    form_->activateWindow();  // as the window manager does
    EXPECT_TRUE(QTest::qWaitFor([this] { return form_->txtPassword->hasSelectedText(); }));
    EXPECT_EQ(form_->txtPassword->selectedText(), "abd");
}

TEST_F(FrmLoginTest, EntryTooLongForTheCheckValueIsRefused) {
    Type(Overflowing());
    PressOk();
    EXPECT_EQ(messages_, std::vector<ShownMessage>{TooLong("Login")});
    EXPECT_TRUE(QTest::qWaitFor([this] { return form_->txtPassword->hasSelectedText(); }));
    EXPECT_EQ(form_->txtPassword->selectedText(), Overflowing());
    EXPECT_TRUE(forms::IsLoaded<frmLogin>());
}

TEST_F(FrmLoginTest, AccessKeyOfTheLabelMovesTheFocusToThePasswordBox) {
    form_->cmdCancel->setFocus();
    QTest::keyClick(form_->cmdCancel, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(form_->txtPassword->hasFocus());
    EXPECT_EQ(TabWalk(2),
              (std::vector<QWidget*>{form_->txtPassword, form_->cmdOK, form_->cmdCancel}));
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
        QTest::keyClicks(forms::Instance<frmLogin>().txtPassword, "abc");
        close_it(Open<frmLogin>());
        EXPECT_TRUE(program_ended_);
        EXPECT_FALSE(forms::IsLoaded<frmLogin>());
        EXPECT_FALSE(forms::IsLoaded<Form1>());
    }
    EXPECT_TRUE(messages_.empty());
}

}  // namespace
