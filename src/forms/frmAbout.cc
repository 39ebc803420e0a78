#include "forms/frmAbout.h"

#include <string>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "platform/installation.h"

namespace forms {
namespace {

constexpr Color kBlack{0, 0, 0};

// Names the README of this very installation, where the user can open it.
std::string ContactLine() {
    return "For questions about Tessarn, read the README.md in " + platform::ReadmeFolder() + ".";
}

}  // namespace

frmAbout::frmAbout()
    : Form("About MyApp", 5730, 2985, BorderStyle::kFixedDialog),
      picIcon(*this, "picIcon", {240, 240, 540, 540}, 1),
      lblTitle(*this, "lblTitle", "Application Title", {1050, 240, 3885, 480}, 4),
      lblVersion(*this, "lblVersion", "Version", {1050, 780, 3885, 225}, 5),
      lblDescription(*this, "lblDescription",
                     "Hides your confidencial files and folders from pyring eyes",
                     {1050, 1125, 4125, 330}, 2),
      Line1{Line(*this, "Line1(0)", 120, 1560, 5520, 1560, {255, 255, 255}, 2),
            Line(*this, "Line1(1)", 120, 1560, 5520, 1560, {128, 128, 128})},
      cmdOK(*this, "cmdOK", "OK", {4245, 1680, 1260, 345}, 0),
      lblDisclaimer(*this, "lblDisclaimer", ContactLine(), {240, 1800, 3870, 1065}, 3) {
    picIcon.SetAccessibleName("Program icon");
    lblTitle.SetForeColor(kBlack);
    lblDescription.SetForeColor(kBlack);
    lblDisclaimer.SetForeColor(kBlack);
    lblDisclaimer.SetWordWrap(true);
    SetDefaultButton(cmdOK);
    SetCancelButton(cmdOK);

    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmAbout::Form_Load() {
    SetCaption(std::string("About ") + kApplicationTitle);
    lblVersion.SetCaption("Version " + std::to_string(TESSARN_VERSION_MAJOR) + "." +
                          std::to_string(TESSARN_VERSION_MINOR) + "." +
                          std::to_string(TESSARN_VERSION_REVISION));
    lblTitle.SetCaption(kApplicationTitle);
}

void frmAbout::cmdOK_Click() {
    Unload();
}

void frmAbout::Form_Unload(int& Cancel) {
    (void)Cancel;
    Instance<Form1>().SetEnabled(true);
}

}  // namespace forms
