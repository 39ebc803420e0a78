#include "forms/Form4.h"

#include <optional>
#include <string>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/password_box.h"
#include "forms/store_password.h"
#include "forms/twips.h"
#include "platform/registry.h"
#include "password/password_store.h"

namespace forms {
namespace {

const QString kErrorTitle = QStringLiteral("Error!!!!");

}  // namespace

Form4::Form4()
    : Form(QStringLiteral("Password not Set!!!"), 4680, 2235, Border::kFixedDialog),
      Label3(new QLabel(QStringLiteral("Set Passoword"), this)),
      Label1(new QLabel(QStringLiteral("Enter Password"), this)),
      Text1(new QLineEdit(this)),
      Label2(new QLabel(QStringLiteral("Retype Password"), this)),
      Text2(new QLineEdit(this)),
      Command1(new QPushButton(QStringLiteral("&Ok"), this)) {
    PlaceTwips(Label3, 1680, 120, 1215, 255);
    PlaceTwips(Label1, 840, 600, 1110, 195);
    PlaceTwips(Text1, 2160, 480, 2295, 375);
    PlaceTwips(Label2, 720, 1080, 1275, 195);
    PlaceTwips(Text2, 2160, 960, 2295, 375);
    PlaceTwips(Command1, 1440, 1560, 1695, 495);
    for (QLabel* label : {Label3, Label1, Label2}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    // The two field labels keep their top left corner and take the size of their text.
    Label1->adjustSize();
    Label2->adjustSize();
    // Without access keys the buddies only name the boxes for a screen reader.
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    MakePasswordBox(Text1);
    MakePasswordBox(Text2);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click, Qt::DirectConnection);
}

void Form4::Command1_Click() {
    if (Text1->text().isEmpty()) {
        MsgBox(QStringLiteral("Enter Valid Password !!!!"), kErrorTitle);
        return;
    }
    if (Text2->text().isEmpty()) {
        MsgBox(QStringLiteral("Retype Password !!!!"), kErrorTitle);
        return;
    }
    // Letter case is not compared: the retyped entry only confirms the first, which alone
    // becomes the password, exactly as typed.
    if (QString::localeAwareCompare(Text1->text().toCaseFolded(), Text2->text().toCaseFolded()) !=
        0) {
        MsgBox(QStringLiteral("Enter Valid Password !!!!"), kErrorTitle);
        return;
    }
    password = Text1->text();
    const std::optional<std::string> check_value =
        password::ComputeCheckValue(password.toStdString());
    if (!check_value) {
        MsgBox(kPasswordTooLong, kErrorTitle);
        return;
    }

    platform::HKEY key = nullptr;
    platform::RegCreateKeyA(platform::HKEY_LOCAL_MACHINE, password::kPasswordKey, &key);
    const bool stored =
        StorePasswordOrSay(*check_value, QStringLiteral("Password not set."), kErrorTitle);
    platform::RegCloseKey(key);
    if (!stored) return;

    Instance<Form1>().Show();
    Unload();
}

}  // namespace forms
