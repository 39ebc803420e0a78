#include "forms/frmAbout.h"

#include <filesystem>
#include <string>

#include "dialog_test.h"
#include "platform/installation.h"

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
        EXPECT_EQ(user::Caption(about), "About Tessarn");
        EXPECT_EQ(user::TextOf(about.lblTitle), "Tessarn");
        EXPECT_EQ(user::TextOf(about.lblVersion), "Version 1.0.0");
        EXPECT_EQ(user::TextOf(about.lblDescription),
                  "Hides your confidencial files and folders from pyring eyes");
        EXPECT_TRUE(user::ShowsPicture(about.picIcon));
        EXPECT_EQ(user::FocusedControl(), &about.cmdOK);
        user::Click(about.cmdOK);
        EXPECT_FALSE(forms::IsLoaded<frmAbout>());
        EXPECT_TRUE(user::IsEnabled(forms::Instance<Form1>()));
    }
}

TEST_F(FrmAboutTest, NamesTheFolderThatHoldsThisInstallationsReadme) {
    const std::string line = user::TextOf(OpenAbout().lblDisclaimer);
    const std::string folder = platform::ReadmeFolder();
    EXPECT_EQ(line, "For questions about Tessarn, read the README.md in " + folder + ".");
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(folder) / "README.md"))
        << folder;
}

TEST_F(FrmAboutTest, EnterEscAndTheCloseBoxCloseItAndEnableTheMainWindow) {
    const std::vector<std::function<void(frmAbout&)>> ways = {
        [](frmAbout&) { user::Press(forms::Key::kEnter); },
        [](frmAbout&) { user::Press(forms::Key::kEsc); },
        [](frmAbout& a) { user::CloseBox(a); },
    };
    for (const auto& close_it : ways) {
        close_it(OpenAbout());
        EXPECT_FALSE(forms::IsLoaded<frmAbout>());
        EXPECT_TRUE(user::IsEnabled(forms::Instance<Form1>()));
    }
    EXPECT_FALSE(program_ended_);
}

}  // namespace
