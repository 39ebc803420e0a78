// The login dialog that guards every start once a password is set: an entry whose check value
// matches the stored one opens the main window; any other is refused, selected for retyping,
// as often as the user likes. Cancel, Esc and the close box end the program.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <map>

#include "forms/form.h"

namespace forms {

class frmLogin : public Form {
    Q_OBJECT
  public:
    frmLogin();

    // A control array of which only element 1 exists.
    std::map<int, QLabel*> lblLabels;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

  private:
    void cmdOK_Click();
    void cmdCancel_Click();
    void OpenMainWindow();
    void RefuseEntry(const QString& message);
};

}  // namespace forms
