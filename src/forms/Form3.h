// The hidden-items window: item names beside item paths, in register order, and Unhide, which
// moves the selected item back to its recorded path and only then removes its record.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "forms/form.h"

namespace forms {

class Form3 : public Form {
    Q_OBJECT
  public:
    Form3();

    QListWidget* List1;
    QPushButton* Command1;
    QListWidget* List2;
    QLabel* Label1;
    QPushButton* Command2;

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

  private:
    void List1_Click();
    void Command1_Click();
    void Command2_Click();

    // The selected position of List1, or -1 when nothing is selected.
    int ListIndex() const;
    void RemoveEntryAt(int position);
};

}  // namespace forms
