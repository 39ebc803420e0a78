#include "forms/frmLogin.h"

#include <optional>
#include <string>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/password_box.h"
#include "forms/send_keys.h"
#include "forms/twips.h"
#include "password/password_store.h"

namespace forms {
namespace {

const QString kLoginTitle = QStringLiteral("Login");

}  // namespace

frmLogin::frmLogin()
    : Form(QStringLiteral("Enter Password"), 3750, 1545, Border::kFixedDialog),
      lblLabels{{1, new QLabel(QStringLiteral("&Password:"), this)}},
      txtPassword(new QLineEdit(this)),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    QLabel* password_label = lblLabels.at(1);
    PlaceTwips(password_label, 120, 360, 1080, 270);
    PlaceTwips(txtPassword, 1290, 360, 2325, 345);
    PlaceTwips(cmdOK, 495, 1020, 1140, 390);
    PlaceTwips(cmdCancel, 2100, 1020, 1140, 390);
    password_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    password_label->setBuddy(txtPassword);
    MakePasswordBox(txtPassword);
    SetDefaultButton(cmdOK);
    SetCancelButton(cmdCancel);
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    txtPassword->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click, Qt::DirectConnection);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click,
            Qt::DirectConnection);
}

void frmLogin::cmdOK_Click() {
    // Read anew on every press: the stored value may have changed while the dialog was open.
    const std::string stored = password::ReadStoredCheckValue();
    const std::optional<std::string> computed =
        password::ComputeCheckValue(txtPassword->text().toStdString());
    if (!computed) {
        RefuseEntry(kPasswordTooLong);
        return;
    }
    if (password::CheckValuesMatch(stored, *computed)) {
        OpenMainWindow();
        return;
    }
    RefuseEntry(QStringLiteral("Invalid Password, try again!"));
}

void frmLogin::cmdCancel_Click() {
    Unload();
}

void frmLogin::OpenMainWindow() {
    // The main window is shown first, so that the program never runs out of windows between.
    Instance<Form1>().Show();
    Unload();
}

void frmLogin::RefuseEntry(const QString& message) {
    MsgBox(message, kLoginTitle);
    txtPassword->setFocus();
    // Posted, not sent: they select the whole entry once the box has really taken the focus,
    // so that the next typing replaces it.
    SendKeys(QStringLiteral("{Home}+{End}"));
}

}  // namespace forms
