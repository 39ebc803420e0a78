#include "forms/Form4.h"

#include "dialog_test.h"

namespace {

using forms::Form1;
using forms::Form4;
using forms::Key;
using testing::StartsWith;

class Form4Test : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        form_ = &Open<Form4>();
    }
    void Submit(const std::string& first, const std::string& second) {
        user::Retype(form_->Text1, first);
        user::Retype(form_->Text2, second);
        user::Click(form_->Command1);
    }

    // Not even the password key.
    bool NothingStored() const { return !machine_->RegistryWritten(); }

    Form4* form_ = nullptr;
};

TEST_F(Form4Test, MasksTheEntriesAndTabsFromBoxToBoxToOk) {
    EXPECT_EQ(TabWalk(3), (std::vector<const forms::Control*>{&form_->Text1, &form_->Text2,
                                                              &form_->Command1, &form_->Text1}));
    user::Type(form_->Text1, "a b");
    EXPECT_EQ(user::DisplayedText(form_->Text1), "***");
}

TEST_F(Form4Test, RefusesEachFaultInItsOrderAndStoresNothing) {
    const ShownMessage valid{"Enter Valid Password !!!!", "Error!!!!"};
    Submit("", "");
    Submit("", "abc");
    Submit("abc", "");
    Submit("abc", "abd");
    Submit("abc", "abc ");
    Submit(kOverflowing, kOverflowing);
    // With the focus in a box, neither Enter nor Esc presses a button: either would have shown
    // one more message.
    user::Focus(form_->Text2);
    user::Press(Key::kEnter);
    user::Press(Key::kEsc);
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{valid,
                                                    valid,
                                                    {"Retype Password !!!!", "Error!!!!"},
                                                    valid,
                                                    valid,
                                                    TooLong("Error!!!!")}));
    EXPECT_EQ(user::TextOf(form_->Text2), kOverflowing);
    EXPECT_TRUE(forms::IsLoaded<Form4>());
    EXPECT_TRUE(NothingStored());
}

TEST_F(Form4Test, RetypeDifferingInCaseStoresTheFirstEntryAndOpensTheMainWindow) {
    Submit("abc", "ABC");  // check values 16 and 11
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Stored(), "16");
    EXPECT_TRUE(forms::IsLoaded<Form1>());
    EXPECT_FALSE(forms::IsLoaded<Form4>());
    EXPECT_FALSE(program_ended_);
}

// The comparison is the system's own, which knows the letter case of more than ASCII.
TEST_F(Form4Test, RetypeDifferingInTheCaseOfAnAccentedLetterIsAccepted) {
    Submit("Caf\u00e9", "CAF\u00c9");
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Stored(), password::ComputeCheckValue("Caf\u00e9"));
    EXPECT_TRUE(forms::IsLoaded<Form1>());
}

TEST_F(Form4Test, LongEntriesAreTakenWholeOrRefusedNeverCut) {
    // Cut at a text box's usual 32,767 characters, this paste of residue-0 characters would be
    // taken as a password other than the one the user pasted.
    user::Paste(form_->Text1, std::string(40000, 'Z'));
    user::Paste(form_->Text2, std::string(40000, 'Z'));
    user::Click(form_->Command1);
    EXPECT_EQ(messages_, std::vector<ShownMessage>{TooLong("Error!!!!")});
    EXPECT_TRUE(NothingStored());

    Submit(std::string(1129, 'Y'), std::string(1129, 'y'));
    EXPECT_EQ(Stored(), "7FE5");  // 1,129 x 29 = 32,741
}

TEST_F(Form4Test, ARefusedStoreIsReportedAndTheMainWindowStaysClosed) {
    machine_->RefuseRegistryChanges(std::nullopt);
    Submit("abc", "abc");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Error!!!!");
    EXPECT_THAT(messages_[0].text, StartsWith("Password not set."));
    EXPECT_EQ(Stored(), "");
    EXPECT_TRUE(forms::IsLoaded<Form4>());
    EXPECT_FALSE(forms::IsLoaded<Form1>());
}

TEST_F(Form4Test, CloseBoxEndsTheProgramWithNothingStored) {
    user::Type(form_->Text1, "abc");
    user::Type(form_->Text2, "abc");
    user::CloseBox(*form_);
    EXPECT_TRUE(program_ended_);
    EXPECT_FALSE(forms::IsLoaded<Form4>());
    EXPECT_TRUE(NothingStored());
}

}  // namespace
