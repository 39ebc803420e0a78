// The first-run password dialog: on the first start, before any password exists, the user types
// the new password twice; its check value is stored in the password key and the main window
// opens. Closing it with the close box stores nothing and ends the program.
#pragma once

#include <string>

#include "forms/controls.h"
#include "forms/form.h"

namespace forms {

class Form4 : public Form {
  public:
    Form4();

    Label Label3;
    Label Label1;
    PasswordBox Text1;
    Label Label2;
    PasswordBox Text2;
    CommandButton Command1;

  private:
    void Command1_Click();

    // The accepted password, the first entry as typed, once both entries have passed.
    std::string password;
};

}  // namespace forms
