#include "forms/frmLogin.h"

#include <optional>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/send_keys.h"
#include "forms/store_password.h"
#include "password/password_store.h"

namespace forms {
namespace {

const std::string kLoginTitle = "Login";

}  // namespace

frmLogin::frmLogin()
    : Form("Enter Password", 3750, 1545, BorderStyle::kFixedDialog),
      txtPassword(*this, "txtPassword", {1290, 360, 2325, 345}, 1),
      cmdOK(*this, "cmdOK", "OK", {495, 1020, 1140, 390}, 2),
      cmdCancel(*this, "cmdCancel", "Cancel", {2100, 1020, 1140, 390}, 3) {
    lblLabels.try_emplace(1, *this, "lblLabels(1)", "&Password:", Twips{120, 360, 1080, 270}, 0);
    SetDefaultButton(cmdOK);
    SetCancelButton(cmdCancel);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmLogin::cmdOK_Click() {
    // Read anew on every press: the stored value may have changed while the dialog was open.
    const std::string stored = password::ReadStoredCheckValue();
    const std::optional<std::string> computed = password::ComputeCheckValue(txtPassword.Text());
    if (!computed) {
        RefuseEntry(kPasswordTooLong);
        return;
    }
    if (password::CheckValuesMatch(stored, *computed)) {
        OpenMainWindow();
        return;
    }
    RefuseEntry("Invalid Password, try again!");
}

void frmLogin::cmdCancel_Click() {
    Unload();
}

void frmLogin::OpenMainWindow() {
    // The main window is shown first, so that the program never runs out of windows between.
    Instance<Form1>().Show();
    Unload();
}

void frmLogin::RefuseEntry(const std::string& message) {
    MsgBox(message, kLoginTitle);
    txtPassword.SetFocus();
    // Posted, not sent: they select the whole entry once the box has really taken the focus,
    // so that the next typing replaces it.
    SendKeys("{Home}+{End}");
}

}  // namespace forms
