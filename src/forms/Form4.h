// The first-run password dialog: on the first start, before any password exists, the user types
// the new password twice; its check value is stored in the password key and the main window
// opens. Closing it with the close box stores nothing and ends the program.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "forms/form.h"

namespace forms {

class Form4 : public Form {
    Q_OBJECT
  public:
    Form4();

    QLabel* Label3;
    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QLineEdit* Text2;
    QPushButton* Command1;

  private:
    void Command1_Click();

    // The accepted password, the first entry as typed, once both entries have passed.
    QString password;
};

}  // namespace forms
