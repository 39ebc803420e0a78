#include "forms/Form2.h"

#include <optional>
#include <string>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/store_password.h"
#include "password/password_store.h"
#include "platform/registry.h"

namespace forms {
namespace {

const std::string kErrorTitle = "Error!!!";

}  // namespace

Form2::Form2()
    : Form("Change Password!!!", 5010, 2865, BorderStyle::kFixedDialog),
      Label1(*this, "Label1", "Old Password", {600, 360, 1335, 255}, 3),
      Text1(*this, "Text1", {1920, 240, 2655, 375}, 0),
      Label2(*this, "Label2", "New Password", {600, 960, 1335, 255}, 4),
      Text2(*this, "Text2", {1920, 840, 2655, 375}, 1),
      Label3(*this, "Label3", "Retype New Password", {0, 1560, 1935, 255}, 5),
      Text3(*this, "Text3", {1920, 1440, 2655, 375}, 2),
      Command1(*this, "Command1", "&Ok", {600, 2160, 1695, 495}, 6),
      Command2(*this, "Command2", "&Cancel", {2760, 2160, 1575, 495}, 7) {
    Label1.SetLabelFor(Text1);
    Label2.SetLabelFor(Text2);
    Label3.SetLabelFor(Text3);

    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void Form2::Command1_Click() {
    if (Text1.Text().empty() || Text2.Text().empty() || Text3.Text().empty()) {
        MsgBox("Cant leave any field empty", kErrorTitle);
        return;
    }
    if (Text2.Text() != Text3.Text()) {
        MsgBox("Retype Same Password", kErrorTitle);
        return;
    }
    const std::string stored = password::ReadStoredCheckValue();
    const std::optional<std::string> old_value = password::ComputeCheckValue(Text1.Text());
    if (!old_value) {
        MsgBox(kPasswordTooLong, kErrorTitle);
        return;
    }
    if (!password::CheckValuesMatch(stored, *old_value)) {
        MsgBox("Invalid Password Entered", kErrorTitle);
        return;
    }
    const std::optional<std::string> new_value = password::ComputeCheckValue(Text2.Text());
    if (!new_value) {
        MsgBox(kPasswordTooLong, kErrorTitle);
        return;
    }

    // The password key is opened around the store and closed after it, the registry calls this
    // dialog has always made. The store writes the value through the key's path itself, so the
    // handle goes unused, and opening an existing key changes nothing.
    platform::HKEY key = nullptr;
    platform::RegOpenKeyA(platform::HKEY_LOCAL_MACHINE, password::kPasswordKey, &key);
    // On a refusal the old password stays in force, and the dialog stays open to say so.
    const bool changed = StorePasswordOrSay(*new_value, "Password not changed.", kErrorTitle);
    platform::RegCloseKey(key);
    if (!changed) return;

    MsgBox("Password Changed Sucessfully");
    Unload();
}

void Form2::Command2_Click() {
    Unload();
}

void Form2::Form_Unload(int& Cancel) {
    (void)Cancel;
    Instance<Form1>().SetEnabled(true);
}

}  // namespace forms
