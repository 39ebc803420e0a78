// The change-password dialog, opened from the main window while that window is disabled: the
// old password, the new one and the new one again. The new check value replaces the stored one
// only when the new entries agree and the old one matches the stored check value. However the
// dialog closes, the main window is enabled again.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

namespace forms {

class Form2 : public Form {
  public:
    Form2();

    Label Label1;
    PasswordBox Text1;
    Label Label2;
    PasswordBox Text2;
    Label Label3;
    PasswordBox Text3;
    CommandButton Command1;
    CommandButton Command2;

  protected:
    void Form_Unload(int& Cancel) override;

  private:
    void Command1_Click();
    void Command2_Click();
};

}  // namespace forms
