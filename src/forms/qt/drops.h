// Files and folders dragged from a file manager onto a window, for the windows that take them
// (forms/given_items.h).
#pragma once

class QWidget;

namespace forms {
class Form;
}

namespace forms::qt {

// Lets the window take dropped files and folders, if the form is a drop target. Once its
// controls exist: a text box would take the drop's text for itself.
void AcceptDrops(Form& form, QWidget* window);

}  // namespace forms::qt
