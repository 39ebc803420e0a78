// The login dialog that guards every start once a password is set: an entry whose check value
// matches the stored one opens the main window; any other is refused, selected for retyping,
// as often as the user likes. Cancel, Esc and the close box end the program.
#pragma once

#include <map>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"

namespace forms {

class frmLogin : public Form {
  public:
    frmLogin();

    // A control array of which only element 1 exists.
    std::map<int, Label> lblLabels;
    PasswordBox txtPassword;
    CommandButton cmdOK;
    CommandButton cmdCancel;

  private:
    void cmdOK_Click();
    void cmdCancel_Click();
    void OpenMainWindow();
    void RefuseEntry(const std::string& message);
};

}  // namespace forms
