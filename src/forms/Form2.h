// The change-password dialog, opened from the main window while that window is disabled: the
// old password, the new one and the new one again. The new check value replaces the stored one
// only when the new entries agree and the old one matches the stored check value. However the
// dialog closes, the main window is enabled again.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "forms/form.h"

namespace forms {

class Form2 : public Form {
    Q_OBJECT
  public:
    Form2();

    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QLineEdit* Text2;
    QLabel* Label3;
    QLineEdit* Text3;
    QPushButton* Command1;
    QPushButton* Command2;

  protected:
    void Form_Unload(int& Cancel) override;

  private:
    void Command1_Click();
    void Command2_Click();
};

}  // namespace forms
