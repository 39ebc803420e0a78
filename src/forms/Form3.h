// The hidden-items window: item names beside item paths, in register order, and Unhide, which
// moves the selected item back to its recorded path and only then removes its record.
#pragma once

#include "forms/controls.h"
#include "forms/form.h"

namespace forms {

class Form3 : public Form {
  public:
    Form3();

    ListBox List1;
    CommandButton Command1;
    ListBox List2;
    Label Label1;
    CommandButton Command2;

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

  private:
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
};

}  // namespace forms
