// Enter presses the button that has the focus, in every window, as on Windows; without the focus
// on a button, Enter does only what each window's own design gives it.
#include "dialog_test.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/frmAbout.h"
#include "forms/frmLogin.h"

namespace {

using namespace forms;

struct Case {
    const char* window;
    std::function<const CommandButton&()> open;  // opens the window, returns the button to focus
    std::function<bool()> pressed;               // whether that button's press took effect
};

TEST_F(DialogTest, EnterOnAFocusedButtonPressesItInEveryWindow) {
    SetPassword("secret");
    const Case cases[] = {
        {"Form1", []() -> const CommandButton& { return Open<Form1>().Command3; },
         [] { return IsLoaded<frmAbout>(); }},
        {"Form2",
         []() -> const CommandButton& {
             return OpenFromMainWindow<Form2>(&Form1::Command4).Command2;
         },
         [] { return !IsLoaded<Form2>(); }},
        {"Form3",
         []() -> const CommandButton& {
             return OpenFromMainWindow<Form3>(&Form1::Command2).Command2;
         },
         [] { return !IsLoaded<Form3>(); }},
        {"Form4", []() -> const CommandButton& { return Open<Form4>().Command1; },
         [this] { return messages_.size() == 1; }},
        {"frmLogin", []() -> const CommandButton& { return Open<frmLogin>().cmdCancel; },
         [] { return !IsLoaded<frmLogin>(); }},
        {"frmAbout",
         []() -> const CommandButton& {
             return OpenFromMainWindow<frmAbout>(&Form1::Command3).cmdOK;
         },
         [] { return !IsLoaded<frmAbout>(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        messages_.clear();
        const CommandButton& button = c.open();
        user::Focus(button);
        EXPECT_TRUE(user::WaitFor([&] { return user::FocusedControl() == &button; }));
        user::Press(Key::kEnter);
        EXPECT_TRUE(c.pressed());
        TearDown();
        SetUp();
        SetPassword("secret");
    }
}

}  // namespace
