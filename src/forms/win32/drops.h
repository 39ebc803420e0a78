// Files and folders dropped on a window from Explorer, for the windows that take them
// (forms/given_items.h).
#pragma once

#include "forms/win32/widgets.h"

// After <windows.h>, which widgets.h brings.
#include <shellapi.h>

namespace forms {
class Form;
}

namespace forms::win32 {

// Lets the window take dropped files and folders, if the form is a drop target.
void AcceptDrops(const Form& form, HWND window);
// WM_DROPFILES: hands the dropped paths to the form and frees the drop.
void Dropped(Form& form, HDROP drop);

}  // namespace forms::win32
