#include "forms/Form2.h"

#include "dialog_test.h"

namespace {

using forms::Form1;
using forms::Form2;

const ShownMessage kEmpty{"Cant leave any field empty", "Error!!!"};
const ShownMessage kRetype{"Retype Same Password", "Error!!!"};
const ShownMessage kInvalid{"Invalid Password Entered", "Error!!!"};

class Form2Test : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        SetPassword("abc");  // check value 16
        form_ = &OpenFromMainWindow<Form2>(&Form1::Command4);
    }
    void Enter(const QString& old_password, const QString& new_password, const QString& retyped) {
        for (QLineEdit* box : {form_->Text1, form_->Text2, form_->Text3}) box->clear();
        QTest::keyClicks(form_->Text1, old_password);
        QTest::keyClicks(form_->Text2, new_password);
        QTest::keyClicks(form_->Text3, retyped);
    }
    void PressOk() { QTest::mouseClick(form_->Command1, Qt::LeftButton); }
    void ExpectUnchangedAndOpen() {
        EXPECT_EQ(Stored(), "16");
        EXPECT_TRUE(forms::IsLoaded<Form2>());
        EXPECT_FALSE(forms::Instance<Form1>().isEnabled());
    }

    Form2* form_ = nullptr;
};

TEST_F(Form2Test, OpensWithFocusInTheOldPasswordBoxAndTabsInOrder) {
    EXPECT_EQ(form_->windowTitle(), "Change Password!!!");
    EXPECT_EQ(TabWalk(4), (std::vector<QWidget*>{form_->Text1, form_->Text2, form_->Text3,
                                                 form_->Command1, form_->Command2}));
    QTest::keyClicks(form_->Text3, "xy");
    EXPECT_EQ(form_->Text3->displayText(), "**");
}

TEST_F(Form2Test, RefusesEachFaultWithItsMessageInOrder) {
    PressOk();
    Enter("abc", "new", "");
    PressOk();
    Enter("abc", "new", "NEW");  // exact here, unlike the first-run dialog
    PressOk();
    Enter("wrong", "new", "other");  // the old password is judged only after the new ones
    PressOk();
    Enter("wrong", "new", "new");
    PressOk();
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{kEmpty, kEmpty, kRetype, kRetype, kInvalid}));
    EXPECT_EQ(form_->Text1->text(), "wrong");
    ExpectUnchangedAndOpen();
}

TEST_F(Form2Test, OldPasswordInAnotherOrderChangesThePasswordAndCloses) {
    Enter("cba", "new", "new");
    PressOk();
    const ShownMessage changed{"Password Changed Sucessfully", "Tessarn"};
    EXPECT_EQ(messages_, std::vector<ShownMessage>{changed});
    EXPECT_EQ(Stored(), startup::ComputeCheckValue("new"));
    EXPECT_NE(Stored(), "16");
    EXPECT_FALSE(forms::IsLoaded<Form2>());
    EXPECT_TRUE(forms::Instance<Form1>().isEnabled());

    // Opened again, it starts empty and takes the new password as the old one.
    form_ = &OpenFromMainWindow<Form2>(&Form1::Command4);
    EXPECT_TRUE(form_->Text1->text().isEmpty());
    Enter("abc", "abc", "abc");
    PressOk();
    EXPECT_EQ(messages_.back(), kInvalid);
}

TEST_F(Form2Test, EnterAndEscPressNothing) {
    Enter("abc", "new", "new");
    QTest::keyClick(form_->Text3, Qt::Key_Return);
    QTest::keyClick(form_->Text3, Qt::Key_Escape);
    EXPECT_TRUE(messages_.empty());
    ExpectUnchangedAndOpen();
}

TEST_F(Form2Test, NewPasswordTooLongForTheCheckValueIsRefused) {
    Enter("abc", Overflowing(), Overflowing());
    PressOk();
    EXPECT_EQ(messages_, std::vector<ShownMessage>{TooLong("Error!!!")});
    ExpectUnchangedAndOpen();
}

TEST_F(Form2Test, CancelAndTheCloseBoxStoreNothingAndEnableTheMainWindow) {
    for (const bool close_box : {false, true}) {
        Enter("abc", "new", "NEW");
        PressOk();
        if (close_box) {
            form_->close();  // as the close box does
        } else {
            QTest::mouseClick(form_->Command2, Qt::LeftButton);
        }
        EXPECT_FALSE(forms::IsLoaded<Form2>());
        EXPECT_TRUE(forms::Instance<Form1>().isEnabled());
        EXPECT_EQ(Stored(), "16");
        form_ = &OpenFromMainWindow<Form2>(&Form1::Command4);
    }
}

}  // namespace
