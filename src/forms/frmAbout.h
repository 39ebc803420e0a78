// The About box: the application's title and version, filled in afresh at every load, a line
// on what the program does and a contact line. Opened from the main window while that window is
// disabled; however it closes (OK, Enter, Esc, the close box), the main window is enabled again.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <array>

#include "forms/form.h"
#include "forms/line.h"

namespace forms {

class frmAbout : public Form {
    Q_OBJECT
  public:
    frmAbout();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    std::array<Line*, 2> Line1;
    QPushButton* cmdOK;
    QLabel* lblDisclaimer;

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

  private:
    void cmdOK_Click();
};

}  // namespace forms
