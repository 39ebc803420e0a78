#include "forms/frmAbout.h"

#include "dialog_test.h"

namespace {

using forms::Form1;
using forms::frmAbout;

class FrmAboutTest : public DialogTest {
  protected:
    frmAbout& OpenAbout() { return OpenFromMainWindow<frmAbout>(&Form1::Command3); }
};

TEST_F(FrmAboutTest, ShowsTitleAndVersionAfreshAtEveryOpening) {
    for (int opening = 0; opening < 2; ++opening) {
        frmAbout& about = OpenAbout();
        EXPECT_EQ(about.windowTitle(), "About Tessarn");
        EXPECT_EQ(about.lblTitle->text(), "Tessarn");
        EXPECT_EQ(about.lblVersion->text(), "Version 1.0.0");
        EXPECT_EQ(about.lblDescription->text(),
                  "Hides your confidencial files and folders from pyring eyes");
        EXPECT_FALSE(about.picIcon->pixmap().isNull());
        EXPECT_TRUE(about.cmdOK->hasFocus());
        QTest::mouseClick(about.cmdOK, Qt::LeftButton);
        EXPECT_FALSE(forms::IsLoaded<frmAbout>());
        EXPECT_TRUE(forms::Instance<Form1>().isEnabled());
    }
}

TEST_F(FrmAboutTest, EnterEscAndTheCloseBoxCloseItAndEnableTheMainWindow) {
    const std::vector<std::function<void(frmAbout&)>> ways = {
        [](frmAbout& a) { QTest::keyClick(a.cmdOK, Qt::Key_Return); },
        [](frmAbout& a) { QTest::keyClick(a.cmdOK, Qt::Key_Escape); },
        [](frmAbout& a) { a.close(); },  // as the close box does
    };
    for (const auto& close_it : ways) {
        close_it(OpenAbout());
        EXPECT_FALSE(forms::IsLoaded<frmAbout>());
        EXPECT_TRUE(forms::Instance<Form1>().isEnabled());
    }
    EXPECT_FALSE(program_ended_);
}

}  // namespace
