#include "forms/Form1.h"

#include <string>

#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/frmAbout.h"
#include "forms/given_items.h"
#include "forms/message_box.h"
#include "hiding/hide.h"
#include "platform/windows_error.h"

namespace forms {
namespace {

const std::string kDriveTitle = "Error!!!!";
const std::string kHideTitle = "Error!!!!!";
const std::string kCannotHide = "Cannot Hide Drive or File or Folders on Removable Media";

}  // namespace

Form1::Form1()
    : Form("Tessarn", 4755, 6870, BorderStyle::kFixedSingle),
      Dir1(*this, "Dir1", {2280, 1200, 2295, 3240}, 0),
      Drive1(*this, "Drive1", {120, 4560, 1935, 315}, 1),
      File1(*this, "File1", {120, 1200, 1935, 3210}, 2),
      Text1(*this, "Text1", {120, 600, 4455, 375}, 3, "*.*"),
      Command1(*this, "Command1", "&Hide", {2520, 5160, 1815, 615}, 4),
      Command2(*this, "Command2", "&Unhide", {240, 5160, 1815, 615}, 5),
      Command3(*this, "Command3", "&About", {240, 6120, 1815, 615}, 6),
      Command4(*this, "Command4", "&Change Password", {2520, 6120, 1815, 615}, 7) {
    Text1.SetAccessibleName("Item to hide");

    // The file list and the drive list start where the folder list starts. No handler is wired
    // yet, so this raises nothing.
    if (!Dir1.Path().empty()) Drive1.SetDrive(Dir1.Path());
    if (File1.Path() != Dir1.Path()) {
        try {
            File1.SetPath(Dir1.Path());
        } catch (const platform::WindowsError&) {
            // An unreadable folder lists no files; choosing another folder mends it.
        }
    }

    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    File1.Click = [this] { File1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
}

void Form1::Form_Load() {
    Text1.SetText(Dir1.Path());
    OpenStartItem(*this);
}

void Form1::Drive1_Change() {
    try {
        Dir1.SetPath(Drive1.Drive());
    } catch (const platform::WindowsError&) {
        // The drive list keeps the unreadable drive; the other lists stay where they were.
        MsgBox("Drive not ready!!!", kDriveTitle);
    }
    try {
        File1.SetPath(Dir1.Path());
    } catch (const platform::WindowsError&) {
        // Trapped like the rest of the drive change: the folder list shows what is readable.
    }
}

void Form1::Dir1_Change() {
    try {
        File1.SetPath(Dir1.Path());
    } catch (const platform::WindowsError& error) {
        // The folder list has just read this folder, so only a folder that lets its sub-folders
        // be seen but not its files gets here.
        MsgBox(error.what(), kDriveTitle);
    }
    Text1.SetText(Dir1.Path());
}

void Form1::File1_Click() {
    const std::string d = Dir1.Path();
    if (!d.empty() && d.back() == '\\') {
        Text1.SetText(d + File1.FileName());
    } else {
        Text1.SetText(d + '\\' + File1.FileName());
    }
}

void Form1::Command1_Click() {
    const std::string t = Text1.Text();
    const hiding::HideOutcome outcome = hiding::Hide(t, Drive1.Drive());
    switch (outcome.result) {
        case hiding::HideOutcome::Result::kMoveFailed:
            MsgBox(kCannotHide, kHideTitle);
            return;
        case hiding::HideOutcome::Result::kRefused:
        case hiding::HideOutcome::Result::kNotHidden:
        case hiding::HideOutcome::Result::kUnsettled:
            MsgBox(outcome.message, kHideTitle);
            return;
        case hiding::HideOutcome::Result::kHidden:
            // A note on a Hide that went through is no error.
            if (!outcome.message.empty()) MsgBox(outcome.message);
            break;
    }

    const std::size_t last_backslash = t.rfind('\\');
    const std::string parent =
        last_backslash == std::string::npos ? std::string() : t.substr(0, last_backslash + 1);
    try {
        Dir1.SetPath(parent);
        File1.SetPath(parent);
    } catch (const platform::WindowsError&) {
        // The parent named by a typed path may be gone or unreadable; the folder list then
        // re-reads where it is, so a hidden folder vanishes from it all the same.
        Dir1.Refresh();
    }
}

void Form1::Command2_Click() {
    SetEnabled(false);
    Instance<Form3>().Show();
}

void Form1::Command3_Click() {
    SetEnabled(false);
    Instance<frmAbout>().Show();
}

void Form1::Command4_Click() {
    Instance<Form2>().Show();
    SetEnabled(false);
}

}  // namespace forms
