// Where the keyboard goes in a window, decided here once for every toolkit: which controls take
// the focus and in what order Tab visits them, which button Enter presses, and which control a
// label names, for its access key and for a screen reader.
#pragma once

#include <vector>

namespace forms {

class CommandButton;
class Control;
class Form;
class Label;

// The controls that can take the focus, in tab order; labels, lines and the icon never do. A
// toolkit still passes over those that are disabled or hidden at the moment.
std::vector<Control*> FocusOrder(const Form& form);

// The button Enter presses while `focused` has the focus (null: no control has): the focused
// button itself, and elsewhere the window's default button. Null where there is neither: a window
// without a default button lets a text box keep its Enter.
CommandButton* ButtonForEnter(const Form& form, Control* focused);

// The control a label names: the one its access key leads to, or else the one the design gives
// it for a screen reader. Null for a label that names none.
Control* NamedControl(const Label& label);

}  // namespace forms
