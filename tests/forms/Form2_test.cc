#include "forms/Form2.h"

#include "dialog_test.h"

namespace {

using forms::Form1;
using forms::Form2;
using forms::Key;
using testing::StartsWith;

class Form2Test : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        SetPassword("abc");  // check value 16
        form_ = &OpenFromMainWindow<Form2>(&Form1::Command4);
    }
    void Submit(const std::string& old_password, const std::string& new_password,
                const std::string& retyped) {
        user::Retype(form_->Text1, old_password);
        user::Retype(form_->Text2, new_password);
        user::Retype(form_->Text3, retyped);
        user::Click(form_->Command1);
    }

    Form2* form_ = nullptr;
};

TEST_F(Form2Test, TabGoesThroughTheBoxesThenTheButtons) {
    EXPECT_EQ(TabWalk(4),
              (std::vector<const forms::Control*>{&form_->Text1, &form_->Text2, &form_->Text3,
                                                  &form_->Command1, &form_->Command2}));
}

TEST_F(Form2Test, RefusesEachFaultInItsOrderAndChangesNothing) {
    const ShownMessage empty{"Cant leave any field empty", "Error!!!"};
    const ShownMessage retype{"Retype Same Password", "Error!!!"};
    Submit("", "", "");
    Submit("abc", "new", "");
    Submit("abc", "new", "NEW");      // exact here, unlike the first-run dialog
    Submit("wrong", "new", "other");  // the old password is judged only after the new ones
    Submit("wrong", "new", "new");
    Submit("abc", kOverflowing, kOverflowing);
    // With the focus in a box, neither Enter nor Esc presses a button: either would have shown
    // one more message.
    user::Focus(form_->Text3);
    user::Press(Key::kEnter);
    user::Press(Key::kEsc);
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{empty,
                                                    empty,
                                                    retype,
                                                    retype,
                                                    {"Invalid Password Entered", "Error!!!"},
                                                    TooLong("Error!!!")}));
    EXPECT_EQ(Stored(), "16");
    EXPECT_TRUE(forms::IsLoaded<Form2>());
    EXPECT_FALSE(user::IsEnabled(forms::Instance<Form1>()));
}

TEST_F(Form2Test, OldPasswordInAnotherOrderLetsTheChangeThroughAndTheDialogCloses) {
    Submit("cba", "new", "new");
    const ShownMessage changed{"Password Changed Sucessfully", "Tessarn"};
    EXPECT_EQ(messages_, std::vector<ShownMessage>{changed});
    EXPECT_EQ(Stored(), password::ComputeCheckValue("new"));
    EXPECT_NE(Stored(), "16");
    EXPECT_FALSE(forms::IsLoaded<Form2>());
    EXPECT_TRUE(user::IsEnabled(forms::Instance<Form1>()));

    // Opened again, it starts empty and knows only the new password.
    form_ = &OpenFromMainWindow<Form2>(&Form1::Command4);
    EXPECT_EQ(user::TextOf(form_->Text1), "");
    Submit("abc", "abc", "abc");
    EXPECT_EQ(messages_.back().text, "Invalid Password Entered");
}

TEST_F(Form2Test, ARefusedStoreIsReportedAndTheOldPasswordStays) {
    machine_->RefuseRegistryChanges("16");
    Submit("abc", "new", "new");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Error!!!");
    EXPECT_THAT(messages_[0].text, StartsWith("Password not changed."));
    EXPECT_EQ(Stored(), "16");
    EXPECT_TRUE(forms::IsLoaded<Form2>());
}

TEST_F(Form2Test, CancelAndTheCloseBoxStoreNothingAndEnableTheMainWindow) {
    for (const bool close_box : {false, true}) {
        Submit("abc", "new", "NEW");
        if (close_box) {
            user::CloseBox(*form_);
        } else {
            user::Click(form_->Command2);
        }
        EXPECT_FALSE(forms::IsLoaded<Form2>());
        EXPECT_TRUE(user::IsEnabled(forms::Instance<Form1>()));
        EXPECT_EQ(Stored(), "16");
        form_ = &OpenFromMainWindow<Form2>(&Form1::Command4);
    }
}

}  // namespace
