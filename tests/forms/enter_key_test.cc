// Enter presses the button that has the focus, in every window, as on Windows; without the focus
// on a button, Enter does only what each window's own design gives it.
#include <QPushButton>

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
    std::function<QPushButton*()> open;  // opens the window, returns the button to focus
    std::function<bool()> pressed;       // whether that button's press took effect
};

TEST_F(DialogTest, EnterOnAFocusedButtonPressesItInEveryWindow) {
    SetPassword("secret");
    const Case cases[] = {
        {"Form1", [] { return Open<Form1>().Command3; }, [] { return IsLoaded<frmAbout>(); }},
        {"Form2", [] { return OpenFromMainWindow<Form2>(&Form1::Command4).Command2; },
         [] { return !IsLoaded<Form2>(); }},
        {"Form3", [] { return OpenFromMainWindow<Form3>(&Form1::Command2).Command2; },
         [] { return !IsLoaded<Form3>(); }},
        {"Form4", [] { return Open<Form4>().Command1; }, [this] { return messages_.size() == 1; }},
        {"frmLogin", [] { return Open<frmLogin>().cmdCancel; },
         [] { return !IsLoaded<frmLogin>(); }},
        {"frmAbout", [] { return OpenFromMainWindow<frmAbout>(&Form1::Command3).cmdOK; },
         [] { return !IsLoaded<frmAbout>(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        messages_.clear();
        QPushButton* button = c.open();
        button->setFocus();
        QTRY_VERIFY(button->hasFocus());
        QTest::keyClick(button, Qt::Key_Return);
        EXPECT_TRUE(c.pressed());
        TearDown();
        SetUp();
        SetPassword("secret");
    }
}

}  // namespace
