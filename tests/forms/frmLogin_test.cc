#include "forms/frmLogin.h"

#include "dialog_test.h"

namespace {

using forms::Form1;
using forms::frmLogin;
using forms::Key;

const ShownMessage kInvalid{"Invalid Password, try again!", "Login"};

class FrmLoginTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        SetPassword("abc");  // check value 16
        form_ = &Open<frmLogin>();
    }
    void PressOk() { user::Click(form_->cmdOK); }
    // The selecting keys are posted: the selection shows once events have been processed.
    std::string SelectionShown() {
        EXPECT_TRUE(
            user::WaitFor([this] { return !user::SelectedText(form_->txtPassword).empty(); }));
        EXPECT_EQ(user::FocusedControl(), &form_->txtPassword);
        return user::SelectedText(form_->txtPassword);
    }

    frmLogin* form_ = nullptr;
};

TEST_F(FrmLoginTest, TheLabelsAccessKeyAndTabLeadToThePasswordBox) {
    user::Focus(form_->cmdCancel);
    user::PressAlt('P');
    EXPECT_EQ(TabWalk(3),
              (std::vector<const forms::Control*>{&form_->txtPassword, &form_->cmdOK,
                                                  &form_->cmdCancel, &form_->txtPassword}));
}

TEST_F(FrmLoginTest, AdmitsEveryEntryWithTheStoredCheckValue) {
    ASSERT_EQ(password::ComputeCheckValue(":"), "1C");
    struct Entry {
        std::string stored;
        std::string typed;
    };
    // Another order of the same characters, and a stored value in lower case.
    for (const auto& [stored, typed] : {Entry{"16", "abc"}, Entry{"16", "cab"}, Entry{"1c", ":"}}) {
        password::StoreCheckValue(stored);
        user::Type(Open<frmLogin>().txtPassword, typed);
        user::Press(Key::kEnter);
        EXPECT_FALSE(forms::IsLoaded<frmLogin>()) << typed;
        EXPECT_TRUE(forms::IsLoaded<Form1>());
        user::CloseBox(forms::Instance<Form1>());
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(FrmLoginTest, RefusalSelectsTheWholeEntryForRetypingAsOftenAsNeeded) {
    user::Type(form_->txtPassword, "abd");
    PressOk();
    PressOk();
    EXPECT_EQ(SelectionShown(), "abd");
    user::Type(form_->txtPassword, kOverflowing);
    PressOk();
    EXPECT_EQ(SelectionShown(), kOverflowing);
    EXPECT_EQ(messages_, (std::vector<ShownMessage>{kInvalid, kInvalid, TooLong("Login")}));
    user::Type(form_->txtPassword, "abc");
    PressOk();
    EXPECT_FALSE(forms::IsLoaded<frmLogin>());
}

TEST_F(FrmLoginTest, RefusalSelectsTheEntryAlsoWhenTheDialogIsActivatedOnlyLater) {
    // A real message box takes the activation with it when it closes; for a moment no window is
    // active and no control has the focus.
    on_message_ = [] { user::ActivateAnotherWindowAndCloseIt(); };
    user::Type(form_->txtPassword, "abd");
    PressOk();
    ASSERT_EQ(user::FocusedControl(), nullptr);
    user::Activate(*form_);  // as the window manager does
    EXPECT_EQ(SelectionShown(), "abd");
}

TEST_F(FrmLoginTest, EscCancelEnterOnCancelAndTheCloseBoxEndTheProgram) {
    const std::vector<std::function<void(frmLogin&)>> ways = {
        [](frmLogin&) { user::Press(Key::kEsc); },
        [](frmLogin& f) { user::Click(f.cmdCancel); },
        [](frmLogin& f) {
            user::Focus(f.cmdCancel);
            user::Press(Key::kEnter);
        },
        [](frmLogin& f) { user::CloseBox(f); },
    };
    int way = 0;
    for (const auto& close_it : ways) {
        SCOPED_TRACE(way++);
        program_ended_ = false;
        // The right password is typed: pressing OK instead would open the main window.
        user::Type(Open<frmLogin>().txtPassword, "abc");
        close_it(forms::Instance<frmLogin>());
        EXPECT_TRUE(program_ended_);
        EXPECT_FALSE(forms::IsLoaded<frmLogin>());
        EXPECT_FALSE(forms::IsLoaded<Form1>());
    }
}

}  // namespace
