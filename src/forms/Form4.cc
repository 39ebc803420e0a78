#include "forms/Form4.h"

#include <optional>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/store_password.h"
#include "password/password_store.h"
#include "platform/registry.h"

namespace forms {
namespace {

const std::string kErrorTitle = "Error!!!!";

}  // namespace

Form4::Form4()
    : Form("Password not Set!!!", 4680, 2235, BorderStyle::kFixedDialog),
      Label3(*this, "Label3", "Set Passoword", {1680, 120, 1215, 255}, 5),
      Label1(*this, "Label1", "Enter Password", {840, 600, 1110, 195}, 0),
      Text1(*this, "Text1", {2160, 480, 2295, 375}, 1),
      Label2(*this, "Label2", "Retype Password", {720, 1080, 1275, 195}, 3),
      Text2(*this, "Text2", {2160, 960, 2295, 375}, 2),
      Command1(*this, "Command1", "&Ok", {1440, 1560, 1695, 495}, 4) {
    // The two field labels keep their top left corner and take the size of their text.
    Label1.SetAutoSize(true);
    Label2.SetAutoSize(true);
    Label1.SetLabelFor(Text1);
    Label2.SetLabelFor(Text2);

    Command1.Click = [this] { Command1_Click(); };
}

void Form4::Command1_Click() {
    if (Text1.Text().empty()) {
        MsgBox("Enter Valid Password !!!!", kErrorTitle);
        return;
    }
    if (Text2.Text().empty()) {
        MsgBox("Retype Password !!!!", kErrorTitle);
        return;
    }
    // Letter case is not compared: the retyped entry only confirms the first, which alone
    // becomes the password, exactly as typed.
    if (!toolkit::SameTextIgnoringCase(Text1.Text(), Text2.Text())) {
        MsgBox("Enter Valid Password !!!!", kErrorTitle);
        return;
    }
    password = Text1.Text();
    const std::optional<std::string> check_value = password::ComputeCheckValue(password);
    if (!check_value) {
        MsgBox(kPasswordTooLong, kErrorTitle);
        return;
    }

    // The password key is created around the store and closed after it, the registry calls the
    // first start has always made. The store writes the value through the key's path itself,
    // creating the key where it is missing, so the handle goes unused.
    platform::HKEY key = nullptr;
    platform::RegCreateKeyA(platform::HKEY_LOCAL_MACHINE, password::kPasswordKey, &key);
    const bool stored = StorePasswordOrSay(*check_value, "Password not set.", kErrorTitle);
    platform::RegCloseKey(key);
    if (!stored) return;

    Instance<Form1>().Show();
    Unload();
}

}  // namespace forms
