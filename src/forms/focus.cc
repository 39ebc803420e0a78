#include "forms/focus.h"

#include "forms/controls.h"
#include "forms/form.h"

namespace forms {

std::vector<Control*> FocusOrder(const Form& form) {
    std::vector<Control*> order = form.TabOrder();
    std::erase_if(order, [](const Control* control) { return !control->TakesFocus(); });
    return order;
}

CommandButton* ButtonForEnter(const Form& form, Control* focused) {
    if (auto* button = dynamic_cast<CommandButton*>(focused)) return button;
    return form.DefaultButton();
}

Control* NamedControl(const Label& label) {
    if (AccessKeyOf(label.Caption()) != 0) return label.Parent().AccessKeyTarget(label);
    return label.LabelFor();
}

}  // namespace forms
