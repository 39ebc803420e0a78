#include "forms/Form2.h"

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

const QString kErrorTitle = QStringLiteral("Error!!!");

}  // namespace

Form2::Form2()
    : Form(QStringLiteral("Change Password!!!"), 5010, 2865, Border::kFixedDialog),
      Label1(new QLabel(QStringLiteral("Old Password"), this)),
      Text1(new QLineEdit(this)),
      Label2(new QLabel(QStringLiteral("New Password"), this)),
      Text2(new QLineEdit(this)),
      Label3(new QLabel(QStringLiteral("Retype New Password"), this)),
      Text3(new QLineEdit(this)),
      Command1(new QPushButton(QStringLiteral("&Ok"), this)),
      Command2(new QPushButton(QStringLiteral("&Cancel"), this)) {
    PlaceTwips(Label1, 600, 360, 1335, 255);
    PlaceTwips(Text1, 1920, 240, 2655, 375);
    PlaceTwips(Label2, 600, 960, 1335, 255);
    PlaceTwips(Text2, 1920, 840, 2655, 375);
    PlaceTwips(Label3, 0, 1560, 1935, 255);
    PlaceTwips(Text3, 1920, 1440, 2655, 375);
    PlaceTwips(Command1, 600, 2160, 1695, 495);
    PlaceTwips(Command2, 2760, 2160, 1575, 495);
    for (QLabel* label : {Label1, Label2, Label3}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    // Without access keys the buddies only name the boxes for a screen reader.
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    Label3->setBuddy(Text3);
    for (QLineEdit* box : {Text1, Text2, Text3}) MakePasswordBox(box);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click, Qt::DirectConnection);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click, Qt::DirectConnection);
}

void Form2::Command1_Click() {
    if (Text1->text().isEmpty() || Text2->text().isEmpty() || Text3->text().isEmpty()) {
        MsgBox(QStringLiteral("Cant leave any field empty"), kErrorTitle);
        return;
    }
    if (Text2->text() != Text3->text()) {
        MsgBox(QStringLiteral("Retype Same Password"), kErrorTitle);
        return;
    }
    const std::string stored = password::ReadStoredCheckValue();
    const std::optional<std::string> old_value =
        password::ComputeCheckValue(Text1->text().toStdString());
    if (!old_value) {
        MsgBox(kPasswordTooLong, kErrorTitle);
        return;
    }
    if (!password::CheckValuesMatch(stored, *old_value)) {
        MsgBox(QStringLiteral("Invalid Password Entered"), kErrorTitle);
        return;
    }
    const std::optional<std::string> new_value =
        password::ComputeCheckValue(Text2->text().toStdString());
    if (!new_value) {
        MsgBox(kPasswordTooLong, kErrorTitle);
        return;
    }

    platform::HKEY key = nullptr;
    platform::RegOpenKeyA(platform::HKEY_LOCAL_MACHINE, password::kPasswordKey, &key);
    // On a refusal the old password stays in force, and the dialog stays open to say so.
    const bool changed =
        StorePasswordOrSay(*new_value, QStringLiteral("Password not changed."), kErrorTitle);
    platform::RegCloseKey(key);
    if (!changed) return;

    MsgBox(QStringLiteral("Password Changed Sucessfully"));
    Unload();
}

void Form2::Command2_Click() {
    Unload();
}

void Form2::Form_Unload(int& Cancel) {
    (void)Cancel;
    Instance<Form1>().setEnabled(true);
}

}  // namespace forms
