// The main window: a browser of drives, folders and files, the text box Text1 holding the path of
// the item to act on, and four buttons. Hide moves that item into its drive's hiding place under
// the next hidden name and records it in the register; Unhide, About and Change Password open
// their windows and disable this one until they close.
#pragma once

#include "forms/DirListBox.h"
#include "forms/DriveListBox.h"
#include "forms/FileListBox.h"
#include "forms/controls.h"
#include "forms/form.h"

namespace forms {

class Form1 : public Form {
  public:
    Form1();

    DirListBox Dir1;
    DriveListBox Drive1;
    FileListBox File1;
    TextBox Text1;
    CommandButton Command1;  // Hide
    CommandButton Command2;  // Unhide
    CommandButton Command3;  // About
    CommandButton Command4;  // Change Password

  protected:
    void Form_Load() override;

  private:
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    // Hide: moves the item Text1 names into its drive's hiding place and records it.
    void Command1_Click();
    // Unhide: opens the list of hidden items.
    void Command2_Click();
    // About: opens the About box.
    void Command3_Click();
    // Change Password: opens the dialog that changes it.
    void Command4_Click();
};

}  // namespace forms
