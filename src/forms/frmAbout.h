// The About box: the application's title and version, filled in afresh at every load, a line
// on what the program does and a contact line. Opened from the main window while that window is
// disabled; however it closes (OK, Enter, Esc, the close box), the main window is enabled again.
#pragma once

#include <array>

#include "forms/controls.h"
#include "forms/form.h"

namespace forms {

class frmAbout : public Form {
  public:
    frmAbout();

    Image picIcon;
    Label lblTitle;
    Label lblVersion;
    Label lblDescription;
    std::array<Line, 2> Line1;
    CommandButton cmdOK;
    Label lblDisclaimer;

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

  private:
    void cmdOK_Click();
};

}  // namespace forms
